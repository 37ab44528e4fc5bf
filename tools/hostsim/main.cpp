// hostsim --host sheet|slide [--version V] [--dpi N] [--script FILE]
//         [--screenshot DIR] [--open "A,B"] [--trace] [--timeout SECONDS] [--stay]
//         [--border N] [--noframe] [--switch-order active-first|deactivate-first]
//         [--server [--hang-on MEMBER]]
//
// Imitates the spreadsheet or the presentation host: builds the host's window
// tree, loads the registered add-ins as the host does at start-up, and either
// runs a test script (exit status 0 passed, 1 an expectation failed, 2 the
// script is wrong, 3 timed out) or waits for a person to use it. With
// --server it is an automation server for another process (its test
// classes, see host/automation_server.h) until that process calls Quit;
// --hang-on makes it stop answering on purpose, for testing its clients.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/addin_messages.h"
#include "common/live_objects.h"
#include "common/text.h"
#include "host/automation_server.h"
#include "host/host.h"
#include "host/second_process.h"
#include "loader/addin_loader.h"
#include "script/runner.h"
#include "windows/host_windows.h"

using namespace hostsim;

namespace {

struct Options {
  HostConfig config;
  // Started by another hostsim as a second program on the desktop.
  std::optional<SecondProcess::Kind> second;
  DWORD parent = 0;
  std::wstring script, screenshotDir = L".", open;
  // The member whose first call from then on never returns (hostsim's own
  // test device for clients' watchdogs, e.g. "Workbooks.Add").
  std::string hangOn;
  int dpi = 0, timeoutSeconds = 600;
  bool trace = false, stay = false, server = false;
};

int usage() {
  std::fprintf(stderr,
               "usage: hostsim --host sheet|slide [--version V] [--dpi N] [--script FILE] [--screenshot DIR]\n"
               "               [--open \"A,B\"] [--trace] [--timeout SECONDS] [--stay]\n"
               "               [--border N] [--noframe] [--switch-order active-first|deactivate-first]\n"
               "               [--server [--hang-on MEMBER]]\n");
  return 2;
}

// Unix paths from the test scripts reach Wine through its Z: drive.
std::wstring windowsPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

std::optional<Options> parseArgs(int argc, wchar_t** argv) {
  Options o;
  bool hostGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    bool hasValue = i + 1 < argc;
    std::wstring v = hasValue ? argv[i + 1] : L"";
    if (a == L"--trace") o.trace = true;
    else if (a == L"--server") o.server = true;
    // What COM adds to a local server's command line when it starts one.
    else if (a == L"-Embedding" || a == L"/Embedding" || a == L"-Automation" || a == L"/Automation") continue;
    else if (a == L"--stay") o.stay = true;
    else if (a == L"--noframe") o.config.noFrame = true;
    else if (!hasValue) return std::nullopt;
    else if (a == L"--host" && (v == L"sheet" || v == L"slide")) {
      o.config.kind = v == L"sheet" ? HostKind::Sheet : HostKind::Slide;
      hostGiven = true;
      ++i;
    } else if (a == L"--version") o.config.version = v, ++i;
    else if (a == L"--dpi") o.dpi = _wtoi(v.c_str()), ++i;
    else if (a == L"--script") o.script = windowsPath(v), ++i;
    else if (a == L"--screenshot") o.screenshotDir = windowsPath(v), ++i;
    else if (a == L"--open") o.open = v, ++i;
    else if (a == L"--hang-on" && v.find(L'.') != std::wstring::npos) o.hangOn = narrow(v), ++i;
    else if (a == L"--timeout") o.timeoutSeconds = _wtoi(v.c_str()), ++i;
    else if (a == L"--second" && (v == L"host" || v == L"other")) {
      o.second = v == L"host" ? SecondProcess::Kind::Host : SecondProcess::Kind::Other;
      ++i;
    } else if (a == L"--parent") o.parent = static_cast<DWORD>(_wtoi(v.c_str())), ++i;
    else if (a == L"--border" && _wtoi(v.c_str()) >= 0) o.config.border = _wtoi(v.c_str()), ++i;
    else if (a == L"--switch-order" && (v == L"active-first" || v == L"deactivate-first")) {
      o.config.switchOrder = v == L"active-first" ? SwitchOrder::ActiveFirst : SwitchOrder::DeactivateFirst;
      ++i;
    }
    else return std::nullopt;
  }
  if (!hostGiven || o.config.versionNumber() <= 0) return std::nullopt;
  if (!o.hangOn.empty() && !o.server) return std::nullopt;
  return o;
}

int screenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

void writeDpi(int dpi) {
  DWORD value = static_cast<DWORD>(dpi);
  for (auto [root, path] : {std::pair{HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
                            std::pair{HKEY_CURRENT_CONFIG, L"Software\\Fonts"}}) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) continue;
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
}

