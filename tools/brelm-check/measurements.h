#pragma once
// What the "measure" suite reads from the host's process and how it says
// it: times reported as they were, never judged, except that GDI and USER
// objects that keep growing over open/close cycles are a leak worth failing
// on, where Windows counts them.
#include <windows.h>

#include <optional>
#include <string>

namespace brelmcheck {

// A process handle of our own, closed when it goes.
class ProcessHandle {
 public:
  ProcessHandle(DWORD access, DWORD processId) : handle_(OpenProcess(access, FALSE, processId)) {}
  ~ProcessHandle() {
    if (handle_) CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Wall time from a high-resolution counter.
class Stopwatch {
 public:
  Stopwatch();
  double elapsedMs() const;

 private:
  LARGE_INTEGER start_{}, frequency_{};
};

// Kernel plus user time of a process so far, in 100 ns units; nullopt when
// Windows would not say.
std::optional<ULONGLONG> processCpuTime(HANDLE process);
// CPU milliseconds the process used per second of wall time.
double cpuMsPerSecond(ULONGLONG cpuBefore, ULONGLONG cpuAfter, double wallMs);

struct GuiCounts {
  DWORD gdi = 0, user = 0;
};
// The process's GDI and USER objects; nullopt when the system counts none
// (Wine answers 0 for both, as does a process Windows would not open).
std::optional<GuiCounts> guiCounts(HANDLE process);

// Growth beyond this over the cycles fails: the host itself may keep a few
// objects for a while (caches, a recent-files list), a leak per cycle is
// many more.
constexpr DWORD kGuiAllowance = 50;

struct GuiGrowth {
  bool counted = false;  // false: nothing to judge
  bool held = true;
  std::string seen;
};
GuiGrowth judgeGuiGrowth(const std::optional<GuiCounts>& before, const std::optional<GuiCounts>& after,
                         unsigned cycles, DWORD allowance = kGuiAllowance);

// "12.3 ms"
std::string msText(double ms);

}  // namespace brelmcheck
