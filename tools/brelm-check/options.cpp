#include "options.h"

#include <algorithm>

#include "common/text.h"

namespace brelmcheck {

using hostsim::narrow;

const std::vector<std::string>& suiteNames() {
  static const std::vector<std::string> names{"startup", "sync", "click", "disconnect"};
  return names;
}

const char* usageText() {
  return "usage: brelm-check [--host sheet|slide|both] [--suite NAME ...] [--out DIR]\n"
         "  --host   which host to check (default both)\n"
         "  --suite  startup, sync, click, disconnect (default all; may be repeated)\n"
         "  --out    where report.md and the screenshots go (default .\\brelm-check-report)\n";
}

ParseResult parseOptions(const std::vector<std::wstring>& args) {
  Options o;
  ParseResult r;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (a == L"--help" || a == L"-h" || a == L"/?") {
      r.error = "help";
      return r;
    }
    if (i + 1 >= args.size()) {
      r.error = "missing value or unknown option: " + narrow(a);
      return r;
    }
    const std::wstring& v = args[++i];
    if (a == L"--host") {
      if (v == L"sheet") o.hosts = {HostKind::Sheet};
      else if (v == L"slide") o.hosts = {HostKind::Slide};
      else if (v == L"both") o.hosts = {HostKind::Sheet, HostKind::Slide};
      else {
        r.error = "--host takes sheet, slide or both, not " + narrow(v);
        return r;
      }
    } else if (a == L"--suite") {
      std::string name = narrow(v);
      const auto& all = suiteNames();
      if (std::find(all.begin(), all.end(), name) == all.end()) {
        r.error = "no suite called " + name;
        return r;
      }
      if (std::find(o.suites.begin(), o.suites.end(), name) == o.suites.end()) o.suites.push_back(name);
    } else if (a == L"--out") {
      o.outDir = v;
    } else if (a == L"--progid") {
      // HOST=PROGID
      size_t eq = v.find(L'=');
      std::wstring host = eq == std::wstring::npos ? L"" : v.substr(0, eq);
      std::wstring progId = eq == std::wstring::npos ? L"" : v.substr(eq + 1);
      if (progId.empty() || (host != L"sheet" && host != L"slide")) {
        r.error = "--progid takes sheet=PROGID or slide=PROGID";
        return r;
      }
      (host == L"sheet" ? o.sheetProgId : o.slideProgId) = progId;
    } else if (a == L"--timeout") {
      long seconds = std::wcstol(v.c_str(), nullptr, 10);
      if (seconds <= 0) {
        r.error = "--timeout takes a number of seconds";
        return r;
      }
      o.timeoutSeconds = static_cast<unsigned>(seconds);
    } else {
      r.error = "unknown option: " + narrow(a);
      return r;
    }
  }
  // Suites run in their own order, whatever the command line's.
  if (!o.suites.empty()) {
    std::vector<std::string> ordered;
    for (const std::string& s : suiteNames())
      if (std::find(o.suites.begin(), o.suites.end(), s) != o.suites.end()) ordered.push_back(s);
    o.suites = ordered;
  }
  r.options = o;
  return r;
}

}  // namespace brelmcheck
