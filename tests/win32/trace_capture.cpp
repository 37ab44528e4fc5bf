#include "trace_capture.h"

namespace brelm::win32::test {

namespace {

// Kept without allocating: a line may be written when memory ran out.
constexpr size_t kMaxLines = 32;
wchar_t g_lines[kMaxLines][DebugTrace::kLineLength];
size_t g_count = 0;
std::uint32_t g_clock = 0;

void capture(const wchar_t* line) {
  if (g_count == kMaxLines) return;
  lstrcpynW(g_lines[g_count++], line, static_cast<int>(DebugTrace::kLineLength));
}

std::uint32_t laterEachTime() { return g_clock += 5000; }

}  // namespace

TraceCapture::TraceCapture() {
  g_count = 0;
  debugTrace().divert(capture, laterEachTime);
}

TraceCapture::~TraceCapture() { debugTrace().divert(nullptr, nullptr); }

std::vector<std::wstring> TraceCapture::take() {
  std::vector<std::wstring> out;
  for (size_t i = 0; i < g_count; ++i) {
    std::wstring line(g_lines[i]);
    if (!line.empty() && line.back() == L'\n') line.pop_back();
    out.push_back(std::move(line));
  }
  g_count = 0;
  return out;
}

}  // namespace brelm::win32::test
