#include "ui/strip_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "com/keep_alive.h"
#include "system/debug_trace.h"
#include "system/module.h"
#include "system/text.h"
#include "ui/gdi.h"
#include "ui/hit_test.h"
#include "ui/painter.h"

namespace brelm::win32 {

const wchar_t kStripClassName[] = L"BrelmTabStrip";

namespace {

constexpr UINT kDefaultActionMessage = WM_APP + 0x42;
constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT

bool sameElement(const Element& a, const Element& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.visible == b.visible && a.picture == b.picture && a.caption == b.caption;
}

bool sameElements(const std::vector<Element>& a, const std::vector<Element>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!sameElement(a[i], b[i])) return false;
  return true;
}

// Whether two form states look the same on the screen.
bool sameLook(const FormState& a, const FormState& b) {
  return a.picture == b.picture && sameElement(a.ileft, b.ileft) &&
         sameElement(a.iright, b.iright) && sameElements(a.image1, b.image1) &&
         sameElements(a.image2, b.image2) && sameElements(a.image3, b.image3) &&
         sameElements(a.label2, b.label2);
}

}  // namespace

WindowClass StripWindow::class_{kStripClassName, &StripWindow::windowProc, CS_DBLCLKS, IDC_ARROW};

StripWindow::~StripWindow() { destroy(); }

HWND StripWindow::create(const FormState* state, FormEvents* events, const TwipsScale& scale,
                         HFONT font) {
  if (hwnd_) return hwnd_;
  state_ = state;
  events_ = events;
  input_ = PointerInput(events);
  scale_ = scale;
  font_ = font;
  return makeWindow();
}

HWND StripWindow::makeWindow() {
  if (!holdsClass_ && !(holdsClass_ = class_.acquire())) return nullptr;
  const int width = state_ ? scale_.toPixelsX(state_->width) : 1;
  const int height = state_ ? scale_.toPixelsY(state_->height) : 1;
  quiet_ = true;
  // Born a hidden child of the message-only window until the host gives it
  // its place: a top-level window would be made in full (a window of the
  // display server's own, under Wine) only to be torn down again by SetParent.
  // `this` travels in the creation parameters, known from the first message on.
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kStripClassName, L"", WS_CHILD | WS_CLIPSIBLINGS,
                              0, 0, width, height, HWND_MESSAGE, nullptr, thisModule(), this);
  quiet_ = false;
  hwnd_ = hwnd;
  // A strip that could not be made anew stays lost, to be tried again.
  if (hwnd_) lost_ = false;
  return hwnd_;
}

bool StripWindow::recreate() {
  if (hwnd_) return true;
  input_ = PointerInput(events_);
  lastMove_.reset();
  return makeWindow() != nullptr;
}

bool StripWindow::remake() {
  const HWND old = hwnd_;
  if (!old) return recreate();
  hwnd_ = nullptr;
  if (!makeWindow()) {
    hwnd_ = old;
    return false;
  }
  const HWND made = hwnd_;
  if (GetWindowLongPtrW(old, GWL_STYLE) & WS_VISIBLE) ShowWindow(made, SW_SHOWNA);
  destroying_ = true;
  hwnd_ = old;
  DestroyWindow(old);  // WM_NCDESTROY forgets the handle it was given
  destroying_ = false;
  hwnd_ = made;
  input_ = PointerInput(events_);
  lastMove_.reset();
  shown_.reset();
  return true;
}

void StripWindow::destroy() noexcept {
  if (hwnd_) {
    const HWND hwnd = hwnd_;
    destroying_ = true;
    DestroyWindow(hwnd);  // WM_NCDESTROY forgets the handle
    destroying_ = false;
    hwnd_ = nullptr;
  }
  lost_ = false;
  shown_.reset();
  // Also when the window was already lost with its parent.
  if (holdsClass_) class_.release();
  holdsClass_ = false;
}

void StripWindow::setLook(const TwipsScale& scale, HFONT font) {
  scale_ = scale;
  font_ = font;
  shown_.reset();
  invalidate();
}

