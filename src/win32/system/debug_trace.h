#pragma once
// The trace on Windows: a line on the debugger's output (OutputDebugStringW)
// per swallowed failure, such as "Brelm: tick failed (0x800AC472)". At most
// one line a second is written, so that a host failing on every tick costs
// next to nothing; the next line written counts those left out meanwhile.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/trace.h"

namespace brelm::win32 {

class DebugTrace final : public Trace {
 public:
  using Writer = void (*)(const wchar_t* line);
  using Clock = std::uint32_t (*)();  // milliseconds, may wrap

  // By default OutputDebugStringW and the system's tick count.
  explicit DebugTrace(Writer writer = nullptr, Clock clock = nullptr);

  void failure(const char* what, std::int32_t code) noexcept override;

  // Sends the lines elsewhere (tests); null puts the default back.
  void divert(Writer writer, Clock clock) noexcept;

  static constexpr std::uint32_t kIntervalMs = 1000;
  static constexpr size_t kLineLength = 128;

 private:
  std::atomic<Writer> writer_;
  std::atomic<Clock> clock_;
  std::atomic<bool> wrote_{false};
  std::atomic<std::uint32_t> last_{0};
  std::atomic<std::uint32_t> dropped_{0};
};

// The library's own trace, for every boundary of this platform.
DebugTrace& debugTrace() noexcept;

// Inside a catch at a boundary: traces the failure being handled as `what`
// and returns its code as an HRESULT.
HRESULT traceCaught(const char* what) noexcept;

}  // namespace brelm::win32
