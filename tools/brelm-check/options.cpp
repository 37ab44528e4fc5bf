#include "options.h"

#include <algorithm>

#include "common/text.h"
#include "scenario_runner.h"

namespace brelmcheck {

using hostsim::narrow;

// The checks written for brelm-check, then the test host's end-to-end
// scripts it carries, then the measurements, which take longest.
const std::vector<std::string>& suiteNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{"startup", "sync", "click", "disconnect"};
    for (const BuiltInScenario& s : builtInScenarios()) all.emplace_back(s.name);
    all.emplace_back("measure");
    return all;
  }();
  return names;
}

const char* usageText() {
  static const std::string text = [] {
    std::string scripts;
    for (const BuiltInScenario& s : builtInScenarios()) scripts += std::string(scripts.empty() ? "" : ", ") + s.name;
    return "usage: brelm-check [--host sheet|slide|both] [--suite NAME ...] [--script FILE ...] [--out DIR]\n"
           "                   [--cycles N]\n"
           "  --host    which host to check (default both)\n"
           "  --suite   startup, sync, click, disconnect, measure, or one of the end-to-end scripts\n"
           "            carried inside: " + scripts + "\n"
           "            (default all; may be repeated)\n"
           "  --script  an end-to-end script from a file, run as a suite of its own (may be repeated;\n"
           "            without --suite only the scripts run)\n"
           "  --out     where report.md and the screenshots go (default .\\brelm-check-report)\n"
           "  --cycles  open/close cycles of a document the measure suite counts objects over (default 200)\n";
  }();
  return text.c_str();
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
    } else if (a == L"--script") {
      o.scripts.push_back(v);
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
    } else if (a == L"--cycles") {
      wchar_t* end = nullptr;
      long cycles = std::wcstol(v.c_str(), &end, 10);
      if (v.empty() || *end || cycles < 1 || cycles > 100000) {
        r.error = "--cycles takes a number of cycles from 1 to 100000";
        return r;
      }
      o.cycles = static_cast<unsigned>(cycles);
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
