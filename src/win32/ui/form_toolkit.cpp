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
  const int dpiX = screenDpiX(), dpiY = screenDpiY();
  scale_ = TwipsScale::forDpi(dpiX, dpiY);
  if (dpiY != fontDpi_ || !captionFont_) {
    captionFont_ = makeCaptionFont(dpiY);
    fontDpi_ = dpiY;
  }
  strip_.setLook(scale_, captionFont_.get());
}

Hwnd Win32FormToolkit::create(const FormState* state, FormEvents* events) {
  if (strip_.hwnd()) return reinterpret_cast<Hwnd>(strip_.hwnd());
  // The strip becomes a child of the host's main window: it must be created
  // in that window's DPI awareness.
  const DpiScope dpi(threadMainWindow());
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
  const DpiScope dpi(threadMainWindow());
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

void Win32FormToolkit::invalidate() { strip_.invalidate(); }

void Win32FormToolkit::beginDrag(int index) { strip_.beginDrag(index); }

// Our message boxes are modal to the whole host: task-modal without an owner
// disables every top-level window of the thread, each frame of a host with
// one frame per document among them. Owned by one frame only, the box would
// leave the others open to the user (a click there moves the strip to that
// frame and hides the box's own).
constexpr UINT kHostModal = MB_TASKMODAL;

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
