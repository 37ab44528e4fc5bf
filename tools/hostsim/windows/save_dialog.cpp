#include "windows/save_dialog.h"

#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr wchar_t kClass[] = L"HostSimSaveAs";
constexpr int kNameId = 100;

struct DialogState {
  OpenSaveDialog parts;
  bool done = false;
  std::optional<std::wstring> chosen;
};
DialogState* g_dialog = nullptr;

std::wstring textOf(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

LRESULT CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  DialogState* s = g_dialog;
  if (s && s->parts.window == hwnd) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
      s->chosen = textOf(s->parts.nameBox);
      s->done = true;
      return 0;
    }
    if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE) {
      s->done = true;
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}

bool build(DialogState& s, HWND owner, const std::wstring& initialName) {
  RECT area{};
  GetWindowRect(owner ? owner : GetDesktopWindow(), &area);
  int x = area.left + 80, y = area.top + 80;
  s.parts.window = CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, L"Save As",
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, 420, 150, owner, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  if (!s.parts.window) return false;
  HWND w = s.parts.window;
  child(w, L"STATIC", L"File name:", 0, 12, 20, 70, 20, -1);
  s.parts.nameBox = child(w, L"EDIT", initialName.c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 90, 18, 300, 22, kNameId);
  s.parts.saveButton = child(w, L"BUTTON", L"&Save", WS_TABSTOP | BS_DEFPUSHBUTTON, 210, 62, 85, 26, IDOK);
  s.parts.cancelButton = child(w, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 305, 62, 85, 26, IDCANCEL);
  return true;
}
}  // namespace

std::optional<std::wstring> runSaveDialog(HWND owner, const std::wstring& initialName) {
  if (g_dialog || !registerClassOnce(kClass, dialogProc, GetSysColorBrush(COLOR_BTNFACE))) return std::nullopt;
  DialogState state;
  g_dialog = &state;
  if (!build(state, owner, initialName)) {
    g_dialog = nullptr;
    return std::nullopt;
  }
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(state.parts.window, SW_SHOW);
  SetForegroundWindow(state.parts.window);
  SetFocus(state.parts.nameBox);
  runModalLoop(state.parts.window, state.done);
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  g_dialog = nullptr;
  DestroyWindow(state.parts.window);
  return state.chosen;
}

std::optional<OpenSaveDialog> currentSaveDialog() {
  if (!g_dialog || !g_dialog->parts.window) return std::nullopt;
  return g_dialog->parts;
}

}  // namespace hostsim
