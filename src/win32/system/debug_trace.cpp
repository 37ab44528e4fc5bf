#include "system/debug_trace.h"

namespace brelm::win32 {

namespace {

void toDebugger(const wchar_t* line) { OutputDebugStringW(line); }
std::uint32_t tickCount() { return GetTickCount(); }

// Appends to a fixed line without allocating: the trace is written where
// memory may be what ran out.
class Line {
 public:
  // Text beyond the line's length is cut; the line end always has room.
  void text(const char* s) {
    for (; s && *s && n_ + 2 < DebugTrace::kLineLength; ++s)
      buffer_[n_++] = static_cast<unsigned char>(*s) < 0x80 ? static_cast<wchar_t>(*s) : L'?';
  }
  const wchar_t* end() {
    buffer_[n_] = L'\n';
    buffer_[n_ + 1] = L'\0';
    return buffer_;
  }
  void hex(std::uint32_t value) {
    char digits[11] = "0x00000000";
    for (int i = 9; i >= 2; --i, value >>= 4) digits[i] = "0123456789ABCDEF"[value & 0xF];
    text(digits);
  }
  void number(std::uint32_t value) {
    char digits[11];
    int i = 10;
    digits[i] = '\0';
    do {
      digits[--i] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    text(digits + i);
  }

 private:
  wchar_t buffer_[DebugTrace::kLineLength] = {};
  size_t n_ = 0;
};

}  // namespace

DebugTrace::DebugTrace(Writer writer, Clock clock)
    : writer_(writer ? writer : toDebugger), clock_(clock ? clock : tickCount) {}

void DebugTrace::divert(Writer writer, Clock clock) noexcept {
  writer_ = writer ? writer : toDebugger;
  clock_ = clock ? clock : tickCount;
  wrote_ = false;
  dropped_ = 0;
}

void DebugTrace::failure(const char* what, std::int32_t code) noexcept {
  const std::uint32_t now = clock_.load()();
  std::uint32_t last = last_.load();
  // Unsigned difference: right across the wrap of the tick count too.
  if (wrote_.load() && now - last < kIntervalMs) {
    ++dropped_;
    return;
  }
  if (!last_.compare_exchange_strong(last, now)) {  // another thread writes now
    ++dropped_;
    return;
  }
  wrote_ = true;
  const std::uint32_t left = dropped_.exchange(0);
  Line line;
  line.text("Brelm: ");
  line.text(what ? what : "?");
  line.text(" failed (");
  line.hex(static_cast<std::uint32_t>(code));
  line.text(")");
  if (left != 0) {
    line.text(", ");
    line.number(left);
    line.text(" more not shown");
  }
  writer_.load()(line.end());
}

DebugTrace& debugTrace() noexcept {
  static DebugTrace trace;
  return trace;
}

HRESULT traceCaught(const char* what) noexcept {
  const HRESULT hr = static_cast<HRESULT>(caughtFailureCode());
  debugTrace().failure(what, hr);
  return hr;
}

}  // namespace brelm::win32
