#include "system_info.h"

#include <cstdio>

#include "common/text.h"

namespace brelmcheck {

namespace {
template <class F>
F systemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (!module) module = LoadLibraryW(dll);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::string windowsVersion() {
  // GetVersionEx lies to programs without a manifest; the kernel does not.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto rtlGetVersion = systemFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) return "unknown";
  char text[64];
  std::snprintf(text, sizeof text, "%lu.%lu.%lu", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
  std::string out = text;
  SYSTEM_INFO si{};
  GetNativeSystemInfo(&si);
  out += si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64   ? " x64"
         : si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64 ? " ARM64"
                                                                      : " x86";
  return out;
}

struct MonitorList {
  std::vector<std::string> lines;
};

BOOL CALLBACK describeMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM arg) {
  auto* list = reinterpret_cast<MonitorList*>(arg);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  // Per-monitor DPI where Windows has it (8.1 on), the system's otherwise.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  auto getDpi = systemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT dpiX = 0, dpiY = 0;
  if (!getDpi || FAILED(getDpi(monitor, 0, &dpiX, &dpiY))) {
    HDC screen = GetDC(nullptr);
    dpiX = screen ? static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)) : 0;
    if (screen) ReleaseDC(nullptr, screen);
  }
  const RECT& r = info.rcMonitor;
  char text[160];
  std::snprintf(text, sizeof text, "%ldx%ld at (%ld,%ld), %u dpi%s", r.right - r.left, r.bottom - r.top, r.left,
                r.top, dpiX, (info.dwFlags & MONITORINFOF_PRIMARY) ? ", primary" : "");
  list->lines.push_back(hostsim::narrow(info.szDevice) + " " + text);
  return TRUE;
}
}  // namespace

void becomeDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  auto setContext = systemFunction<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)))) return;
  SetProcessDPIAware();
}

std::string processBitness(HANDLE process) {
  SYSTEM_INFO si{};
  GetNativeSystemInfo(&si);
  if (si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL) return "32-bit";
  BOOL wow64 = FALSE;
  if (!IsWow64Process(process, &wow64)) return "";
  return wow64 ? "32-bit" : "64-bit";
}

std::vector<std::pair<std::string, std::string>> machineFacts() {
  std::vector<std::pair<std::string, std::string>> facts;
  facts.emplace_back("Windows", windowsVersion());
  facts.emplace_back("brelm-check", sizeof(void*) == 8 ? "64-bit" : "32-bit");
  MonitorList monitors;
  EnumDisplayMonitors(nullptr, nullptr, describeMonitor, reinterpret_cast<LPARAM>(&monitors));
  for (size_t i = 0; i < monitors.lines.size(); ++i)
    facts.emplace_back("Monitor " + std::to_string(i + 1), monitors.lines[i]);
  return facts;
}

}  // namespace brelmcheck
