#pragma once
// Catches the lines the library's trace writes while it lives, with a clock
// that moves on a second and more between lines, so that none is left out.
#include <string>
#include <vector>

#include "system/debug_trace.h"

namespace brelm::win32::test {

class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;
  // The lines written since the last take, without their line ends.
  std::vector<std::wstring> take();
};

}  // namespace brelm::win32::test