void StripWindow::show(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void StripWindow::resize(float widthTwips, float heightTwips) {
  if (!hwnd_) return;
  quiet_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, scale_.toPixelsX(widthTwips), scale_.toPixelsY(heightTwips),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  quiet_ = false;
}

// The core asks after every tick and every event; the window is repainted
// only when what it shows has changed.
void StripWindow::invalidate() {
  if (!hwnd_) return;
  if (shown_ && state_ && sameLook(*shown_, *state_)) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void StripWindow::beginDrag(int index) {
  if (!hwnd_) return;
  input_.beginDrag(index);
  if (GetCapture() != hwnd_) SetCapture(hwnd_);
}

LRESULT CALLBACK StripWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<StripWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Let go of last, once nothing below touches `self` any more.
  const KeepAlive alive(self ? self->owner_ : nullptr);
  // Nothing may escape into the system's message dispatch.
  try {
    if (msg == WM_NCCREATE) {
      self = static_cast<StripWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      if (self) self->hwnd_ = hwnd;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (self->accessible_) self->accessible_->detach();
      self->accessible_.Reset();
      self->hwnd_ = nullptr;
      // The tooltip is owned by the frame, not by the strip: it would outlive it.
      self->dropTooltip();
      self->shown_.reset();
      self->pending_.clear();  // their messages went with the window
      if (!self->destroying_) self->lost_ = true;
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->handle(msg, wp, lp);
  } catch (...) {
    traceCaught("strip window message");
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT StripWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT, without flicker
    case WM_PAINT: paint(); return 0;
    case WM_MOUSEMOVE: mouseMove(lp); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: mouseButton(msg, lp); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd_) input_.cancel();
      return 0;
    case WM_SIZE:
      if (!quiet_ && events_)
        events_->onResize(scale_.toTwipsX(LOWORD(lp)), scale_.toTwipsY(HIWORD(lp)));
      return 0;
    case WM_GETOBJECT: return getObject(wp, lp);
    case WM_NOTIFY: return notify(lp);
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
    case kDpiChangedAfterParent:
      if (displayChanged_) displayChanged_();
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case kDefaultActionMessage:
      if (!pending_.empty()) {
        const PendingAction action = std::move(pending_.front());
        pending_.pop_front();
        defaultAction(action);
      }
      return 0;
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void StripWindow::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (!dc) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int w = client.right, h = client.bottom;
  if (state_ && w > 0 && h > 0) {
    // Everything is drawn into a memory bitmap and shown with one copy.
    MemoryDC memory(dc);
    Bitmap canvas(CreateCompatibleBitmap(dc, w, h));
    if (memory.get() && canvas) {
      Select selected(memory.get(), canvas.get());
      paintForm(memory.get(), *state_, scale_, font_, client);
      BitBlt(dc, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
      shown_ = *state_;
    }
  }
  EndPaint(hwnd_, &ps);
}

std::optional<Target> StripWindow::targetAt(POINT p) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!state_ || !PtInRect(&client, p)) return std::nullopt;
  return hitTest(*state_, scale_.toTwipsX(p.x), scale_.toTwipsY(p.y));
}

void StripWindow::mouseMove(LPARAM lp) {
  const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  // The system repeats a move for a pointer that did not move; we do not.
  if (lastMove_ && lastMove_->x == p.x && lastMove_->y == p.y) return;
  lastMove_ = p;
  const std::optional<Target> under = targetAt(p);
  followTooltip(under, p);
  input_.move(under);
}

// One tooltip for the whole strip, whose text is asked for when it is about
// to show: a pointer that moves to another tab takes the shown one down, so
// that the next is asked for that tab. Made once the strip has a parent (a
// tooltip needs a top-level owner).
void StripWindow::followTooltip(const std::optional<Target>& under, POINT at) {
  const int tab = under && under->kind != ElementKind::Ileft && under->kind != ElementKind::Iright &&
                          under->kind != ElementKind::Ilist && under->kind != ElementKind::Form
                      ? under->index
                      : 0;
  if (tip_ && !tooltipFits()) dropTooltip();
  if (tip_) {
    if (tab != tipTab_) {
      tipTab_ = tab;
      SendMessageW(tip_, TTM_POP, 0, 0);
    }
    return;
  }
  static const bool ready = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  if (!ready || !GetParent(hwnd_)) return;
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                         thisModule(), nullptr);
  if (!tip_) return;
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = hwnd_;
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  // A width makes the control break lines: the path, then "unsaved changes".
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 800);
  tipTab_ = tab;
  // The control hears the strip's moves from the next one on: this one,
  // which made it, starts its wait too.
  MSG move{};
  move.hwnd = hwnd_;
  move.message = WM_MOUSEMOVE;
  move.lParam = MAKELPARAM(at.x, at.y);
  SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

