#pragma once
// The window system on user32.
#include "platform/window_system.h"
#include "ui/frame_dpi.h"

namespace brelm::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  Hwnd topOwnFrame(const std::string& cls) override;
  bool isOwnFrame(Hwnd window, const std::string& cls) override;
  Hwnd findChild(Hwnd parent, Hwnd after, const std::string& cls,
                 const std::optional<std::string>& title) override;
  std::vector<Hwnd> descendants(Hwnd parent) override;
  std::string className(Hwnd window) override;
  std::string windowText(Hwnd window) override;
  Hwnd parent(Hwnd window) override;
  bool windowRect(Hwnd window, Rect& out) override;
  bool clientOrigin(Hwnd window, Point& out) override;
  bool setWindowPos(Hwnd window, ZOrder z, int x, int y, int cx, int cy, unsigned flags) override;
  bool setParent(Hwnd child, Hwnd parent) override;
  bool showWindow(Hwnd window, ShowCmd cmd) override;
  bool setForeground(Hwnd window) override;
  bool foregroundIsOurs() override;
  Point cursorPos() override;
  // A frame's DPI: what it was told last while the strip was in it (see
  // ui/frame_dpi.h), else what the system answers for it.
  int dpiOf(Hwnd window) override;

  // The strip is gone (disconnection): its frame is no longer listened to.
  void stripGone() noexcept { frameDpi_.listen(nullptr); }

 private:
  FrameDpiListener frameDpi_;
};

}  // namespace brelm::win32
