#include "strip.h"

#include <oleacc.h>

#include "dispatch_call.h"
#include "server.h"

namespace testaddin {

LRESULT answerAccessibility(HWND hwnd, WPARAM wp, LPARAM lp);

namespace {
constexpr wchar_t kClass[] = L"BrelmTabStrip";
constexpr UINT_PTR kTimer = 1;
constexpr int kHeight = 24, kTabWidth = 120, kCloseSize = 14;

bool sameObject(IDispatch* a, IDispatch* b) {
  ComPtr<IUnknown> ua, ub;
  if (!a || !b) return false;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ua.GetAddressOf()));
  b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ub.GetAddressOf()));
  // MinGW's ComPtr compares by its bool conversion, so compare raw pointers.
  return ua && ua.Get() == ub.Get();
}

void registerClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = g_module;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
}
}  // namespace

Strip::Strip(ComPtr<IDispatch> app, bool sheet, int major, Fault fault)
    : app_(std::move(app)), sheet_(sheet), major_(major), fault_(fault) {}

Strip::Fault Strip::faultFromRegistry() {
  wchar_t value[32] = L"";
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\HostSim\\TestAddin", L"Fault", RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return Fault::None;
  return lstrcmpiW(value, L"stale") == 0 ? Fault::Stale : Fault::None;
}

Strip::~Strip() {
  if (timer_) {
    KillTimer(timer_, kTimer);
    DestroyWindow(timer_);
  }
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}


bool Strip::create() {
  registerClass(kClass, proc);
  registerClass(L"HostSimTestTimer", timerProc);
  timer_ = CreateWindowExW(0, L"HostSimTestTimer", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_module, nullptr);
  if (!timer_ || !ensureWindow()) return false;
  SetWindowLongPtrW(timer_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return SetTimer(timer_, kTimer, 100, nullptr) != 0;
}

bool Strip::ensureWindow() {
  if (IsWindow(hwnd_)) return true;
  if (!hostWindow()) return false;
  hwnd_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 400, kHeight, hostWindow(), nullptr,
                          g_module, nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  dock();
  ShowWindow(hwnd_, SW_SHOWNA);
  return true;
}

// The spreadsheet host's window comes from Hwnd, as long as that names one
// of its XLMAIN frames; the presentation host's is its frame on top.
HWND Strip::hostWindow() const {
  if (sheet_) {
    Result hwnd;
    call(app_.Get(), L"Hwnd", DISPATCH_PROPERTYGET, {}, hwnd);
    if (!hwnd.ok()) return nullptr;
    auto frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd.number()));
    wchar_t cls[16] = L"";
    GetClassNameW(frame, cls, 16);
    return lstrcmpW(cls, L"XLMAIN") == 0 ? frame : nullptr;
  }
  std::wstring cls = major_ > 13 ? L"PPTFrameClass" : L"PP" + std::to_wstring(major_) + L"FrameClass";
  return FindWindowW(cls.c_str(), nullptr);
}

