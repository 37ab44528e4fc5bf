#include "prompt_reader.h"

#include <oleacc.h>

#include <vector>

#include "common/com.h"

namespace brelmcheck {

namespace {
constexpr int kMessageTextId = 0xFFFF;  // the message box's text
// The file name box of the common Save As dialog (a combo box holding an
// edit control) and of older ones.
constexpr int kFileNameCombo = 0x047C;
constexpr int kFileNameEdit = 0x0480;

std::wstring classOf(HWND hwnd) {
  wchar_t cls[64] = L"";
  GetClassNameW(hwnd, cls, 64);
  return cls;
}

std::wstring textOf(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), n + 1)));
  return text;
}

struct TopLevel {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopLevel*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->processId && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> visibleTopLevel(DWORD processId) {
  TopLevel s{processId, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct ControlSearch {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK findControl(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ControlSearch*>(lp);
  if (GetDlgCtrlID(hwnd) != s->id || !IsWindowVisible(hwnd)) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// A control by its ID anywhere inside the dialog: the file name box of the
// current Save As dialog sits a few windows deep.
HWND controlInside(HWND dialog, int id) {
  ControlSearch s{id};
  EnumChildWindows(dialog, findControl, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND fileNameBox(HWND dialog) {
  if (HWND combo = controlInside(dialog, kFileNameCombo)) {
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
    return combo;
  }
  if (HWND edit = controlInside(dialog, kFileNameEdit)) return edit;
  // A dialog of the host's own making: its one edit control.
  return FindWindowExW(dialog, nullptr, L"Edit", nullptr);
}

// Names a screen reader hears for each answer, in the hosts' English.
std::vector<std::wstring> namesFor(const std::string& answer) {
  if (answer == "yes") return {L"Yes", L"Save"};
  if (answer == "no") return {L"No", L"Don't Save", L"Don\u2019t Save"};
  if (answer == "cancel") return {L"Cancel"};
  if (answer == "ok") return {L"OK"};
  return {};
}

std::wstring withoutMnemonic(std::wstring s) {
  std::wstring out;
  for (wchar_t c : s)
    if (c != L'&') out += c;
  return out;
}

// A push button of that name among the prompt's accessible children (one
// level of nesting, as the hosts' own dialogs have it).
std::optional<POINT> accessibleButton(IAccessible* parent, const std::vector<std::wstring>& names, int depth) {
  long count = 0;
  if (!parent || FAILED(parent->get_accChildCount(&count)) || count <= 0 || count > 500) return std::nullopt;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  if (FAILED(AccessibleChildren(parent, 0, count, children.data(), &got))) return std::nullopt;
  std::optional<POINT> found;
  for (long i = 0; i < got; ++i) {
    VARIANT& c = children[static_cast<size_t>(i)];
    if (!found && c.vt == VT_DISPATCH && c.pdispVal) {
      hostsim::ComPtr<IAccessible> child;
      if (SUCCEEDED(c.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(child.GetAddressOf())))) {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        VARIANT role;
        VariantInit(&role);
        if (SUCCEEDED(child->get_accName(self, &name)) && name && SUCCEEDED(child->get_accRole(self, &role)) &&
            role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_PUSHBUTTON) {
          for (const std::wstring& n : names)
            if (withoutMnemonic(name) == n) {
              long l = 0, t = 0, w = 0, h = 0;
              if (SUCCEEDED(child->accLocation(&l, &t, &w, &h, self))) found = POINT{l + w / 2, t + h / 2};
            }
        }
        SysFreeString(name);
        if (!found && depth > 0) found = accessibleButton(child.Get(), names, depth - 1);
      }
    }
    VariantClear(&c);
  }
  return found;
}
}  // namespace

std::optional<ShownPrompt> shownPrompt(DWORD processId) {
  for (HWND w : visibleTopLevel(processId)) {
    const std::wstring cls = classOf(w);
    if (cls == L"#32770" && !fileNameBox(w)) {
      HWND text = GetDlgItem(w, kMessageTextId);
      return ShownPrompt{w, text ? textOf(text) : textOf(w)};
    }
    // The hosts' own question dialogs.
    if (cls == L"NUIDialog") return ShownPrompt{w, textOf(w)};
  }
  return std::nullopt;
}

std::optional<ShownSaveDialog> shownSaveDialog(DWORD processId) {
  for (HWND w : visibleTopLevel(processId)) {
    if (HWND box = fileNameBox(w); box && (classOf(w) == L"#32770" || GetDlgItem(w, IDOK)))
      return ShownSaveDialog{w, box};
  }
  return std::nullopt;
}

std::optional<POINT> answerButton(HWND prompt, const std::string& answer) {
  const int id = answer == "yes" ? IDYES : answer == "no" ? IDNO : answer == "cancel" ? IDCANCEL
                                                               : answer == "ok"   ? IDOK
                                                                                  : 0;
  if (HWND button = id ? GetDlgItem(prompt, id) : nullptr; button && IsWindowVisible(button)) {
    RECT r;
    GetWindowRect(button, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  hostsim::ComPtr<IAccessible> acc;
  if (FAILED(AccessibleObjectFromWindow(prompt, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(acc.GetAddressOf()))))
    return std::nullopt;
  return accessibleButton(acc.Get(), namesFor(answer), 3);
}

}  // namespace brelmcheck
