#pragma once
// brelm-check's command line.
#include <optional>
#include <string>
#include <vector>

namespace brelmcheck {

enum class HostKind { Sheet, Slide };

struct Options {
  std::vector<HostKind> hosts{HostKind::Sheet, HostKind::Slide};
  std::vector<std::string> suites;  // empty: every suite
  std::vector<std::wstring> scripts;  // end-to-end scripts read from files
  std::wstring outDir = L"brelm-check-report";
  // Not shown in the usage text: the automation classes to start instead of
  // the hosts' own, for testing against an imitation of the hosts.
  std::wstring sheetProgId = L"Excel.Application";
  std::wstring slideProgId = L"PowerPoint.Application";
  // How long the whole run may take before the host counts as not answering:
  // the measurements' open/close cycles take minutes on their own.
  unsigned timeoutSeconds = 1800;
  // Open/close cycles of a document between the two counts of the host's
  // GDI and USER objects.
  unsigned cycles = 200;
};

// The suites, in the order they run.
const std::vector<std::string>& suiteNames();

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // why not, for the usage message
};

ParseResult parseOptions(const std::vector<std::wstring>& args);
const char* usageText();

}  // namespace brelmcheck
