// brelm-check [--host sheet|slide|both] [--suite NAME ...] [--out DIR]
//
// Runs checks of the add-ins against the hosts installed on this machine:
// starts each host through its automation server, makes sure the add-in is
// connected, drives the host and reads the strip back, and writes
// DIR\report.md and a screenshot per suite. Exit status 0 when every check
// held, 1 when one failed, 2 for a wrong command line, 3 when the host could
// not be driven to the end (it stopped answering, the report could not be
// written), 130 when stopped with Ctrl+C.
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "automation.h"
#include "checks.h"
#include "common/text.h"
#include "host_session.h"
#include "options.h"
#include "report.h"
#include "scenario_runner.h"
#include "system_info.h"
#include "temp_folder.h"

using namespace brelmcheck;

namespace {
constexpr DWORD kCtrlCGraceMs = 30000;
constexpr DWORD kBusyRetryMs = 30000;

// What the Ctrl+C handler and the watchdog need when the main thread is
// stuck in a call to a host that stopped answering.
struct RunState {
  std::atomic<bool> stop{false};
  // The host and the folder of the host being checked. The main thread
  // goes on once the host it was waiting for is ended, and would destroy
  // both under the emergency's hands: they are only set, cleared and used
  // under `guard`, which the emergency keeps until the process ends.
  std::mutex guard;
  HostSession* host = nullptr;
  TempFolder* temp = nullptr;
  std::string step;  // what the main thread is doing with the host, for the note
  Report report;
  std::wstring outDir;
  HANDLE finished = nullptr;
  std::once_flag emergency;
};
RunState g_run;

// Shows the emergency an object for as long as this lives: declared right
// after the object, it lets go of it before the object is destroyed,
// whichever way the scope is left.
template <typename T>
class Published {
 public:
  Published(T* RunState::*slot, T* object) : slot_(slot) { set(object); }
  ~Published() { set(nullptr); }
  Published(const Published&) = delete;
  Published& operator=(const Published&) = delete;

 private:
  void set(T* object) {
    std::lock_guard<std::mutex> g(g_run.guard);
    g_run.*slot_ = object;
  }
  T* RunState::*slot_;
};

// Leaves no host of ours running and no temporary folder behind, writes
// what was found, and ends the process.
void emergencyExit(const char* why, int code) {
  std::call_once(g_run.emergency, [&] {
    g_run.stop = true;
    g_run.guard.lock();  // held until the process ends
    bool ended = g_run.host && g_run.host->abandon();
    std::string text = why;
    if (!g_run.step.empty()) text += " (while " + g_run.step + ")";
    if (ended) text += ": the host brelm-check started was ended";
    else if (g_run.host) text += ": the host was left running (brelm-check ends only a host it knows it started)";
    std::fprintf(stderr, "brelm-check: %s\n", text.c_str());
    g_run.report.note(text);
    if (g_run.temp) g_run.temp->remove();
    g_run.report.write(g_run.outDir);
    std::fflush(stdout);
    ExitProcess(static_cast<UINT>(code));
  });
}

BOOL WINAPI onConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  g_run.stop = true;
  std::fprintf(stderr, "brelm-check: stopping: closing the host and removing the temporary folder\n");
  // The main thread closes the host in order between two checks; a host that
  // does not answer meanwhile is ended.
  if (WaitForSingleObject(g_run.finished, kCtrlCGraceMs) == WAIT_OBJECT_0) return TRUE;
  emergencyExit("stopped with Ctrl+C while the host did not answer", 130);
  return TRUE;
}

DWORD WINAPI watchdog(void* arg) {
  DWORD ms = *static_cast<DWORD*>(arg);
  if (WaitForSingleObject(g_run.finished, ms) == WAIT_TIMEOUT)
    emergencyExit("the host did not answer in time", 3);
  return 0;
}

void setStep(std::string step) {
  std::lock_guard<std::mutex> g(g_run.guard);
  g_run.step = std::move(step);
}

std::string fact(const Obj& app, const wchar_t* name) {
  try {
    return hostsim::narrow(textOf(app.value(name).get()));
  } catch (const AutomationError& e) {
    return std::string("unknown (") + e.what() + ")";
  }
}

// Started from the Start-menu shortcut or Explorer, the console is ours
// alone and goes with us: the user would not see where the report went.
bool ownConsoleWindow() {
  DWORD mode = 0, processes[2];
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) &&
         GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) && GetConsoleProcessList(processes, 2) == 1;
}

void waitForEnterIfOwnConsole() {
  if (!ownConsoleWindow()) return;
  std::printf("Press Enter to close this window.\n");
  std::getchar();
}

std::string fullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return hostsim::narrow(n > 0 && n < MAX_PATH ? std::wstring(full, n) : path);
}

