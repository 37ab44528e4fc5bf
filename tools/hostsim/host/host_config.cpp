#include "host/host_config.h"

#include <cwchar>

namespace hostsim {

double HostConfig::versionNumber() const { return std::wcstod(version.c_str(), nullptr); }

}  // namespace hostsim