// The screen DPI is read when a process starts: set it, then run again.
std::optional<int> relaunchForDpi(int dpi) {
  if (dpi <= 0 || screenDpi() == dpi) return std::nullopt;
  if (GetEnvironmentVariableW(L"HOSTSIM_DPI_SET", nullptr, 0) > 0) {
    std::fprintf(stderr, "hostsim: the screen stays at %d dpi, not %d\n", screenDpi(), dpi);
    return std::nullopt;
  }
  writeDpi(dpi);
  SetEnvironmentVariableW(L"HOSTSIM_DPI_SET", L"1");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = GetCommandLineW();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return 2;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 2;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

std::optional<std::string> readFile(const std::wstring& path) {
  std::ifstream in(narrow(path), std::ios::binary);
  if (!in) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return std::nullopt;
    std::string text;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    return text;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Watchdog {
  const Runner* runner;
  DWORD seconds;
};

DWORD WINAPI watchdog(void* arg) {
  auto* w = static_cast<Watchdog*>(arg);
  Sleep(w->seconds * 1000);
  std::fprintf(stderr, "hostsim: timed out after %lu s at script line %d\n", w->seconds, w->runner->currentLine());
  std::fflush(stderr);
  ExitProcess(3);
}

void pumpMessages() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    AddinMessages::instance().dispatch(msg);
  }
}

void openInitialDocuments(Host& host, const std::wstring& list) {
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(L',', start);
    if (end == std::wstring::npos) end = list.size();
    if (end > start) host.openDocument(list.substr(start, end - start), true);
    start = end + 1;
  }
}

int runScript(Host& host, AddinLoader& loader, const Options& o) {
  std::optional<std::string> text = readFile(o.script);
  if (!text) {
    std::fprintf(stderr, "hostsim: cannot read %s\n", narrow(o.script).c_str());
    return 2;
  }
  RunOptions run;
  run.screenshotDir = o.screenshotDir;
  Runner runner(host, loader, parseScript(*text), run);
  host.onQuit = [] {};  // the script decides when the run ends
  if (!runner.start()) return 2;
  Watchdog dog{&runner, static_cast<DWORD>(o.timeoutSeconds)};
  HANDLE thread = CreateThread(nullptr, 0, watchdog, &dog, 0, nullptr);
  pumpMessages();
  if (thread) TerminateThread(thread, 0), CloseHandle(thread);
  int code = runner.finished() ? runner.exitCode() : 1;
  if (code == 0 && o.stay && !host.quitRequested()) {
    host.onQuit = [] { PostQuitMessage(0); };
    pumpMessages();
  }
  return code;
}

DWORD WINAPI serverWatchdog(void* arg) {
  DWORD seconds = *static_cast<DWORD*>(arg);
  Sleep(seconds * 1000);
  std::fprintf(stderr, "hostsim: the automation server timed out after %lu s\n", seconds);
  std::fflush(stderr);
  ExitProcess(3);
}

// Until a client calls Application.Quit (or the time runs out).
int runServer(Host& host, AddinLoader& loader, const Options& o) {
  static DWORD seconds = static_cast<DWORD>(o.timeoutSeconds);
  HANDLE thread = CreateThread(nullptr, 0, serverWatchdog, &seconds, 0, nullptr);
  loader.startup();
  openInitialDocuments(host, o.open);
  // From the first client on: the add-ins' start above is not what is tested.
  host.context().hangOn = o.hangOn;
  int code = 0;
  {
    AutomationServer server(host);
    if (SUCCEEDED(server.start())) pumpMessages();
    else code = 2;
  }
  if (thread) TerminateThread(thread, 0), CloseHandle(thread);
  return code;
}

int runHost(const Options& o) {
  CallLog log;
  if (o.trace) log.setEcho(stderr);
  Host host(o.config, log);
  int code = 0;
  {
    AddinLoader loader(host);
    if (o.server) {
      code = runServer(host, loader, o);
    } else if (!o.script.empty()) {
      code = runScript(host, loader, o);
    } else {
      loader.startup();
      openInitialDocuments(host, o.open);
      pumpMessages();
    }
  }  // the loader disconnects and releases every add-in here
  for (const auto& [kind, n] : LiveObjects::instance().counts())
    if (n > 0 && o.trace) std::fprintf(stderr, "hostsim: after the add-ins went: %d %s\n", n, kind.c_str());
  host.shutdown();
  return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  SetProcessDPIAware();
  std::optional<Options> options = parseArgs(argc, argv);
  if (!options) return usage();
  if (std::optional<int> code = relaunchForDpi(options->dpi)) return *code;
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    std::fprintf(stderr, "hostsim: CoInitializeEx failed\n");
    return 2;
  }
  int code = 2;
  try {
    code = options->second ? runSecondProcess(*options->second, options->config, options->open, options->parent)
                           : runHost(*options);
  } catch (const ScriptError& e) {
    std::fprintf(stderr, "hostsim: %s\n", e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hostsim: %s\n", e.what());
  }
  CoUninitialize();
  return code;
}
