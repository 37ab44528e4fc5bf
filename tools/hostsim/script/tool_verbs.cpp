// Script commands for timing and for the person writing a test: waits, the
// expectation deadline, call-log marks, screenshots and state printouts.
#include <array>
#include <cstdio>

#include "common/live_objects.h"
#include "common/text.h"
#include "host/host.h"
#include "input/strip_reader.h"
#include "script/runner.h"
#include "script/screenshot.h"
#include "script/window_query.h"
#include "windows/host_windows.h"
#include "windows/window_watch.h"

namespace hostsim {

namespace {
// Both add-ins tick at least every 100 ms.
constexpr int kTickMs = 100;

Outcome wait(Runner&, const ScriptLine& line) {
  int n = number(line, 1);
  bool ticks = line.words.size() > 2 && line.words[2].rfind("tick", 0) == 0;
  return Outcome::wait(ticks ? n * kTickMs : n);
}

Outcome timeout(Runner& r, const ScriptLine& line) {
  r.options().expectTimeoutMs = number(line, 1);
  return Outcome::done();
}

Outcome mark(Runner& r, const ScriptLine&) {
  r.host().log().mark();
  return Outcome::done();
}

Outcome baseline(Runner& r, const ScriptLine&) {
  ResourceCounts c = resourceCounts();
  r.baselineGdi = c.gdi;
  r.baselineUser = c.user;
  r.baselineGdiKinds = c.gdiKinds;
  r.baselineReferences = LiveObjects::instance().references();
  long refs = 0;
  for (const auto& [kind, n] : r.baselineReferences) refs += n;
  std::printf("baseline: %ld GDI, %ld USER objects, %ld references on host objects\n", c.gdi, c.user, refs);
  return Outcome::done();
}

Outcome screenshot(Runner& r, const ScriptLine& line) {
  std::wstring path = r.options().screenshotDir + L"\\" + wword(line, 1) + L".bmp";
  if (!saveScreenshot(path)) badLine(line, "cannot write " + narrow(path));
  std::printf("screenshot: %s\n", narrow(path).c_str());
  return Outcome::done();
}

void printStrip() {
  std::string problem;
  std::optional<StripView> s = readStrip(&problem);
  if (!s) {
    std::printf("strip: %s\n", problem.c_str());
    return;
  }
  std::printf("strip: %ld,%ld-%ld,%ld %s\n", s->rect.left, s->rect.top, s->rect.right, s->rect.bottom,
              s->visible ? "visible" : "hidden");
  for (size_t i = 0; i < s->tabs.size(); ++i) {
    const AccessibleItem& t = s->tabs[i];
    std::printf("  tab %zu \"%s\" %ld,%ld-%ld,%ld%s%s%s\n", i + 1, narrow(t.name).c_str(), t.rect.left, t.rect.top,
                t.rect.right, t.rect.bottom, t.selected ? " selected" : "", t.invisible ? " invisible" : "",
                t.unsaved ? " unsaved" : "");
  }
  std::printf("  arrows %s, list button %s\n", s->left.invisible ? "hidden" : "shown",
              s->list && !s->list->invisible ? "shown" : "hidden");
}

void printWindows(Host& host, HWND parent, int depth) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[128], title[128];
    GetClassNameW(c, cls, 128);
    GetWindowTextW(c, title, 128);
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, host.tree().mainWindow(), reinterpret_cast<POINT*>(&r), 2);
    std::printf("%*s%s \"%s\" %ld %ld %ld %ld%s\n", depth * 2, "", narrow(cls).c_str(), narrow(title).c_str(), r.left,
                r.top, r.right, r.bottom, IsWindowVisible(c) ? "" : " hidden");
    if (depth < 2) printWindows(host, c, depth + 1);
  }
}

// One line per top-level frame: what it shows, where, whether it shows, how
// its children stand against the host's layout, and the strip if it is in it.
void printFrames(Host& host) {
  HWND strip = findStripWindow();
  RECT s{};
  if (strip) GetWindowRect(strip, &s);
  for (HWND f : host.tree().frames()) {
    RECT r{};
    GetWindowRect(f, &r);
    bool holds = strip && GetAncestor(strip, GA_ROOT) == f;
    std::printf("frame %s %ld %ld %ld %ld%s%s%s layout %s\n", frameName(host, f).c_str(), r.left, r.top, r.right,
                r.bottom, IsWindowVisible(f) ? "" : " hidden", f == host.tree().mainWindow() ? " front" : "",
                holds ? " strip" : "", layoutState(host, f, s.bottom - s.top).c_str());
  }
  HWND hwnd = host.applicationHwnd();
  std::printf("Application.Hwnd: %s\n", hwnd ? frameName(host, hwnd).c_str() : "fails");
}

// record frames: the frames' screen rectangles, for `expect frames unchanged`.
Outcome record(Runner& r, const ScriptLine& line) {
  if (word(line, 1) == "layout" && line.words.size() == 3) {
    HWND frame = r.frame(word(line, 2));
    if (!frame) badLine(line, "no frame \"" + word(line, 2) + "\"");
    r.recordedLayoutFrame = frame;
    GetWindowRect(frame, &r.recordedLayoutRect);
    r.recordedLayout = childRects(frame);
    return Outcome::done();
  }
  if (word(line, 1) != "frames") badLine(line, "record frames | record layout SEL");
  r.recordedFrames.clear();
  for (HWND f : r.host().tree().frames()) {
    RECT rc{};
    GetWindowRect(f, &rc);
    r.recordedFrames.emplace_back(f, rc);
  }
  return Outcome::done();
}

// watch: from now on, count what anyone but the host does to the strip and
// to the host's frames (`expect untouched`).
Outcome watch(Runner& r, const ScriptLine&) {
  std::vector<HWND> windows = r.host().tree().frames();
  if (HWND strip = findStripWindow()) windows.push_back(strip);
  WindowWatch::instance().start(windows);
  return Outcome::done();
}

Outcome print(Runner& r, const ScriptLine& line) {
  const std::string& what = word(line, 1);
  if (what == "tabs") {
    printStrip();
  } else if (what == "calls") {
    for (const std::string& c : r.host().log().recent()) std::printf("  %s\n", c.c_str());
  } else if (what == "windows") {
    printWindows(r.host(), r.host().tree().mainWindow(), 0);
  } else if (what == "frames") {
    printFrames(r.host());
  } else if (what == "live") {
    for (const auto& [kind, n] : LiveObjects::instance().counts()) std::printf("  %s %d\n", kind.c_str(), n);
  } else {
    badLine(line, "print tabs|calls|windows|frames|live");
  }
  std::fflush(stdout);
  return Outcome::done();
}

Outcome echo(Runner&, const ScriptLine& line) {
  std::printf("%s\n", line.text().c_str() + 5);
  std::fflush(stdout);
  return Outcome::done();
}

constexpr std::array<CommandEntry, 9> kCommands{{
    {"watch", watch},
    {"record", record},
    {"wait", wait},
    {"timeout", timeout},
    {"mark", mark},
    {"baseline", baseline},
    {"screenshot", screenshot},
    {"print", print},
    {"echo", echo},
}};
}  // namespace

std::span<const CommandEntry> toolCommands() { return kCommands; }

}  // namespace hostsim
