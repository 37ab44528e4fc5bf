#include "host/host_config.h"

#include <cwchar>

namespace hostsim {

double HostConfig::versionNumber() const { return std::wcstod(version.c_str(), nullptr); }

// Newer spreadsheet hosts draw their own frame with a thin border; older ones
// and the presentation host have a standard frame.
std::optional<int> HostConfig::versionBorder() const {
  if (!sheet()) return std::nullopt;
  double v = versionNumber();
  if (v > 13) return 4;
  if (v > 11) return 2;
  return std::nullopt;
}

}  // namespace hostsim