// A popup's owner is the top-level window its parent was in when it was
// made, and it goes down with that window: a tooltip made in a frame the
// strip has since left is not ours to keep (that frame may close and take
// it along).
bool StripWindow::tooltipFits() const {
  return tip_ && IsWindow(tip_) && GetWindow(tip_, GW_OWNER) == GetAncestor(hwnd_, GA_ROOT);
}

void StripWindow::dropTooltip() {
  if (tip_ && IsWindow(tip_) && GetWindowThreadProcessId(tip_, nullptr) == GetCurrentThreadId()) DestroyWindow(tip_);
  tip_ = nullptr;
  tipTab_ = 0;
}

LRESULT StripWindow::notify(LPARAM lp) {
  const auto* header = reinterpret_cast<const NMHDR*>(lp);
  if (!header || header->hwndFrom != tip_ || header->code != TTN_GETDISPINFOW) return 0;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
  tipText_.clear();
  if (tipTab_ != 0 && events_) tipText_ = widen(events_->tooltipText(tipTab_));
  // Nothing to say (the bare strip, an arrow): an empty text shows no tooltip.
  info->lpszText = tipText_.data();
  return 0;
}

void StripWindow::mouseButton(UINT msg, LPARAM lp) {
  const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  const std::optional<Target> under = targetAt(p);
  const HWND self = hwnd_;
  const int button = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_LBUTTONUP
                         ? mouse::kLeft
                     : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK || msg == WM_RBUTTONUP
                         ? mouse::kRight
                         : mouse::kMiddle;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(self);
      if (under) input_.buttonDown(button, *under);
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      SetCapture(self);
      if (under) input_.doubleClick(button, *under);
      break;
    default:
      input_.buttonUp(button, under, scale_.toTwipsX(p.x), scale_.toTwipsY(p.y));
      break;
  }
  // An event handler may have unloaded the form.
  if (hwnd_ == self && IsWindow(self) && !input_.holding() && !input_.dragging() &&
      GetCapture() == self)
    ReleaseCapture();
}

LRESULT StripWindow::getObject(WPARAM wp, LPARAM lp) {
  // A 64-bit lParam arrives sign-extended; compare the low 32 bits.
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT))
    return DefWindowProcW(hwnd_, WM_GETOBJECT, wp, lp);
  if (!accessible_) accessible_ = adopt(new StripAccessible(this));
  return LresultFromObject(kIID_IAccessible, wp, static_cast<IAccessible*>(accessible_.Get()));
}

std::vector<AccessibleItem> StripWindow::accessibleItems() const {
  if (!state_ || !hwnd_) return {};
  RECT client{};
  GetClientRect(hwnd_, &client);
  return win32::accessibleItems(*state_, scale_, client);
}

namespace {

bool isTabElement(ElementKind kind) {
  return kind == ElementKind::Image1 || kind == ElementKind::Image2 ||
         kind == ElementKind::Image3 || kind == ElementKind::Label2;
}

}  // namespace

void StripWindow::queueDefaultAction(const AccessibleItem& item) {
  if (!hwnd_ || !events_) throw std::runtime_error("strip window gone");
  PendingAction action{item.target.kind, item.target.index, {}};
  if (isTabElement(action.kind)) {
    std::shared_ptr<DocWindow> window = events_->tabWindow(item.target.index);
    if (!window) throw std::runtime_error("no tab at that element");
    action.window = window;
  }
  pending_.push_back(std::move(action));
  if (!PostMessageW(hwnd_, kDefaultActionMessage, 0, 0)) {
    pending_.pop_back();
    throw std::runtime_error("strip window gone");
  }
}

// What a click does: a tab's caption or close image is clicked; an arrow is
// pressed for one scroll step.
void StripWindow::defaultAction(const PendingAction& action) {
  if (!events_ || input_.dragging() || input_.holding()) return;
  Target target{action.kind, action.index};
  if (isTabElement(action.kind)) {
    const std::shared_ptr<DocWindow> window = action.window.lock();
    if (!window) return;  // the tab went, and its window with it
    target.index = events_->tabIndexOf(*window);
    if (target.index == 0) return;  // no tab shows that window any more
  }
  FormEvents* events = events_;
  events->onMouseDown(target, mouse::kLeft);
  if (action.kind == ElementKind::Ileft || action.kind == ElementKind::Iright)
    events->onTimer(action.kind == ElementKind::Ileft ? TimerId::Left : TimerId::Right);
  events->onMouseUp(target, mouse::kLeft);
  if (action.kind != ElementKind::Ileft && action.kind != ElementKind::Iright)
    events->onClick(target);
}

}  // namespace brelm::win32