// Sits over the top edge of the document area.
void Strip::dock() {
  HWND parent = GetParent(hwnd_);
  HWND area = FindWindowExW(parent, nullptr, sheet_ ? L"XLDESK" : L"MDIClient", nullptr);
  RECT r{};
  GetWindowRect(area, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(hwnd_, HWND_TOP, r.left, r.top, r.right - r.left, kHeight, SWP_NOACTIVATE);
}

void Strip::refresh() {
  if (!ensureWindow()) return;
  HWND host = hostWindow();
  if (host && GetParent(hwnd_) != host) SetParent(hwnd_, host);
  dock();
  if (frozen()) return;
  Result windows, count, active;
  call(app_.Get(), L"Windows", DISPATCH_PROPERTYGET, {}, windows);
  call(windows.object().Get(), L"Count", DISPATCH_PROPERTYGET, {}, count);
  if (!count.ok()) return;  // busy: try again next tick
  std::vector<Tab> tabs;
  for (long i = 1; i <= count.number(); ++i) {
    Result item, caption, visible;
    call(windows.object().Get(), L"Item", DISPATCH_PROPERTYGET, {arg(i)}, item);
    call(item.object().Get(), L"Caption", DISPATCH_PROPERTYGET, {}, caption);
    // Hidden windows (the personal macro workbook) get no tab.
    if (sheet_) call(item.object().Get(), L"Visible", DISPATCH_PROPERTYGET, {}, visible);
    if (sheet_ && visible.ok() && visible.number() == 0) continue;
    if (caption.ok()) tabs.push_back({caption.text(), item.object(), {}, {}});
  }
  tabs_ = std::move(tabs);
  filled_ = filled_ || !tabs_.empty();
  call(app_.Get(), L"ActiveWindow", DISPATCH_PROPERTYGET, {}, active);
  selected_ = -1;
  for (size_t i = 0; i < tabs_.size(); ++i)
    if (active.ok() && sameObject(tabs_[i].window.Get(), active.object().Get())) selected_ = static_cast<int>(i);
  layoutTabs();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Strip::onActivated(IDispatch* window) {
  if (frozen()) return;
  for (size_t i = 0; i < tabs_.size(); ++i)
    if (sameObject(tabs_[i].window.Get(), window)) selected_ = static_cast<int>(i);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Strip::layoutTabs() {
  for (size_t i = 0; i < tabs_.size(); ++i) {
    int left = static_cast<int>(i) * kTabWidth;
    tabs_[i].rect = RECT{left, 0, left + kTabWidth - 2, kHeight};
    int cx = left + kTabWidth - 6 - kCloseSize;
    tabs_[i].close = RECT{cx, (kHeight - kCloseSize) / 2, cx + kCloseSize, (kHeight + kCloseSize) / 2};
  }
}

void Strip::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  HBRUSH back = CreateSolidBrush(RGB(90, 90, 100));
  FillRect(dc, &client, back);
  DeleteObject(back);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  for (size_t i = 0; i < tabs_.size(); ++i) {
    const Tab& t = tabs_[i];
    bool selected = static_cast<int>(i) == selected_;
    FillRect(dc, &t.rect, static_cast<HBRUSH>(GetStockObject(selected ? WHITE_BRUSH : LTGRAY_BRUSH)));
    RECT text = t.rect;
    text.left += 6;
    text.right = t.close.left - 2;
    DrawTextW(dc, t.caption.c_str(), static_cast<int>(t.caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    FillRect(dc, &t.close, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }
  EndPaint(hwnd_, &ps);
}

void Strip::press(POINT p, bool right) {
  if (right) {
    Result bars, bar, shown;
    call(app_.Get(), L"CommandBars", DISPATCH_PROPERTYGET, {}, bars);
    call(bars.object().Get(), L"Item", DISPATCH_PROPERTYGET, {arg(L"HostSimTestPopup")}, bar);
    call(bar.object().Get(), L"ShowPopup", DISPATCH_METHOD, {}, shown);
    return;
  }
  for (size_t i = 0; i < tabs_.size(); ++i) {
    if (PtInRect(&tabs_[i].close, p)) return closeTab(i);
    if (PtInRect(&tabs_[i].rect, p)) {
      Result done;
      call(tabs_[i].window.Get(), L"Activate", DISPATCH_METHOD, {}, done);
      return;
    }
  }
}

// The presentation host leaves the save prompt to the add-in.
bool Strip::promptToSave(IDispatch* window) {
  Result doc, saved, caption, path, name, dialog, shown, done;
  call(window, L"Parent", DISPATCH_PROPERTYGET, {}, doc);
  call(doc.object().Get(), L"Saved", DISPATCH_PROPERTYGET, {}, saved);
  if (!saved.ok() || saved.number() != 0) return true;
  call(window, L"Caption", DISPATCH_PROPERTYGET, {}, caption);
  std::wstring text = L"Do you want to save the changes you made to " + caption.text() + L"?";
  int answer = MessageBoxW(hwnd_, text.c_str(), L"", MB_YESNOCANCEL);
  if (answer == IDCANCEL) return false;
  return answer == IDNO || saveDocument(doc.object().Get());
}

// False when the user cancelled the Save As dialog.
bool Strip::saveDocument(IDispatch* doc) {
  Result path, name, dialog, shown, done;
  call(doc, L"Path", DISPATCH_PROPERTYGET, {}, path);
  if (!path.text().empty()) {
    call(doc, L"Save", DISPATCH_METHOD, {}, done);
    return true;
  }
  call(doc, L"Name", DISPATCH_PROPERTYGET, {}, name);
  call(app_.Get(), L"FileDialog", DISPATCH_PROPERTYGET, {arg(2L)}, dialog);
  call(dialog.object().Get(), L"InitialFileName", DISPATCH_PROPERTYPUT, {arg(name.text().c_str())}, done);
  call(dialog.object().Get(), L"Show", DISPATCH_METHOD, {}, shown);
  if (shown.number() != -1) return false;
  call(dialog.object().Get(), L"Execute", DISPATCH_METHOD, {}, done);
  return true;
}

void Strip::closeTab(size_t i) {
  ComPtr<IDispatch> window = tabs_[i].window;
  if (!sheet_ && !promptToSave(window.Get())) return;
  Result done;
  call(window.Get(), L"Close", DISPATCH_METHOD, {}, done);
}

void Strip::onMenu(const std::wstring& parameter) {
  if (parameter != L"SaveAll") return;
  Result docs, count;
  call(app_.Get(), sheet_ ? L"Workbooks" : L"Presentations", DISPATCH_PROPERTYGET, {}, docs);
  call(docs.object().Get(), L"Count", DISPATCH_PROPERTYGET, {}, count);
  for (long i = 1; i <= count.number(); ++i) {
    Result doc, saved;
    call(docs.object().Get(), L"Item", DISPATCH_PROPERTYGET, {arg(i)}, doc);
    call(doc.object().Get(), L"Saved", DISPATCH_PROPERTYGET, {}, saved);
    if (saved.ok() && saved.number() == 0) saveDocument(doc.object().Get());
  }
}

LRESULT CALLBACK Strip::timerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<Strip*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg != WM_TIMER || !self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    self->refresh();
  } catch (...) {
  }
  return 0;
}

LRESULT CALLBACK Strip::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<Strip*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_GETOBJECT) return answerAccessibility(hwnd, wp, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->handle(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT Strip::handle(UINT msg, WPARAM wp, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONUP: press(p, false); return 0;
    case WM_RBUTTONUP: press(p, true); return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace testaddin
