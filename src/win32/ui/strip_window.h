#pragma once
// The strip's window, class "BrelmTabStrip": paints the form state, turns
// mouse input into the toolkit's events and answers accessibility clients.
// The object outlives its window; the window is created and destroyed as the
// form loads and unloads, and made anew when the host destroyed it with the
// parent it had been given.
#include <windows.h>
#include "com/com_ptr.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/form.h"
#include "ui/accessible.h"
#include "ui/pointer_input.h"
#include "ui/scale.h"
#include "ui/window_class.h"

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
  // The window was destroyed by someone else (with its parent).
  bool lost() const { return lost_; }
  // Makes a new hidden window for the same state; false if that failed (the
  // strip then stays lost, and the next call tries again).
  bool recreate();
  // Makes a new window for the same state in place of the present one (in
  // the thread's present DPI awareness); false, with the old one kept, when
  // no new one could be made.
  bool remake();

  void setLook(const TwipsScale& scale, HFONT font);
  // The add-in object a message dispatched to the strip keeps alive
  // (nullptr: none, as while that object is being destroyed).
  void setOwner(IUnknown* owner) { owner_ = owner; }
  // Called when the screen's resolution or DPI changed.
  void onDisplayChange(std::function<void()> handler) { displayChanged_ = std::move(handler); }
  void show(bool visible);
  void resize(float widthTwips, float heightTwips);
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
  void followTooltip(const std::optional<Target>& under, POINT at);
  bool tooltipFits() const;
  void dropTooltip();
  LRESULT notify(LPARAM lp);
  // An accessible default action waiting for the window's message loop. A
  // tab's is kept by the tab's document window, not by its control index: by
  // the time it runs, a tick may have moved the tab, removed it, or given its
  // elements to another document.
  struct PendingAction {
    ElementKind kind;
    int index;                         // the arrows'; a tab's is looked up again
    std::weak_ptr<DocWindow> window;   // a tab's; never keeps the host's window
  };
  void defaultAction(const PendingAction& action);
  std::optional<Target> targetAt(POINT client) const;
  HWND makeWindow();

  // AccessibleSource
  HWND accessibleWindow() const override { return hwnd_; }
  std::vector<AccessibleItem> accessibleItems() const override;
  void queueDefaultAction(const AccessibleItem& item) override;

  static WindowClass class_;

  HWND hwnd_ = nullptr;
  IUnknown* owner_ = nullptr;
  bool holdsClass_ = false;  // apart from the window: it may be lost with its parent
  const FormState* state_ = nullptr;
  FormEvents* events_ = nullptr;
  PointerInput input_;
  TwipsScale scale_;
  HFONT font_ = nullptr;  // owned by the toolkit
  bool quiet_ = false;    // no resize events for sizes we set ourselves
  bool destroying_ = false;
  bool lost_ = false;
  std::optional<POINT> lastMove_;
  // What the window shows now; a repaint is asked for only when it changes.
  std::optional<FormState> shown_;
  std::function<void()> displayChanged_;
  std::deque<PendingAction> pending_;
  HWND tip_ = nullptr;  // the tooltip, owned by the strip's frame; ours to destroy
  int tipTab_ = 0;      // the tab element the tooltip is about; 0 for none
  std::wstring tipText_;
  Microsoft::WRL::ComPtr<StripAccessible> accessible_;
};

}  // namespace brelm::win32
