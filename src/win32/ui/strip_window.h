#pragma once
// The strip's window, class "BrelmTabStrip": paints the form state,
// turns mouse input into the toolkit's events, runs the form's timers as
// window timers and answers accessibility clients. The object outlives its
// window; the window is created and destroyed as the form loads and unloads.
#include <windows.h>
#include "com/com_ptr.h"

#include <optional>
#include <vector>

#include "platform/form.h"
#include "ui/accessible.h"
#include "ui/pointer_input.h"
#include "ui/scale.h"

namespace brelm::win32 {

extern const wchar_t kStripClassName[];

class StripWindow final : private AccessibleSource {
 public:
  StripWindow() = default;
  ~StripWindow() override;
  StripWindow(const StripWindow&) = delete;
  StripWindow& operator=(const StripWindow&) = delete;

  // Creates the window hidden, as a top-level tool window until it is given
  // a parent. The state and events must outlive the window.
  HWND create(const FormState* state, FormEvents* events, const TwipsScale& scale, HFONT font);
  void destroy() noexcept;
  HWND hwnd() const { return hwnd_; }

  void setLook(const TwipsScale& scale, HFONT font);
  void show(bool visible);
  void resize(float widthTwips, float heightTwips);
  void setTimer(TimerId timer, bool enabled, int intervalMs);
  bool timerEnabled(TimerId timer) const;
  void invalidate();
  void beginDrag(int index);
  bool dragging() const { return input_.dragging(); }

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  void paint();
  void mouseButton(UINT msg, LPARAM lp);
  void mouseMove(LPARAM lp);
  LRESULT getObject(WPARAM wp, LPARAM lp);
  void defaultAction(ElementKind kind, int index);
  std::optional<Target> targetAt(POINT client) const;
  void applyTimer(int slot);

  // AccessibleSource
  HWND accessibleWindow() const override { return hwnd_; }
  std::vector<AccessibleItem> accessibleItems() const override;
  void queueDefaultAction(const AccessibleItem& item) override;

  HWND hwnd_ = nullptr;
  const FormState* state_ = nullptr;
  FormEvents* events_ = nullptr;
  PointerInput input_;
  TwipsScale scale_;
  HFONT font_ = nullptr;  // owned by the toolkit
  bool quiet_ = false;    // no resize events for sizes we set ourselves
  std::optional<POINT> lastMove_;
  bool timerOn_[3] = {false, false, false};
  int timerMs_[3] = {100, 100, 100};
  Microsoft::WRL::ComPtr<StripAccessible> accessible_;
};

}  // namespace brelm::win32
