#include "input/strip_reader.h"

#include <oleacc.h>

#include "common/com.h"

namespace hostsim {

namespace {
// liboleacc.a resolves IID_IAccessible to an import thunk, not the GUID, so
// the interface identifier is spelled out here.
constexpr IID kIID_IAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr wchar_t kStripClass[] = L"BrelmTabStrip";

struct Search {
  DWORD processId;
  std::vector<HWND> found;
};

bool isStrip(HWND hwnd) {
  wchar_t cls[64];
  return GetClassNameW(hwnd, cls, 64) && lstrcmpW(cls, kStripClass) == 0;
}

BOOL CALLBACK findInChildren(HWND hwnd, LPARAM search) {
  if (isStrip(hwnd)) reinterpret_cast<Search*>(search)->found.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK findInTopLevel(HWND hwnd, LPARAM arg) {
  auto* search = reinterpret_cast<Search*>(arg);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId) return TRUE;
  findInChildren(hwnd, arg);
  EnumChildWindows(hwnd, findInChildren, arg);
  return TRUE;
}

VARIANT child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

AccessibleItem readItem(IAccessible& acc, long id) {
  AccessibleItem item;
  VARIANT who = child(id);
  BSTR name = nullptr;
  if (SUCCEEDED(acc.get_accName(who, &name)) && name) {
    item.name.assign(name, SysStringLen(name));
    SysFreeString(name);
  }
  Variant state;
  if (SUCCEEDED(acc.get_accState(who, &state)) && state.get().vt == VT_I4) {
    item.selected = (state.get().lVal & STATE_SYSTEM_SELECTED) != 0;
    item.invisible = (state.get().lVal & STATE_SYSTEM_INVISIBLE) != 0;
  }
  long l = 0, t = 0, w = 0, h = 0;
  if (SUCCEEDED(acc.accLocation(&l, &t, &w, &h, who))) item.rect = RECT{l, t, l + w, t + h};
  return item;
}
}  // namespace

std::vector<HWND> findStripWindows(DWORD processId) {
  Search search{processId ? processId : GetCurrentProcessId(), {}};
  EnumWindows(findInTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findStripWindow(DWORD processId) {
  std::vector<HWND> all = findStripWindows(processId);
  return all.empty() ? nullptr : all.front();
}

std::optional<StripView> readStrip(std::string* problem) { return readStripWindow(findStripWindow(), problem); }

std::optional<StripView> readStripWindow(HWND strip, std::string* problem) {
  StripView view;
  view.window = strip;
  if (!view.window) {
    if (problem) *problem = "no window of class BrelmTabStrip";
    return std::nullopt;
  }
  GetWindowRect(view.window, &view.rect);
  view.visible = IsWindowVisible(view.window) != FALSE;
  ComPtr<IAccessible> acc;
  HRESULT hr = AccessibleObjectFromWindow(view.window, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                          reinterpret_cast<void**>(acc.GetAddressOf()));
  long count = 0;
  if (SUCCEEDED(hr) && acc) hr = acc->get_accChildCount(&count);
  // Tabs, their close images, the two arrows, and (add-ins that have one)
  // the button listing every document.
  if (FAILED(hr) || !acc || count < 2) {
    if (problem) *problem = "strip accessibility unusable (" + hresultText(hr) + ", " + std::to_string(count) + " children)";
    return std::nullopt;
  }
  const bool withList = count % 2 != 0;
  long n = (count - (withList ? 3 : 2)) / 2;
  const std::wstring unsaved = L", unsaved";
  for (long i = 1; i <= n; ++i) {
    AccessibleItem tab = readItem(*acc.Get(), i);
    if (tab.name.size() > unsaved.size() &&
        tab.name.compare(tab.name.size() - unsaved.size(), unsaved.size(), unsaved) == 0) {
      tab.name.resize(tab.name.size() - unsaved.size());
      tab.unsaved = true;
    }
    view.tabs.push_back(std::move(tab));
  }
  for (long i = n + 1; i <= 2 * n; ++i) view.closers.push_back(readItem(*acc.Get(), i));
  view.left = readItem(*acc.Get(), 2 * n + 1);
  view.right = readItem(*acc.Get(), 2 * n + 2);
  if (withList) view.list = readItem(*acc.Get(), 2 * n + 3);
  return view;
}

}  // namespace hostsim
