#include "script/window_query.h"

#include <winternl.h>

#include <algorithm>

#include "common/text.h"
#include "host/host.h"
#include "input/strip_reader.h"
#include "windows/host_windows.h"

namespace hostsim {

namespace {
struct Search {
  std::wstring cls, title;
  bool anyTitle = true;
  HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t cls[128], title[256];
  GetClassNameW(hwnd, cls, 128);
  GetWindowTextW(hwnd, title, 256);
  if (equalsNoCase(cls, s->cls) && (s->anyTitle || s->title == title)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK findBox(HWND hwnd, LPARAM out) {
  wchar_t cls[16];
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Windows enumerates user objects it cannot count under Wine; the windows
// of the thread stand in for them there.
BOOL CALLBACK countChild(HWND, LPARAM n) {
  ++*reinterpret_cast<long*>(n);
  return TRUE;
}

BOOL CALLBACK countWindow(HWND hwnd, LPARAM n) {
  ++*reinterpret_cast<long*>(n);
  EnumChildWindows(hwnd, countChild, n);
  return TRUE;
}
}  // namespace

HWND findHostWindow(Host& host, const std::string& target, HWND frame) {
  if (target == "strip") return findStripWindow();
  HWND main = frame ? frame : host.tree().mainWindow();
  if (target == "main") return main;
  Search s;
  size_t colon = target.find(':');
  s.cls = widen(target.substr(0, colon));
  if (colon != std::string::npos) {
    s.title = widen(target.substr(colon + 1));
    s.anyTitle = false;
  }
  EnumChildWindows(main, matchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::optional<RECT> hostWindowRect(Host& host, const std::string& target, HWND frame) {
  HWND w = findHostWindow(host, target, frame);
  if (!w) return std::nullopt;
  RECT r;
  GetWindowRect(w, &r);
  if (target != "main") MapWindowPoints(nullptr, frame ? frame : host.tree().mainWindow(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND findFrame(Host& host, const std::string& selector) {
  if (WindowObj* w = host.findWindow(widen(selector))) return host.tree().frameOf(*w);
  if (selector == "empty") return host.tree().emptyFrame();
  if (selector == "main") return host.tree().mainWindow();
  if (selector == "protected") return host.tree().protectedView();
  return nullptr;
}

std::string frameName(Host& host, HWND frame) {
  if (!frame) return "none";
  if (frame == host.tree().emptyFrame()) return "empty";
  if (frame == host.tree().protectedView()) return "protected";
  for (const auto& w : host.windows())
    if (host.tree().frameOf(*w.Get()) == frame) return narrow(w->caption());
  wchar_t cls[128] = L"", title[256] = L"";
  GetClassNameW(frame, cls, 128);
  GetWindowTextW(frame, title, 256);
  return narrow(cls) + ":" + narrow(title);
}

namespace {
std::string rectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

bool dockedOnce(const HostWindows::LaidOut& host, const RECT& now, int strip, int border) {
  const RECT& o = host.rect;
  switch (host.docking) {
    case HostWindows::Docking::Stays: return EqualRect(&o, &now) != FALSE;
    case HostWindows::Docking::Grows:
      return now.left == o.left && now.top == o.top && now.right == o.right && now.bottom == o.bottom + strip;
    case HostWindows::Docking::MovesDown:
      return now.left == o.left && now.right == o.right && now.top == o.top + strip &&
             (now.bottom == o.bottom || now.bottom == o.bottom + border);
  }
  return false;
}
}  // namespace

std::string layoutState(Host& host, HWND frame, int stripHeight) {
  std::vector<HostWindows::LaidOut> laidOut = host.tree().hostLayout(frame);
  if (laidOut.empty()) return "no layout of the host's own";
  bool original = true, docked = stripHeight > 0;
  std::string differs;
  for (const auto& child : laidOut) {
    RECT now{};
    if (!IsWindow(child.window)) return child.name + " is gone";
    GetWindowRect(child.window, &now);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&now), 2);
    bool same = EqualRect(&now, &child.rect) != FALSE;
    original = original && same;
    docked = docked && dockedOnce(child, now, stripHeight, host.tree().borderAllowance());
    if (!same) differs += (differs.empty() ? "" : ", ") + child.name + " " + rectText(now) + " (host: " + rectText(child.rect) + ")";
  }
  if (original) return "original";
  if (docked) return "docked";
  return "neither original nor docked once for a strip " + std::to_string(stripHeight) + " high: " + differs;
}

std::optional<std::wstring> messageBoxText() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return std::nullopt;
  wchar_t text[1024] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return std::wstring(text);
}

namespace {

// Wine does not count GDI objects in GetGuiResources. Its GDI handle table,
// laid out as older Windows laid out theirs, is the process's own (the PEB's
// GdiSharedHandleTable): one entry with a non-zero type per live GDI object,
// the stock objects included. Counted only where GetGuiResources gives 0; on
// Windows the table is shared with other processes.
const char* gdiKindName(UCHAR type) {
  switch (type) {
    case 0x01: return "dc";
    case 0x04: return "region";
    case 0x08: return "palette";
    case 0x09: return "bitmap";
    case 0x0a: return "font";
    case 0x10: return "brush";
    case 0x30: return "pen";
    case 0x50: return "extpen";
    default: return nullptr;
  }
}

long gdiObjectsInHandleTable(std::map<std::string, long>& kinds) {
  struct Entry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
  };
  static_assert(sizeof(Entry) == 24);
  constexpr size_t kMaxEntries = 65536;
  PROCESS_BASIC_INFORMATION info{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
      !info.PebBaseAddress)
    return 0;
  const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
  const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
  const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + offset);
  if (!table) return 0;
  // Only what is committed is read: the table's size is Wine's to choose.
  size_t readable = 0;
  MEMORY_BASIC_INFORMATION m;
  while (readable < kMaxEntries * sizeof(Entry) && VirtualQuery(table + readable, &m, sizeof m) &&
         m.State == MEM_COMMIT && !(m.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
    readable = static_cast<size_t>(static_cast<const unsigned char*>(m.BaseAddress) + m.RegionSize - table);
  long n = 0;
  const size_t entries = std::min(readable / sizeof(Entry), kMaxEntries);
  for (size_t i = 0; i < entries; ++i) {
    const UCHAR type = reinterpret_cast<const Entry*>(table)[i].type;
    if (type == 0) continue;
    ++n;
    const char* name = gdiKindName(type);
    ++kinds[name ? std::string(name) : "type " + std::to_string(type)];
  }
  return n;
}

}  // namespace

ResourceCounts resourceCounts() {
  ResourceCounts c;
  c.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  if (c.gdi == 0) c.gdi = gdiObjectsInHandleTable(c.gdiKinds);
  c.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  if (c.user == 0) EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&c.user));
  return c;
}

std::string gdiKindsDiffer(const std::map<std::string, long>& before, const std::map<std::string, long>& after) {
  std::map<std::string, long> delta;
  for (const auto& [kind, n] : after) delta[kind] += n;
  for (const auto& [kind, n] : before) delta[kind] -= n;
  std::string text;
  for (const auto& [kind, d] : delta) {
    if (d == 0) continue;
    if (!text.empty()) text += ", ";
    text += kind + (d > 0 ? " +" : " ") + std::to_string(d);
  }
  return text;
}

}  // namespace hostsim
