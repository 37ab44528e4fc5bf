#pragma once
// The DPI the frame holding the strip was last told. The hosts are per-monitor
// aware (version 1): a frame moved to a monitor of another scale, or whose
// monitor changes scale, is sent WM_DPICHANGED, and its children, the strip
// among them, get no message of their own. Where user32 has no
// GetDpiForWindow (before Windows 10 1607) and the monitor cannot be asked
// without loading a library into the host, that message is the only word of
// the change. So the frame's messages are listened to (a subclass that
// passes every message on untouched) for as long as the strip is in it, and
// the DPI it was told stands for the frame's from then on.
#include <windows.h>

namespace brelm::win32 {

class FrameDpiListener {
 public:
  FrameDpiListener() = default;
  ~FrameDpiListener();
  FrameDpiListener(const FrameDpiListener&) = delete;
  FrameDpiListener& operator=(const FrameDpiListener&) = delete;

  // Listens to `frame` (a top-level window of the calling thread) instead of
  // the frame listened to before; null: to none. A frame of another thread
  // cannot be listened to and is left alone.
  void listen(HWND frame) noexcept;
  // The DPI `frame` was told since it was listened to; 0 when it is not
  // the frame listened to or was told nothing.
  int told(HWND frame) const noexcept;
  HWND frame() const { return frame_; }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR self) noexcept;
  void stop() noexcept;

  HWND frame_ = nullptr;
  int told_ = 0;
};

}  // namespace brelm::win32
