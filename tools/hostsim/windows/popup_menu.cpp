#include "windows/popup_menu.h"

#include <algorithm>

#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr wchar_t kClass[] = L"MsoCommandBarPopup";
constexpr int kItemHeight = 24;
constexpr int kIconWidth = 28;

struct PopupState {
  const std::vector<PopupItem>* items = nullptr;
  HWND window = nullptr;
  int hot = -1;
  bool pressed = false;
  bool done = false;
  std::optional<size_t> chosen;
};
PopupState* g_popup = nullptr;  // the one popup showing, if any

int itemAt(const PopupState& s, POINT client) {
  RECT rc;
  GetClientRect(s.window, &rc);
  if (client.x < 0 || client.x >= rc.right || client.y < 0) return -1;
  int i = client.y / kItemHeight;
  return i < static_cast<int>(s.items->size()) ? i : -1;
}

void paint(PopupState& s, HDC dc) {
  RECT rc;
  GetClientRect(s.window, &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_MENU));
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  for (size_t i = 0; i < s.items->size(); ++i) {
    RECT item{0, static_cast<LONG>(i) * kItemHeight, rc.right, static_cast<LONG>(i + 1) * kItemHeight};
    if (static_cast<int>(i) == s.hot) FillRect(dc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT icon{6, item.top + 5, 20, item.top + 19};
    FillRect(dc, &icon, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT text{kIconWidth + 4, item.top, item.right - 8, item.bottom};
    SetTextColor(dc, GetSysColor(static_cast<int>(i) == s.hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    const std::wstring& caption = (*s.items)[i].caption;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER);
  }
}

// The first decision stands: releasing the capture afterwards must not
// turn a choice into a dismissal.
void finish(PopupState& s, std::optional<size_t> chosen) {
  if (s.done) return;
  s.chosen = chosen;
  s.done = true;
}

LRESULT mouse(PopupState& s, UINT msg, LPARAM lp) {
  POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  int i = itemAt(s, pt);
  if (msg == WM_MOUSEMOVE && i != s.hot) {
    s.hot = i;
    InvalidateRect(s.window, nullptr, TRUE);
  } else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
    if (i < 0) finish(s, std::nullopt);  // a press outside dismisses, as menus do
    s.pressed = msg == WM_LBUTTONDOWN;
  } else if (msg == WM_LBUTTONUP && s.pressed && i >= 0) {
    finish(s, static_cast<size_t>(i));
  }
  return 0;
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  PopupState* s = g_popup;
  if (!s || s->window != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      paint(*s, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
      return mouse(*s, msg, lp);
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) finish(*s, std::nullopt);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) finish(*s, std::nullopt);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

SIZE measure(const std::vector<PopupItem>& items) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  int width = 120;
  for (const PopupItem& item : items) {
    SIZE sz{};
    GetTextExtentPoint32W(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &sz);
    width = std::max(width, static_cast<int>(sz.cx) + kIconWidth + 24);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {width, static_cast<LONG>(items.size()) * kItemHeight};
}
}  // namespace

std::optional<size_t> runPopupMenu(HWND owner, const std::vector<PopupItem>& items, POINT at) {
  if (items.empty() || g_popup) return std::nullopt;
  if (!registerClassOnce(kClass, popupProc, nullptr, CS_DROPSHADOW)) return std::nullopt;
  SIZE size = measure(items);
  PopupState state;
  state.items = &items;
  g_popup = &state;
  state.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP | WS_BORDER, at.x, at.y,
                                 size.cx + 2, size.cy + 2, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!state.window) {
    g_popup = nullptr;
    return std::nullopt;
  }
  ShowWindow(state.window, SW_SHOWNOACTIVATE);
  UpdateWindow(state.window);
  SetCapture(state.window);
  runModalLoop(state.window, state.done);
  if (GetCapture() == state.window) ReleaseCapture();
  g_popup = nullptr;
  DestroyWindow(state.window);
  return state.chosen;
}

std::optional<OpenPopup> currentPopup() {
  if (!g_popup || !g_popup->window) return std::nullopt;
  OpenPopup out{g_popup->window, {}, {}};
  RECT client;
  GetClientRect(g_popup->window, &client);
  for (size_t i = 0; i < g_popup->items->size(); ++i) {
    out.captions.push_back((*g_popup->items)[i].caption);
    RECT r{0, static_cast<LONG>(i) * kItemHeight, client.right, static_cast<LONG>(i + 1) * kItemHeight};
    MapWindowPoints(g_popup->window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    out.itemRects.push_back(r);
  }
  return out;
}

}  // namespace hostsim
