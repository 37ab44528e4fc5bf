#include "measurements.h"

#include <cstdio>

namespace brelmcheck {

Stopwatch::Stopwatch() {
  QueryPerformanceFrequency(&frequency_);
  QueryPerformanceCounter(&start_);
}

double Stopwatch::elapsedMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency_.QuadPart);
}

namespace {
ULONGLONG ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }
}  // namespace

std::optional<ULONGLONG> processCpuTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!process || !GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
  return ticks(kernel) + ticks(user);
}

double cpuMsPerSecond(ULONGLONG cpuBefore, ULONGLONG cpuAfter, double wallMs) {
  if (wallMs <= 0 || cpuAfter < cpuBefore) return 0;
  double cpuMs = static_cast<double>(cpuAfter - cpuBefore) / 10000.0;
  return cpuMs * 1000.0 / wallMs;
}

std::optional<GuiCounts> guiCounts(HANDLE process) {
  if (!process) return std::nullopt;
  GuiCounts c{GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS)};
  // A process with windows always holds some of both.
  if (c.gdi == 0 && c.user == 0) return std::nullopt;
  return c;
}

GuiGrowth judgeGuiGrowth(const std::optional<GuiCounts>& before, const std::optional<GuiCounts>& after,
                         unsigned cycles, DWORD allowance) {
  GuiGrowth g;
  if (!before || !after) {
    g.seen = "not counted on this system";
    return g;
  }
  g.counted = true;
  auto grew = [&](DWORD was, DWORD is) { return is > was && is - was > allowance; };
  g.held = !grew(before->gdi, after->gdi) && !grew(before->user, after->user);
  g.seen = "GDI " + std::to_string(before->gdi) + " -> " + std::to_string(after->gdi) + ", USER " +
           std::to_string(before->user) + " -> " + std::to_string(after->user) + " over " + std::to_string(cycles) +
           " cycles (more than " + std::to_string(allowance) + " more of either fails)";
  return g;
}

std::string msText(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", ms);
  return text;
}

}  // namespace brelmcheck
