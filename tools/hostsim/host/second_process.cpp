#include "host/second_process.h"

#include <algorithm>
#include <vector>

#include "common/call_log.h"
#include "common/text.h"
#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/modal_loop.h"
#include "windows/window_watch.h"

namespace hostsim {

namespace {
constexpr wchar_t kOtherClass[] = L"HostSimOtherProgram";
constexpr DWORD kStartMs = 20000, kStopMs = 5000;

std::wstring frameClassOf(const HostConfig& c) {
  if (c.sheet()) return L"XLMAIN";
  if (c.framePerDocument()) return L"PPTFrameClass";
  return L"PP" + std::to_wstring(c.major()) + L"FrameClass";
}

std::wstring quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

struct Search {
  DWORD pid;
  const std::wstring* cls;
  HWND found;
};

BOOL CALLBACK findVisible(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[128] = L"";
  GetClassNameW(w, cls, 128);
  if (pid == s->pid && IsWindowVisible(w) && *s->cls == cls) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, L"Another program", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

struct ParentWatch {
  HANDLE parent;
};

// A second process outlives no run: when the hostsim that started it ends
// (a script that timed out ends it at once), so does this one.
DWORD WINAPI endWithParent(void* arg) {
  WaitForSingleObject(static_cast<ParentWatch*>(arg)->parent, INFINITE);
  ExitProcess(0);
}

void pump() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Every window inside the frames, for the watch.
BOOL CALLBACK collect(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}
}  // namespace

bool SecondProcess::start(Kind kind, const HostConfig& config, const std::wstring& caption) {
  stop();
  kind_ = kind;
  class_ = kind == Kind::Other ? kOtherClass : frameClassOf(config);
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = quoted(exe) + L" --second " + (kind == Kind::Other ? L"other" : L"host") + L" --host " +
                         (config.sheet() ? L"sheet" : L"slide") + L" --version " + config.version + L" --parent " +
                         std::to_wstring(GetCurrentProcessId());
  if (config.border) command += L" --border " + std::to_wstring(*config.border);
  if (!caption.empty()) command += L" --open " + quoted(caption);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) {
    process_ = {};
    return false;
  }
  pumpUntil([this] { return (window_ = findWindow()) != nullptr || !running(); }, kStartMs);
  return window_ != nullptr;
}

HWND SecondProcess::findWindow() const {
  Search s{process_.dwProcessId, &class_, nullptr};
  EnumWindows(findVisible, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool SecondProcess::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void SecondProcess::stop() {
  if (!process_.hProcess) return;
  if (running()) {
    PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
    // Its windows going may send to this thread's windows: keep answering.
    if (!pumpUntil([this] { return !running(); }, kStopMs)) TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  process_ = {};
  window_ = nullptr;
}

int runSecondProcess(SecondProcess::Kind kind, const HostConfig& config, const std::wstring& open, DWORD parent) {
  static ParentWatch watch{OpenProcess(SYNCHRONIZE, FALSE, parent)};
  if (watch.parent) CloseHandle(CreateThread(nullptr, 0, endWithParent, &watch, 0, nullptr));
  if (kind == SecondProcess::Kind::Other) {
    registerClassOnce(kOtherClass, otherProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    HWND w = CreateWindowExW(0, kOtherClass, L"Another program", WS_OVERLAPPEDWINDOW, 200, 150, 800, 600, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    pump();
    return 0;
  }
  CallLog log;
  Host host(config, log);
  if (!open.empty()) host.openDocument(open, true);
  HWND front = host.tree().mainWindow();
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(front);
  std::vector<HWND> watched = host.tree().frames();
  for (HWND f : host.tree().frames()) EnumChildWindows(f, collect, reinterpret_cast<LPARAM>(&watched));
  WindowWatch::instance().start(watched);
  pump();
  WindowWatch::instance().stop();
  host.shutdown();
  return 0;
}

}  // namespace hostsim
