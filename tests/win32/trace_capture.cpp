#include "trace_capture.h"

namespace brelm::win32::test {

namespace {

std::vector<std::wstring> g_captured;
std::uint32_t g_clock = 0;

void capture(const wchar_t* line) {
  try {
    std::wstring s(line);
    if (!s.empty() && s.back() == L'\n') s.pop_back();
    g_captured.push_back(std::move(s));
  } catch (...) {
  }
}

std::uint32_t laterEachTime() { return g_clock += 5000; }

}  // namespace

TraceCapture::TraceCapture() {
  g_captured.clear();
  debugTrace().divert(capture, laterEachTime);
}

TraceCapture::~TraceCapture() { debugTrace().divert(nullptr, nullptr); }

std::vector<std::wstring> TraceCapture::take() {
  std::vector<std::wstring> out;
  out.swap(g_captured);
  return out;
}

}  // namespace brelm::win32::test
