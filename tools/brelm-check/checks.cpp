#include "checks.h"

#include <algorithm>
#include <cstdio>

#include "common/text.h"
#include "input/mouse.h"
#include "measurements.h"
#include "script/screenshot.h"

namespace brelmcheck {

using hostsim::narrow;
using hostsim::StripView;

namespace {
constexpr long kTriStateTrue = -1;
constexpr int kManyDocuments = 20;
constexpr DWORD kIdleMs = 3000;
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kDockedWithinMs = 30000;

std::string rectText(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

std::string classOf(HWND hwnd) {
  wchar_t cls[128] = L"";
  GetClassNameW(hwnd, cls, 128);
  return narrow(cls);
}

struct AreaSearch {
  HWND exclude;
  HWND best = nullptr;
  long bestArea = 0;
};

BOOL CALLBACK largestChild(HWND hwnd, LPARAM arg) {
  auto* s = reinterpret_cast<AreaSearch*>(arg);
  if (!IsWindowVisible(hwnd) || hwnd == s->exclude || (s->exclude && IsChild(s->exclude, hwnd))) return TRUE;
  // Windows holding the strip hold the host's bars as well: not the
  // document area.
  if (s->exclude && IsChild(hwnd, s->exclude)) return TRUE;
  RECT r;
  GetWindowRect(hwnd, &r);
  long area = (r.right - r.left) * (r.bottom - r.top);
  if (area > s->bestArea) s->best = hwnd, s->bestArea = area;
  return TRUE;
}

// The host's document area: the largest visible window in the frame that
// neither is nor holds the strip.
HWND documentArea(HWND frame, HWND strip) {
  AreaSearch s{strip};
  EnumChildWindows(frame, largestChild, reinterpret_cast<LPARAM>(&s));
  return s.best;
}

void pumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
}  // namespace

bool sameNames(std::vector<std::wstring> a, std::vector<std::wstring> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

std::string joinNames(const std::vector<std::wstring>& names) {
  if (names.empty()) return "(none)";
  std::string out;
  for (const std::wstring& n : names) out += (out.empty() ? "" : ", ") + narrow(n);
  return out;
}

void Checks::check(const std::string& name, bool ok, const std::string& seen) { report_.check(suite_, name, ok, seen); }

bool Checks::waitUntil(const std::function<bool()>& holds, DWORD ms) const {
  DWORD start = GetTickCount();
  for (;;) {
    if (holds()) return true;
    if (stop_ || GetTickCount() - start >= ms) return false;
    pumpPending();
    Sleep(100);
  }
}

HostWindows Checks::hostWindows() const {
  HostWindows out;
  Obj windows = host_.app().object(L"Windows");
  long n = windows.number(L"Count");
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    Obj w = windows.object(L"Item", std::move(index));
    // The presentation host's windows have no Visible: all are shown.
    bool shown = true;
    if (host_.spec().sheet()) shown = w.truth(L"Visible");
    if (shown) out.visible.push_back(w.text(L"Caption"));
  }
  Variant active;
  std::vector<Variant> none;
  if (SUCCEEDED(host_.app().invoke(L"ActiveWindow", DISPATCH_PROPERTYGET, none, active)) &&
      active.get().vt == VT_DISPATCH && active.get().pdispVal)
    out.active = Obj(ComPtr<IDispatch>(active.get().pdispVal), "ActiveWindow").text(L"Caption");
  return out;
}

std::optional<StripView> Checks::strip(std::string* problem) const {
  std::vector<HWND> all = hostsim::findStripWindows(host_.processId());
  for (HWND w : all)
    if (IsWindowVisible(w)) return hostsim::readStripWindow(w, problem);
  if (problem) *problem = all.empty() ? "no strip window in the host" : "the strip window is hidden";
  return std::nullopt;
}

std::vector<std::wstring> Checks::tabNames(const StripView& view) const {
  std::vector<std::wstring> names;
  for (const auto& t : view.tabs) names.push_back(t.name);
  return names;
}

void Checks::expectTabsFollow(const std::string& what) {
  HostWindows windows;
  std::vector<std::wstring> tabs;
  std::wstring selected;
  std::string problem;
  bool held = waitUntil([&] {
    windows = hostWindows();
    std::optional<StripView> view = strip(&problem);
    if (!view) return false;
    tabs = tabNames(*view);
    selected.clear();
    for (const auto& t : view->tabs)
      if (t.selected) selected = t.name;
    return sameNames(tabs, windows.visible) && windows.active && selected == *windows.active;
  });
  std::string seen = "tabs: " + joinNames(tabs) + "; selected: " + (selected.empty() ? "none" : narrow(selected)) +
                     "; host windows: " + joinNames(windows.visible) +
                     "; active: " + (windows.active ? narrow(*windows.active) : "none");
  if (!problem.empty() && tabs.empty()) seen += "; " + problem;
  check(what, held, seen);
}

bool Checks::hasTab(const std::wstring& caption) {
  std::optional<StripView> view = strip();
  if (!view) return false;
  for (const auto& t : view->tabs)
    if (t.name == caption) return true;
  return false;
}

std::wstring Checks::captionOf(const Obj& document) const {
  std::vector<Variant> first;
  first.push_back(arg(1));
  return document.object(L"Windows").object(L"Item", std::move(first)).text(L"Caption");
}

bool Checks::framePerDocumentSlide() const {
  if (host_.spec().sheet()) return false;
  double version = std::wcstod(host_.app().text(L"Version").c_str(), nullptr);
  return version > 13;
}

void Checks::closeDocument(const Obj& document) {
  std::string name, seen;
  bool closed = closeDocumentQuietly(document, name, seen);
  if (!name.empty()) check(name, closed, seen);
}

bool Checks::closeDocumentQuietly(const Obj& document, std::string& name, std::string& seen) {
  name.clear();
  seen.clear();
  if (host_.spec().sheet()) {
    std::vector<Variant> dontSave;
    dontSave.push_back(argBool(false));
    document.call(L"Close", std::move(dontSave));
    return true;
  }
  document.put(L"Saved", arg(kTriStateTrue));
  if (!framePerDocumentSlide()) {
    document.call(L"Close");
    return true;
  }
  std::wstring caption = captionOf(document);
  name = "close button of tab " + narrow(caption) + " closes its window";
  return closeByTab(caption, seen);
}

bool Checks::clickStrip(HWND stripWindow, POINT at, std::string& seen) {
  SetForegroundWindow(GetAncestor(stripWindow, GA_ROOT));
  HWND under = nullptr;
  bool reachable = waitUntil([&] {
    under = WindowFromPoint(at);
    return under == stripWindow;
  });
  seen = "at " + std::to_string(at.x) + "," + std::to_string(at.y);
  if (!reachable) {
    seen += " the window on top is a " + classOf(under) + ", not the strip";
    return false;
  }
  POINT before{};
  GetCursorPos(&before);
  hostsim::mouseMove(at);
  // Let the strip see the pointer arrive, as a person's click would.
  waitUntil([] { return false; }, 200);
  hostsim::mouseButton(hostsim::Button::Left, true);
  hostsim::mouseButton(hostsim::Button::Left, false);
  waitUntil([] { return false; }, 200);
  hostsim::mouseMove(before);
  return true;
}

bool Checks::closeByTab(const std::wstring& caption, std::string& seen) {
  std::optional<StripView> view = strip(&seen);
  if (!view) return false;
  size_t i = 0;
  while (i < view->tabs.size() && view->tabs[i].name != caption) ++i;
  if (i >= view->tabs.size() || i >= view->closers.size() || view->closers[i].invisible) {
    seen = "no close button shown for " + narrow(caption);
    return false;
  }
  const RECT& r = view->closers[i].rect;
  if (!clickStrip(view->window, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, seen)) return false;
  bool gone = waitUntil([&] {
    HostWindows windows = hostWindows();
    return std::find(windows.visible.begin(), windows.visible.end(), caption) == windows.visible.end();
  });
  seen = "clicked " + seen + (gone ? "; the window closed" : "; the window is still open");
  return gone;
}

std::wstring Checks::fileName(const std::wstring& stem) const {
  return tempDir_ + L"\\" + stem + (host_.spec().sheet() ? L".xlsx" : L".pptx");
}

bool Checks::prepareAddin() {
  suite_ = "add-in";
  const HostSpec& spec = host_.spec();
  std::optional<AddinRegistration> reg = findAddinRegistration(spec.officeKey, spec.addinProgId);
  std::string regText = reg ? "registered in " + reg->where + ", LoadBehavior " + std::to_string(reg->loadBehavior)
                            : "no registration found for the host";
  Obj addin;
  try {
    std::vector<Variant> name;
    name.push_back(arg(spec.addinProgId));
    addin = host_.app().object(L"COMAddIns", std::move(name));
  } catch (const AutomationError& e) {
    check("installed", false,
          "not installed: the host lists no add-in " + narrow(spec.addinProgId) + " (" + regText +
              "). Run the installer again, then brelm-check.");
    return false;
  }
  check("installed", true, "the host lists " + narrow(spec.addinProgId) + "; " + regText);
  bool connected = false;
  try {
    connected = addin.truth(L"Connect");
  } catch (const AutomationError& e) {
    check("connected", false, e.what());
    return false;
  }
  bool loads = reg && reg->loadBehavior == 3;
  if (loads && connected) {
    check("loads when the host starts", true, "connected at start-up; " + regText);
    return true;
  }
  if (!loads) {
    check("loads when the host starts", false,
          regText + ": the host does not load the add-in when it starts");
    report_.note("The add-in is switched off (" + regText +
                 "). To switch it on: in the host, File > Options > Add-ins, choose COM Add-ins under Manage, Go..., "
                 "and tick the add-in.");
  } else {
    check("loads when the host starts", false,
          regText + ", yet the host did not connect it when it started: it may have been disabled after a failure");
    report_.note("The host may have disabled the add-in. To enable it again: File > Options > Add-ins, choose "
                 "Disabled Items under Manage, Go..., select the add-in and Enable; then tick it under COM Add-ins.");
  }
  // Connected for this run only, so that the other checks can say more.
  try {
    addin.put(L"Connect", argBool(true));
    connected = addin.truth(L"Connect");
  } catch (const AutomationError& e) {
    check("connects when asked", false, e.what());
    return false;
  }
  check("connects when asked", connected, connected ? "COMAddIns(...).Connect = True took" : "Connect stayed False");
  return connected;
}

void Checks::runSuite(const std::string& name) {
  suite_ = name;
  try {
    if (name == "startup") startup();
    else if (name == "sync") sync();
    else if (name == "click") click();
    else if (name == "disconnect") disconnect();
    else if (name == "measure") measure();
  } catch (const AutomationError& e) {
    check("host calls", false, e.what());
  }
  std::wstring file = hostsim::widen((host_.spec().sheet() ? "sheet-" : "slide-") + name + ".bmp");
  if (hostsim::saveScreenshot(outDir_ + L"\\" + file)) report_.screenshot(narrow(file));
}

// Documents of our own, then what the add-in shows for them.
void Checks::startup() {
  for (int i = 0; i < 2; ++i) host_.newDocument();
  std::string problem;
  std::optional<StripView> view;
  bool present = waitUntil([&] { return (view = strip(&problem)).has_value(); });
  check("strip present", present,
        present ? "strip " + rectText(view->rect) + " with " + std::to_string(view->tabs.size()) + " tabs" : problem);
  if (!present) return;
  // The add-in docks on its own timer: give it the time to follow.
  HWND frame = nullptr, root = nullptr;
  RECT fr{};
  bool docked = waitUntil([&] {
    view = strip(&problem);
    if (!view) return false;
    frame = host_.activeFrame();
    root = GetAncestor(view->window, GA_ROOT);
    if (frame) GetWindowRect(frame, &fr);
    RECT inside{};
    return frame && root == frame && IntersectRect(&inside, &fr, &view->rect) && EqualRect(&inside, &view->rect);
  });
  if (!view) {
    check("docked in the active frame", false, problem);
    return;
  }
  check("docked in the active frame", docked,
        "strip " + rectText(view->rect) + " in a " + classOf(root) + " " + (root == frame ? "which is" : "which is not") +
            " the active frame (" + classOf(frame) + " " + rectText(fr) + ")");
  expectTabsFollow("a tab per window, the active one selected");
}

void Checks::sync() {
  Obj docs = host_.documents();
  if (docs.number(L"Count") == 0) host_.newDocument();
  Obj doc = host_.newDocument();
  std::wstring caption = captionOf(doc);
  expectTabsFollow("new document " + narrow(caption) + ": its tab appears, selected");

  std::wstring path = fileName(L"brelm-check sync");
  std::vector<Variant> saveArgs;
  saveArgs.push_back(arg(path));
  doc.call(L"SaveAs", std::move(saveArgs));
  std::wstring saved = captionOf(doc);
  expectTabsFollow("saved as " + narrow(saved) + ": the tab takes the new name");

  // A tab that was never shown cannot be seen to go.
  bool shown = hasTab(saved);
  closeDocument(doc);
  bool gone = waitUntil([&] { return !hasTab(saved); });
  check("closed: its tab goes", shown && gone,
        !shown ? narrow(saved) + " had no tab before it was closed"
               : gone ? narrow(saved) + " has no tab" : narrow(saved) + " still has a tab");
  expectTabsFollow("closed: the other tabs stay, the new active window selected");

  std::vector<Variant> openArgs;
  openArgs.push_back(arg(path));
  Obj opened = docs.callObject(L"Open", std::move(openArgs));
  std::wstring reopened = captionOf(opened);
  expectTabsFollow("opened " + narrow(reopened) + " from a file: its tab appears, selected");

  if (host_.spec().sheet()) {
    // Only the spreadsheet host lets a window's caption be set.
    std::vector<Variant> first;
    first.push_back(arg(1));
    Obj window = opened.object(L"Windows").object(L"Item", std::move(first));
    window.put(L"Caption", arg(std::wstring(L"brelm-check renamed")));
    expectTabsFollow("window caption set to \"brelm-check renamed\": the tab follows");
  }

  // Another window activated through the object model, by its number,
  // which both hosts' Windows take (the presentation host's is not known
  // to take a caption).
  HostWindows now = hostWindows();
  Obj windows = host_.app().object(L"Windows");
  for (long i = 1, n = windows.number(L"Count"); i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    Obj window = windows.object(L"Item", std::move(index));
    if (host_.spec().sheet() && !window.truth(L"Visible")) continue;
    std::wstring other = window.text(L"Caption");
    if (now.active && other == *now.active) continue;
    window.call(L"Activate");
    expectTabsFollow("window " + narrow(other) + " activated by the host: its tab selected");
    break;
  }

  closeDocument(opened);
  expectTabsFollow("the opened document closed: its tab goes");
}

// A real click on a tab that is not selected activates its window.
void Checks::click() {
  Obj docs = host_.documents();
  while (docs.number(L"Count") < 2) host_.newDocument();
  std::string problem;
  std::optional<StripView> view;
  bool present = waitUntil([&] { return (view = strip(&problem)).has_value() && view->tabs.size() >= 2; });
  if (!present) {
    check("strip with two tabs", false, problem.empty() ? "fewer than two tabs" : problem);
    return;
  }
  const hostsim::AccessibleItem* target = nullptr;
  for (const auto& t : view->tabs)
    if (!t.selected && !t.invisible && !target) target = &t;
  if (!target) {
    check("a tab to click", false, "every tab is selected or out of view");
    return;
  }
  std::wstring name = target->name;
  POINT at{(target->rect.left + target->rect.right) / 2, (target->rect.top + target->rect.bottom) / 2};
  std::string where;
  if (!clickStrip(view->window, at, where)) {
    check("the tab can be clicked", false, where);
    return;
  }
  HostWindows windows;
  bool switched = waitUntil([&] {
    windows = hostWindows();
    return windows.active && *windows.active == name;
  });
  check("a click on tab " + narrow(name) + " activates its window", switched,
        "clicked " + where + "; active window: " + (windows.active ? narrow(*windows.active) : "none"));
  expectTabsFollow("after the click: a tab per window, the clicked one selected");
}

// Switching the add-in off takes the strip away and gives the host its
// layout back; switching it on docks it again.
void Checks::disconnect() {
  Obj docs = host_.documents();
  if (docs.number(L"Count") == 0) host_.newDocument();
  std::string problem;
  std::optional<StripView> view;
  if (!waitUntil([&] { return (view = strip(&problem)).has_value(); })) {
    check("strip present before", false, problem);
    return;
  }
  HWND frame = GetAncestor(view->window, GA_ROOT);
  HWND area = documentArea(frame, view->window);
  RECT areaBefore{};
  if (area) GetWindowRect(area, &areaBefore);
  long stripHeight = view->rect.bottom - view->rect.top;

  std::vector<Variant> name;
  name.push_back(arg(host_.spec().addinProgId));
  Obj addin = host_.app().object(L"COMAddIns", std::move(name));
  addin.put(L"Connect", argBool(false));
  bool gone = waitUntil([&] { return !strip().has_value(); });
  check("switched off: the strip goes", gone, gone ? "no visible strip" : "a strip is still shown");
  // The band the strip took above the document area goes back to it.
  RECT areaAfter{};
  bool given = area && waitUntil([&] {
    if (!IsWindow(area)) return false;
    GetWindowRect(area, &areaAfter);
    long raised = areaBefore.top - areaAfter.top;
    return raised >= stripHeight - 2 && raised <= stripHeight + 2;
  });
  check("switched off: the host's layout is given back", given,
        "document area (" + classOf(area) + ") " + rectText(areaBefore) + " -> " + rectText(areaAfter) +
            "; strip height " + std::to_string(stripHeight));

  addin.put(L"Connect", argBool(true));
  bool back = waitUntil([&] { return (view = strip(&problem)).has_value(); });
  check("switched on again: the strip returns", back, back ? "strip " + rectText(view->rect) : problem);
  if (!back) return;
  expectTabsFollow("switched on again: a tab per window, the active one selected");
  // Docked anew, in whichever frame is active now: where it was before, the
  // layout is as it was; elsewhere the strip sits right above that frame's
  // document area.
  RECT areaAgain{};
  HWND frameAgain = nullptr, areaNow = nullptr;
  bool same = waitUntil([&] {
    view = strip(&problem);
    if (!view) return false;
    frameAgain = GetAncestor(view->window, GA_ROOT);
    areaNow = frameAgain == frame ? area : documentArea(frameAgain, view->window);
    if (!areaNow) return false;
    GetWindowRect(areaNow, &areaAgain);
    if (frameAgain == frame) return EqualRect(&areaAgain, &areaBefore) != FALSE;
    return areaAgain.top >= view->rect.bottom - 2 && areaAgain.top <= view->rect.bottom + 2;
  });
  check("switched on again: docked as before", same,
        (frameAgain == frame ? "same frame; document area " + rectText(areaAgain) + ", before " + rectText(areaBefore)
                             : "another frame; strip " + (view ? rectText(view->rect) : problem) +
                                   ", document area " + rectText(areaAgain)));
}

Obj Checks::addinObject() const {
  std::vector<Variant> name;
  name.push_back(arg(host_.spec().addinProgId));
  return host_.app().object(L"COMAddIns", std::move(name));
}

bool Checks::switchOff(const Obj& addin) {
  addin.put(L"Connect", argBool(false));
  return waitUntil([&] { return !strip().has_value(); });
}

void Checks::closeDocumentsThroughHost(long keep) {
  Obj docs = host_.documents();
  for (long n = docs.number(L"Count"); n > keep; --n) {
    std::vector<Variant> index;
    index.push_back(arg(n));
    Obj doc = docs.object(L"Item", std::move(index));
    if (host_.spec().sheet()) {
      std::vector<Variant> dontSave;
      dontSave.push_back(argBool(false));
      doc.call(L"Close", std::move(dontSave));
    } else {
      doc.put(L"Saved", arg(kTriStateTrue));
      doc.call(L"Close");
    }
  }
}

void Checks::timeConnection(const Obj& addin, const std::string& label) {
  // The windows are read before, so that the timing polls only the strip
  // and the active frame: the add-in changes neither the windows nor which
  // one is active.
  std::vector<std::wstring> expected = hostWindows().visible;
  std::optional<StripView> view;
  HWND frame = nullptr, root = nullptr;
  Stopwatch clock;
  addin.put(L"Connect", argBool(true));
  double returned = clock.elapsedMs();
  if (expected.empty()) {
    // Nothing to dock: the time is the add-in's start alone.
    view = strip();
    report_.measurement("connection, " + label,
                        "Connect returned after " + msText(returned) + "; no windows, " +
                            (view ? "a strip with " + std::to_string(view->tabs.size()) + " tabs shown"
                                  : "no strip shown"));
    return;
  }
  bool docked = false;
  double at = 0;
  while (!stop_ && (at = clock.elapsedMs()) < kDockedWithinMs) {
    view = strip();
    if (view) {
      frame = host_.activeFrame();
      root = GetAncestor(view->window, GA_ROOT);
      if (frame && root == frame && sameNames(tabNames(*view), expected)) {
        docked = true;
        break;
      }
    }
    Sleep(5);
  }
  std::string count = std::to_string(expected.size());
  report_.measurement(
      "connection, " + label,
      docked ? msText(at) + " until docked with all " + count + " tabs (Connect returned after " + msText(returned) +
                   ")"
             : "not docked with all " + count + " tabs within " + std::to_string(kDockedWithinMs / 1000) + " s; " +
                   (view ? std::to_string(view->tabs.size()) + " tabs in a strip " +
                               (root == frame ? "in" : "not in") + " the active frame"
                         : std::string("no strip")));
}

void Checks::idleCpu(const std::string& label) {
  // What the host still does after the last change is not idling.
  waitUntil([] { return false; }, kSettleMs);
  std::optional<ULONGLONG> before = processCpuTime(host_.process());
  Stopwatch clock;
  // Our own calls would be the host's work: only our messages are pumped.
  waitUntil([] { return false; }, kIdleMs);
  double wall = clock.elapsedMs();
  std::optional<ULONGLONG> after = processCpuTime(host_.process());
  char text[96];
  if (before && after)
    std::snprintf(text, sizeof text, "%.1f ms of CPU per second (over %.1f s)", cpuMsPerSecond(*before, *after, wall),
                  wall / 1000);
  else
    std::snprintf(text, sizeof text, "not measured: the host's process times could not be read");
  report_.measurement("host CPU while idle, " + label, text);
}

void Checks::openCloseCycles() {
  // GetGuiResources wants more access than the session keeps on the host.
  ProcessHandle query(PROCESS_QUERY_INFORMATION, host_.processId());
  HANDLE process = query.get() ? query.get() : host_.process();
  std::optional<GuiCounts> before = guiCounts(process);
  unsigned done = 0;
  std::string failure;
  for (unsigned i = 0; i < cycles_ && !stop_ && failure.empty(); ++i) {
    Obj doc = host_.newDocument();
    std::wstring caption = captionOf(doc);
    if (!waitUntil([&] { return hasTab(caption); })) failure = "no tab for " + narrow(caption);
    std::string name, seen;
    bool closed = closeDocumentQuietly(doc, name, seen);
    if (!closed && failure.empty()) failure = "closing " + narrow(caption) + ": " + seen;
    if (failure.empty() && !waitUntil([&] { return !hasTab(caption); }))
      failure = "the tab of " + narrow(caption) + " stayed";
    if (failure.empty()) ++done;
  }
  // What the host frees a moment later is no leak.
  waitUntil([] { return false; }, 1000);
  std::optional<GuiCounts> after = guiCounts(process);
  check(std::to_string(cycles_) + " open/close cycles: each tab came and went", failure.empty(),
        std::to_string(done) + " of " + std::to_string(cycles_) + " cycles" +
            (failure.empty() ? "" : "; stopped at: " + failure));
  auto countText = [](const std::optional<GuiCounts>& c) {
    return c ? "GDI " + std::to_string(c->gdi) + ", USER " + std::to_string(c->user)
             : std::string("not counted on this system");
  };
  report_.measurement("host GUI objects before the cycles", countText(before));
  report_.measurement("host GUI objects after " + std::to_string(done) + " cycles", countText(after));
  GuiGrowth growth = judgeGuiGrowth(before, after, done);
  if (growth.counted) check("GDI and USER objects do not grow over the cycles", growth.held, growth.seen);
}

// Figures of the add-in on this host, reported, not judged: how long it
// takes to connect, what it costs the host while idle, and whether the
// host's GDI and USER objects grow as documents come and go.
void Checks::measure() {
  Obj addin = addinObject();
  if (!switchOff(addin)) {
    check("switched off for the measurements", false, "a strip is still shown");
    return;
  }
  closeDocumentsThroughHost(0);
  timeConnection(addin, "no documents open");
  if (!switchOff(addin)) {
    check("switched off for the measurements", false, "a strip is still shown");
    return;
  }
  Obj docs = host_.documents();
  while (!stop_ && docs.number(L"Count") < kManyDocuments) host_.newDocument();
  timeConnection(addin, std::to_string(kManyDocuments) + " documents open");
  idleCpu("add-in connected, " + std::to_string(kManyDocuments) + " documents open");
  if (!switchOff(addin)) {
    check("switched off for the measurements", false, "a strip is still shown");
    return;
  }
  idleCpu("add-in switched off, " + std::to_string(kManyDocuments) + " documents open");
  // One document stays, so that each cycle's document is never the last.
  closeDocumentsThroughHost(1);
  addin.put(L"Connect", argBool(true));
  expectTabsFollow("switched on again for the cycles: a tab per window, the active one selected");
  openCloseCycles();
}

}  // namespace brelmcheck
