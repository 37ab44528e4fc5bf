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
  void setDpi(int dpi) override;
  bool fitFor(Hwnd parent) override;
  float textWidth(const std::string& caption) override;
  float textHeight() override;
  void setTimer(TimerId timer, bool enabled, int intervalMs) override;
  void tickOnForeground(TimerId timer) override;
  bool timerEnabled(TimerId timer) const override;
  void invalidate() override;
  void beginDrag(int index) override;
  bool recreateIfLost() override;
  int messageBox(const std::string& text) override;
  int chooseFromList(const std::vector<std::string>& items, int checked) override;
  void showMessage(const std::string& text) override;

  const TwipsScale& scale() const { return scale_; }
  // The add-in object every message to the strip and every tick keeps
  // alive while it is dispatched; nullptr once that object is going.
  void setOwner(IUnknown* owner) {
    strip_.setOwner(owner);
    timers_.setOwner(owner);
  }

 private:
  // Makes the scale and the caption font for the strip's DPI.
  void refreshLook();
  std::wstring title_;
  const FormState* state_ = nullptr;  // the form shown, for where its list button is
  TwipsScale scale_;
  int dpi_ = 0;  // the strip's, as the core sets it; the system's until then
  int fontDpi_ = 0;
  Font captionFont_;
  StripWindow strip_;
  TimerWindow timers_;
};

}  // namespace brelm::win32
