// Shared window procedures of the host's window tree. Nothing here lets an
// exception out: each entry point is noexcept and catches at its edge.
#include <string>

#include "common/text.h"
#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/window_watch.h"

namespace hostsim {

namespace {
HostWindows* treeOf(HWND hwnd) {
  return reinterpret_cast<HostWindows*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

std::wstring titleOf(HWND hwnd) {
  wchar_t buf[256];
  int n = GetWindowTextW(hwnd, buf, 256);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

void paintBorder(HWND hwnd, int border) {
  HDC dc = GetWindowDC(hwnd);
  RECT r;
  GetWindowRect(hwnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  HBRUSH brush = CreateSolidBrush(RGB(70, 70, 70));
  for (int i = 0; i < border; ++i) {
    FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
  }
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
}

// Command bars show their names; docks are plain (their titles only name
// them for whoever searches the tree); the formula bar is light.
void paintPart(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  wchar_t cls[64] = L"";
  GetClassNameW(hwnd, cls, 64);
  std::wstring title = lstrcmpW(cls, L"MsoCommandBarDock") == 0 ? L"" : titleOf(hwnd);
  SetBkMode(dc, TRANSPARENT);
  bool formulaBar = lstrcmpW(cls, L"EXCEL;") == 0;
  SetTextColor(dc, formulaBar ? RGB(90, 90, 90) : RGB(255, 255, 255));
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  r.left += 8;
  // The formula bar's own line stays at its top when an add-in makes it taller.
  if (formulaBar && r.bottom > 24) r.bottom = 24;
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  EndPaint(hwnd, &ps);
}

void paintSheet(HDC dc, RECT r) {
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(218, 220, 224));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int x = 40; x < r.right; x += 72) MoveToEx(dc, x, 0, nullptr), LineTo(dc, x, r.bottom);
  for (int y = 20; y < r.bottom; y += 20) MoveToEx(dc, 0, y, nullptr), LineTo(dc, r.right, y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void paintSlide(HDC dc, RECT r) {
  HBRUSH back = CreateSolidBrush(RGB(200, 200, 204));
  FillRect(dc, &r, back);
  DeleteObject(back);
  int w = (r.right - r.left) * 3 / 4, h = w * 9 / 16;
  if (h > (r.bottom - r.top) - 20) h = (r.bottom - r.top) - 20, w = h * 16 / 9;
  RECT slide{(r.right - w) / 2, (r.bottom - h) / 2, (r.right + w) / 2, (r.bottom + h) / 2};
  FillRect(dc, &slide, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void paintView(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  HostWindows* tree = treeOf(GetParent(hwnd));
  bool sheet = tree && tree->host().config().sheet();
  if (sheet) paintSheet(dc, r);
  else paintSlide(dc, r);
  std::wstring title = titleOf(hwnd);
  LOGFONTW lf{};
  lf.lfHeight = -22;
  lstrcpyW(lf.lfFaceName, L"Tahoma");
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(60, 60, 60));
  RECT text = r;
  if (sheet) OffsetRect(&text, 50, 24);
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
            DT_SINGLELINE | (sheet ? 0u : DT_CENTER | DT_VCENTER));
  SelectObject(dc, old);
  DeleteObject(font);
  EndPaint(hwnd, &ps);
}

LRESULT frameMessage(HostWindows& tree, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WindowWatch::queryMessage()) return WindowWatch::instance().answer(hwnd, wp);
  int border = tree.frameBorder();
  switch (msg) {
    case WM_SIZE: tree.frameSized(hwnd, wp, lp); return 0;
    case WM_CLOSE: tree.frameClosing(hwnd); return 0;
    case WM_DPICHANGED:
      tree.dpiChanged(hwnd, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_MOUSEACTIVATE: tree.frameClicked(hwnd); break;
    case WM_NCCALCSIZE:
      if (border == 0) break;
      if (wp) InflateRect(&reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0], -border, -border);
      else InflateRect(reinterpret_cast<RECT*>(lp), -border, -border);
      return 0;
    case WM_NCPAINT:
      if (border == 0) break;
      paintBorder(hwnd, border);
      return 0;
    case WM_NCACTIVATE:
      if (border == 0) break;
      return TRUE;
    case WM_GETMINMAXINFO:
      if (!tree.drawsOwnBorder()) break;
      tree.maxInfo(*reinterpret_cast<MINMAXINFO*>(lp));
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

LRESULT CALLBACK frameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  HostWindows* tree = treeOf(hwnd);
  if (!tree) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return frameMessage(*tree, hwnd, msg, wp, lp);
  } catch (...) {
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT CALLBACK partProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_PAINT) {
    paintPart(hwnd);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The document area: as an MDI client does, it resizes only the frontmost
// view when that one is maximised; the others get the size when they come to
// the front (HostWindows::raiseView).
LRESULT CALLBACK deskProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  HostWindows* tree = treeOf(hwnd);
  if (msg == WM_SIZE && tree) {
    HWND front = GetWindow(hwnd, GW_CHILD);
    auto* window = front ? reinterpret_cast<const WindowObj*>(GetWindowLongPtrW(front, GWLP_USERDATA)) : nullptr;
    if (window && tree->fillsDocumentArea(*window))
      SetWindowPos(front, nullptr, 0, 0, LOWORD(lp), HIWORD(lp), SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A document view: a click in it activates its window, as in the hosts.
LRESULT CALLBACK viewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* window = reinterpret_cast<WindowObj*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT: paintView(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
      if (!window || window->closed()) break;
      try {
        HostWindows* tree = treeOf(GetParent(hwnd));
        if (tree) tree->host().activate(*window);
      } catch (...) {
      }
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace hostsim
