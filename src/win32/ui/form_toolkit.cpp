#include "ui/form_toolkit.h"

#include "system/text.h"
#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

// The captions' font: Tahoma 11.25 pt, normal weight.
constexpr wchar_t kCaptionFace[] = L"Tahoma";
constexpr int kCaptionHundredthsOfPoint = 1125;

Font makeCaptionFont(int dpiY) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(kCaptionHundredthsOfPoint, dpiY, 7200);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(lf.lfFaceName, kCaptionFace, LF_FACESIZE);
  return Font(CreateFontIndirectW(&lf));
}

}  // namespace

Win32FormToolkit::Win32FormToolkit(std::wstring title) : title_(std::move(title)) {
  refreshLook();
  strip_.onDisplayChange([this] { refreshLook(); });
}

Win32FormToolkit::~Win32FormToolkit() { destroy(); }

void Win32FormToolkit::refreshLook() {
  const int dpi = dpi_ > 0 ? dpi_ : screenDpiY();
  scale_ = TwipsScale::forDpi(dpi, dpi);
  if (dpi != fontDpi_ || !captionFont_) {
    captionFont_ = makeCaptionFont(dpi);
    fontDpi_ = dpi;
  }
  strip_.setLook(scale_, captionFont_.get());
}

void Win32FormToolkit::setDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  refreshLook();
}

// A window's DPI awareness is fixed when it is made, and SetParent refuses a
// parent of another: the strip is made anew in the frame's.
bool Win32FormToolkit::fitFor(Hwnd parent) {
  const HWND frame = reinterpret_cast<HWND>(parent);
  if (!strip_.hwnd() || sameAwareness(strip_.hwnd(), frame)) return true;
  const DpiScope dpi(frame);
  const bool wasReference = dpiReference() == strip_.hwnd();
  if (!strip_.remake()) return false;
  if (wasReference) setDpiReference(strip_.hwnd());
  return true;
}

Hwnd Win32FormToolkit::create(const FormState* state, FormEvents* events) {
  if (strip_.hwnd()) return reinterpret_cast<Hwnd>(strip_.hwnd());
  state_ = state;
  // Made in the awareness the host calls us in; a frame of another is given
  // a strip made anew in its own when the strip moves in (fitFor).
  refreshLook();
  const HWND hwnd = strip_.create(state, events, scale_, captionFont_.get());
  if (!hwnd) {
    strip_.destroy();
    return kNoWindow;
  }
  // A strip without its timers would sit there and never follow the host:
  // fail, so that the connection reports it.
  if (!timers_.create(events)) {
    strip_.destroy();
    return kNoWindow;
  }
  setDpiReference(hwnd);
  return reinterpret_cast<Hwnd>(hwnd);
}

void Win32FormToolkit::destroy() {
  if (dpiReference() == strip_.hwnd()) setDpiReference(nullptr);
  timers_.destroy();
  strip_.destroy();
}

bool Win32FormToolkit::recreateIfLost() {
  if (!strip_.lost()) return false;
  if (dpiReference() && !IsWindow(dpiReference())) setDpiReference(nullptr);
  refreshLook();
  if (!strip_.recreate()) return false;
  setDpiReference(strip_.hwnd());
  return true;
}

Hwnd Win32FormToolkit::window() const { return reinterpret_cast<Hwnd>(strip_.hwnd()); }

void Win32FormToolkit::show(bool visible) { strip_.show(visible); }

void Win32FormToolkit::resize(float width, float height) { strip_.resize(width, height); }

float Win32FormToolkit::textWidth(const std::string& caption) {
  const std::wstring text = widen(caption);
  WindowDC screen(nullptr);
  Select font(screen.get(), captionFont_.get());
  SIZE size{};
  if (!text.empty() &&
      !GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size))
    size.cx = 0;
  return scale_.toTwipsX(size.cx);
}

float Win32FormToolkit::textHeight() {
  WindowDC screen(nullptr);
  Select font(screen.get(), captionFont_.get());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.get(), &tm);
  return scale_.toTwipsY(tm.tmHeight);
}

void Win32FormToolkit::setTimer(TimerId timer, bool enabled, int intervalMs) {
  timers_.set(timer, enabled, intervalMs);
}

bool Win32FormToolkit::timerEnabled(TimerId timer) const { return timers_.enabled(timer); }

void Win32FormToolkit::tickOnForeground(TimerId timer) { timers_.tickOnForeground(timer); }

void Win32FormToolkit::invalidate() { strip_.invalidate(); }

void Win32FormToolkit::beginDrag(int index) { strip_.beginDrag(index); }

// Our message boxes are modal to the whole host: task-modal without an owner
// disables every top-level window of the thread, each frame of a host with
// one frame per document among them. Owned by one frame only, the box would
// leave the others open to the user (a click there moves the strip to that
// frame and hides the box's own).
constexpr UINT kHostModal = MB_TASKMODAL;

// A popup menu under the list button: the keyboard works in it as in any
// popup menu (arrows, Enter, Escape). It runs its own message loop.
int Win32FormToolkit::chooseFromList(const std::vector<std::string>& items, int checked) {
  const HWND owner = strip_.hwnd();
  if (!owner || items.empty()) return -1;
  struct Menu {
    HMENU h = CreatePopupMenu();
    ~Menu() {
      if (h) DestroyMenu(h);
    }
  } menu;
  if (!menu.h) return -1;
  for (size_t i = 0; i < items.size(); ++i) {
    // A menu takes "&" for the mark of a shortcut letter: a caption's own
    // ampersands are doubled to be drawn as they are.
    std::wstring text;
    for (wchar_t c : widen(items[i])) text += c == L'&' ? L"&&" : std::wstring(1, c);
    UINT flags = MF_STRING;
    if (static_cast<int>(i) == checked) flags |= MF_CHECKED;
    if (!AppendMenuW(menu.h, flags, i + 1, text.c_str())) return -1;
  }
  POINT at{0, 0};
  if (state_) {
    const RECT button = scale_.toPixels(state_->ilist);
    at = {button.left, button.bottom};
  }
  ClientToScreen(owner, &at);
  // The menu closes when the user clicks elsewhere only if its owner's
  // thread is in front; the empty message after it makes the close stick.
  SetForegroundWindow(GetAncestor(owner, GA_ROOT));
  const int chosen = static_cast<int>(TrackPopupMenuEx(
      menu.h, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen > 0 ? chosen - 1 : -1;
}

int Win32FormToolkit::messageBox(const std::string& text) {
  const std::wstring body = widen(text);
  const int answer = MessageBoxW(nullptr, body.c_str(), title_.c_str(), MB_YESNOCANCEL | kHostModal);
  switch (answer) {
    case IDYES: return msgbox::kYes;
    case IDNO: return msgbox::kNo;
    default: return msgbox::kCancel;
  }
}

}  // namespace brelm::win32

namespace brelm::win32 {

void Win32FormToolkit::showMessage(const std::string& text) {
  const std::wstring body = widen(text);
  MessageBoxW(nullptr, body.c_str(), title_.c_str(), MB_OK | MB_ICONINFORMATION | kHostModal);
}

}  // namespace brelm::win32
