#pragma once
// The form toolkit on Win32: the strip window, the form's timers, the
// caption font and its measurements, and the system's message box.
#include <string>

#include "platform/form.h"
#include "ui/gdi.h"
#include "ui/scale.h"
#include "ui/strip_window.h"
#include "ui/timer_window.h"

namespace brelm::win32 {

class Win32FormToolkit final : public FormToolkit {
 public:
  // `title` is the message box's caption: the add-in's name.
  explicit Win32FormToolkit(std::wstring title);
  ~Win32FormToolkit() override;
  Win32FormToolkit(const Win32FormToolkit&) = delete;
  Win32FormToolkit& operator=(const Win32FormToolkit&) = delete;

  Hwnd create(const FormState* state, FormEvents* events) override;
  void destroy() override;
  Hwnd window() const override;
  void show(bool visible) override;
  void resize(float width, float height) override;
  float textWidth(const std::string& caption) override;
  float textHeight() override;
  void setTimer(TimerId timer, bool enabled, int intervalMs) override;
  bool timerEnabled(TimerId timer) const override;
  void invalidate() override;
  void beginDrag(int index) override;
  bool recreateIfLost() override;
  int messageBox(const std::string& text) override;
  void showMessage(const std::string& text) override;

  const TwipsScale& scale() const { return scale_; }
  // The add-in object every message to the strip and every tick keeps
  // alive while it is dispatched; nullptr once that object is going.
  void setOwner(IUnknown* owner) {
    strip_.setOwner(owner);
    timers_.setOwner(owner);
  }

 private:
  // Reads the screen's DPI and makes the caption font for it.
  void refreshLook();
  std::wstring title_;
  TwipsScale scale_;
  int fontDpi_ = 0;
  Font captionFont_;
  StripWindow strip_;
  TimerWindow timers_;
};

}  // namespace brelm::win32