std::optional<std::string> readScript(const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

std::string fileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return hostsim::narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

void runSuites(const Options& options, Checks& checks, ScenarioRunner& scenarios) {
  const std::vector<std::string>& suites =
      options.suites.empty() && options.scripts.empty() ? suiteNames() : options.suites;
  for (const std::string& suite : suites) {
    if (g_run.stop) return;
    setStep("running the " + suite + " suite");
    if (const BuiltInScenario* script = findScenario(suite)) scenarios.run(suite, script->text);
    else checks.runSuite(suite);
  }
  for (const std::wstring& path : options.scripts) {
    if (g_run.stop) return;
    setStep("running " + hostsim::narrow(path));
    std::optional<std::string> text = readScript(path);
    if (text) scenarios.run(fileNameOf(path), *text);
    else g_run.report.check(fileNameOf(path), "script", false, "cannot read " + hostsim::narrow(path));
  }
}

void checkHost(HostKind kind, const Options& options) {
  HostSpec spec = HostSpec::of(kind, options);
  Report& report = g_run.report;
  report.beginHost(spec.title);
  std::printf("%s:\n", spec.title.c_str());
  TempFolder temp;
  if (!temp.create()) {
    report.check("start", "temporary folder", false, "could not make a folder under the temporary folder");
    return;
  }
  Published<TempFolder> tempShown(&RunState::temp, &temp);
  {
    HostSession session(spec);
    Published<HostSession> hostShown(&RunState::host, &session);
    setStep("starting it");
    std::string refused = session.launch();
    if (session.app()) {
      report.fact("Name", fact(session.app(), L"Name"));
      report.fact("Version", fact(session.app(), L"Version"));
      report.fact("Build", fact(session.app(), L"Build"));
      std::string bits = processBitness(session.process());
      report.fact("Bitness", bits.empty() ? "unknown" : bits);
    }
    std::optional<AddinRegistration> registration = findAddinRegistration(spec.officeKey, spec.addinProgId);
    if (!refused.empty()) {
      report.check("start", "the host runs for brelm-check", false, refused);
    } else {
      BusyRetry retry(kBusyRetryMs);
      Checks checks(session, report, temp.path(), options.outDir, g_run.stop, options.cycles);
      ScenarioRunner scenarios(session, report, temp.path(), options.outDir, g_run.stop);
      setStep("making sure the add-in is connected");
      if (checks.prepareAddin()) {
        runSuites(options, checks, scenarios);
        if (!g_run.stop) report.hostCompleted();
      }
    }
    setStep("closing it");
    session.shutdown();
    setStep("");
    // The user's setting of whether the add-in loads stays as it was.
    std::optional<AddinRegistration> now = findAddinRegistration(spec.officeKey, spec.addinProgId);
    if (registration && now && now->loadBehavior != registration->loadBehavior) {
      bool restored = restoreLoadBehavior(spec.officeKey, spec.addinProgId, *registration);
      report.note("LoadBehavior changed from " + std::to_string(registration->loadBehavior) + " to " +
                  std::to_string(now->loadBehavior) + " during the run; " +
                  (restored ? "put back" : "could not be put back: set it to " +
                                               std::to_string(registration->loadBehavior) + " again"));
    }
  }
  bool removed;
  {
    // Not at the same time as an emergency's removal.
    std::lock_guard<std::mutex> g(g_run.guard);
    removed = temp.remove();
  }
  if (!removed) report.note("the temporary folder " + hostsim::narrow(temp.path()) + " could not be removed");
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::vector<std::wstring> args(argv + 1, argv + argc);
  ParseResult parsed = parseOptions(args);
  if (!parsed.options) {
    if (parsed.error != "help") std::fprintf(stderr, "brelm-check: %s\n", parsed.error.c_str());
    std::fputs(usageText(), stderr);
    return parsed.error == "help" ? 0 : 2;
  }
  const Options& options = *parsed.options;
  becomeDpiAware();
  g_run.outDir = options.outDir;
  if (!CreateDirectoryW(options.outDir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    std::fprintf(stderr, "brelm-check: cannot make the folder %s\n", hostsim::narrow(options.outDir).c_str());
    return 3;
  }
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    std::fprintf(stderr, "brelm-check: COM did not start: %s\n", describeHresult(hr).c_str());
    return 3;
  }
  g_run.finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
  static DWORD timeoutMs = options.timeoutSeconds * 1000;
  HANDLE dog = CreateThread(nullptr, 0, watchdog, &timeoutMs, 0, nullptr);

  g_run.report.setMachine(machineFacts());
  for (HostKind kind : options.hosts) {
    if (g_run.stop) break;
    checkHost(kind, options);
  }
  bool written = g_run.report.write(options.outDir);
  bool held = g_run.report.allHeld();
  SetEvent(g_run.finished);
  if (dog) WaitForSingleObject(dog, INFINITE), CloseHandle(dog);
  CoUninitialize();
  std::printf("report: %s\\report.md\n", fullPath(options.outDir).c_str());
  if (!written) std::fprintf(stderr, "brelm-check: could not write the report\n");
  if (!g_run.stop) waitForEnterIfOwnConsole();
  if (!written) return 3;
  if (g_run.stop) return 130;
  return held ? 0 : 1;
}
