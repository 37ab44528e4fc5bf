#include "input/popup_reader.h"

#include <commctrl.h>

namespace hostsim {

namespace {
// The menu window answers it with its menu (documented for "#32768").
constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU

struct Search {
  const wchar_t* className;
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK findShown(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64];
  if (pid != s->processId || !IsWindowVisible(hwnd) || !GetClassNameW(hwnd, cls, 64) ||
      lstrcmpiW(cls, s->className) != 0)
    return TRUE;
  if (lstrcmpiW(s->className, TOOLTIPS_CLASSW) == 0 && SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0) <= 0) return TRUE;
  s->found = hwnd;
  return FALSE;
}

HWND findShownWindow(const wchar_t* className, DWORD processId) {
  Search s{className, processId ? processId : GetCurrentProcessId()};
  EnumWindows(findShown, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring withoutPrefixes(const std::wstring& raw) {
  std::wstring out;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == L'&') {
      if (i + 1 < raw.size() && raw[i + 1] == L'&') out += L'&';
      ++i;  // the next character is drawn underlined (or the pair as one)
      if (i < raw.size() && raw[i] != L'&') out += raw[i];
      continue;
    }
    out += raw[i];
  }
  return out;
}
}  // namespace

std::wstring menuTextAsShown(const std::wstring& raw) {
  const size_t tab = raw.find(L'\t');
  if (tab == std::wstring::npos) return withoutPrefixes(raw);
  return withoutPrefixes(raw.substr(0, tab)) + L" " + withoutPrefixes(raw.substr(tab + 1));
}

std::vector<std::wstring> tooltipLinesAsShown(const std::wstring& text, bool breaksLines, bool noPrefix) {
  const std::wstring shown = noPrefix ? text : withoutPrefixes(text);
  std::vector<std::wstring> lines;
  if (!breaksLines) {
    lines.push_back(shown);
    return lines;
  }
  size_t from = 0;
  for (;;) {
    size_t end = shown.find(L'\n', from);
    std::wstring line = shown.substr(from, end == std::wstring::npos ? std::wstring::npos : end - from);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    if (end == std::wstring::npos) break;
    from = end + 1;
  }
  return lines;
}

std::optional<ShownMenu> shownMenu(DWORD processId) {
  HWND window = findShownWindow(L"#32768", processId);
  if (!window) return std::nullopt;
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, kGetMenu, 0, 0));
  if (!menu || !IsMenu(menu)) return std::nullopt;
  ShownMenu out{window, {}};
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    ShownMenuItem item;
    wchar_t text[512] = L"";
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 511;
    if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
      item.separator = (info.fType & MFT_SEPARATOR) != 0;
      item.checked = (info.fState & MFS_CHECKED) != 0;
      item.highlighted = (info.fState & MFS_HILITE) != 0;
      if (!item.separator) item.text = menuTextAsShown(text);
    }
    // No window given: the system finds the popup's own.
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item.rect)) item.rect = RECT{};
    out.items.push_back(std::move(item));
  }
  return out;
}

std::optional<ShownTooltip> shownTooltip(DWORD processId) {
  HWND window = findShownWindow(TOOLTIPS_CLASSW, processId);
  if (!window) return std::nullopt;
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  if (text.empty()) return std::nullopt;
  ShownTooltip out;
  out.window = window;
  GetWindowRect(window, &out.rect);
  const bool breaks = static_cast<int>(SendMessageW(window, TTM_GETMAXTIPWIDTH, 0, 0)) >= 0;
  const bool noPrefix = (GetWindowLongW(window, GWL_STYLE) & TTS_NOPREFIX) != 0;
  out.lines = tooltipLinesAsShown(text, breaks, noPrefix);
  return out;
}

}  // namespace hostsim
