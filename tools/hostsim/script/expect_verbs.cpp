// `expect WHAT ...`: checks over the tabs read back through accessibility,
// the strip's and the host windows' rectangles, the call log, live host
// objects, the host's state and its modal windows. A check that does not
// hold is tried again until the deadline; then the run fails, printing what
// was expected and what was found.
#include <algorithm>
#include <array>
#include <cstdio>

#include "common/live_objects.h"
#include "common/text.h"
#include "host/host.h"
#include "input/popup_reader.h"
#include "input/screen_look.h"
#include "input/strip_reader.h"
#include "script/runner.h"
#include "script/window_query.h"
#include "windows/host_windows.h"
#include "windows/popup_menu.h"
#include "windows/window_watch.h"
#include "windows/save_dialog.h"

#include <functional>
#include <map>

namespace hostsim {

namespace {
using Mismatch = std::optional<std::string>;

std::string list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + ("\"" + items[i] + "\"");
  return out + "]";
}

std::vector<std::string> rest(const ScriptLine& line, size_t from) {
  return {line.words.begin() + static_cast<std::ptrdiff_t>(std::min(from, line.words.size())), line.words.end()};
}

Mismatch compare(const std::string& what, const std::string& expected, const std::string& found) {
  if (expected == found) return std::nullopt;
  return what + ": expected " + expected + ", found " + found;
}

Mismatch withStrip(const std::function<Mismatch(const StripView&)>& check) {
  std::string problem;
  std::optional<StripView> strip = readStrip(&problem);
  if (!strip) return problem;
  return check(*strip);
}

Mismatch tabs(Runner&, const ScriptLine& line) {
  return withStrip([&](const StripView& s) {
    std::vector<std::string> found;
    for (const auto& t : s.tabs) found.push_back(narrow(t.name));
    return compare("tabs", list(rest(line, 2)), list(found));
  });
}

Mismatch shownTabs(Runner&, const ScriptLine& line) {
  return withStrip([&](const StripView& s) {
    std::vector<std::string> found;
    for (const auto& t : s.tabs)
      if (!t.invisible) found.push_back(narrow(t.name));
    return compare("tabs in view", list(rest(line, 2)), list(found));
  });
}

// expect inview CAPTION yes|no: the tab is (not) scrolled out of view.
Mismatch inView(Runner&, const ScriptLine& line) {
  return withStrip([&](const StripView& s) -> Mismatch {
    for (const auto& t : s.tabs)
      if (narrow(t.name) == word(line, 2)) return compare(word(line, 2) + " in view", word(line, 3), t.invisible ? "no" : "yes");
    return "no tab \"" + word(line, 2) + "\"";
  });
}

Mismatch selected(Runner&, const ScriptLine& line) {
  return withStrip([&](const StripView& s) {
    std::vector<std::string> found;
    for (const auto& t : s.tabs)
      if (t.selected) found.push_back(narrow(t.name));
    std::vector<std::string> expected;
    if (word(line, 2) != "none") expected.push_back(word(line, 2));
    return compare("selected", list(expected), list(found));
  });
}

Mismatch arrows(Runner&, const ScriptLine& line) {
  return withStrip([&](const StripView& s) {
    auto state = [](const AccessibleItem& a) { return a.invisible ? "hidden" : "shown"; };
    return compare("arrows", word(line, 2) + " " + word(line, 2), std::string(state(s.left)) + " " + state(s.right));
  });
}

// expect unsaved CAPTION yes|no: the tab says its document has unsaved
// changes, as a screen reader hears it (", unsaved" after its name).
Mismatch unsaved(Runner&, const ScriptLine& line) {
  const std::string& wanted = word(line, 3);
  if (wanted != "yes" && wanted != "no") badLine(line, "expect unsaved CAPTION yes|no");
  return withStrip([&](const StripView& s) -> Mismatch {
    for (const auto& t : s.tabs)
      if (narrow(t.name) == word(line, 2)) return compare(word(line, 2) + " unsaved", wanted, t.unsaved ? "yes" : "no");
    return "no tab \"" + word(line, 2) + "\"";
  });
}

// expect closeimage CAPTION cross|dot|hover: what the screen shows where
// the tab's close image is drawn.
Mismatch closeImage(Runner&, const ScriptLine& line) {
  const std::string& wanted = word(line, 3);
  if (wanted != "cross" && wanted != "dot" && wanted != "hover") badLine(line, "expect closeimage CAPTION cross|dot|hover");
  return withStrip([&](const StripView& s) -> Mismatch {
    for (size_t i = 0; i < s.tabs.size(); ++i) {
      if (narrow(s.tabs[i].name) != word(line, 2)) continue;
      if (s.closers[i].invisible) return "the close image of \"" + word(line, 2) + "\" is out of view";
      UpdateWindow(s.window);
      return compare("close image of " + word(line, 2), wanted, closeImageLookOnScreen(s.closers[i].rect));
    }
    return "no tab \"" + word(line, 2) + "\"";
  });
}

// expect listbutton shown|hidden: the button listing every document.
Mismatch listButton(Runner&, const ScriptLine& line) {
  const std::string& wanted = word(line, 2);
  if (wanted != "shown" && wanted != "hidden") badLine(line, "expect listbutton shown|hidden");
  return withStrip([&](const StripView& s) {
    return compare("list button", wanted, s.list && !s.list->invisible ? "shown" : "hidden");
  });
}

// expect tooltip LINE...: the tooltip on the screen, one word a line of it.
Mismatch tooltip(Runner&, const ScriptLine& line) {
  std::optional<ShownTooltip> tip = shownTooltip();
  if (!tip) return "no tooltip is showing (expected " + list(rest(line, 2)) + ")";
  std::vector<std::string> found;
  for (const std::wstring& l : tip->lines) found.push_back(narrow(l));
  return compare("tooltip lines", list(rest(line, 2)), list(found));
}

Mismatch noTooltip(Runner&, const ScriptLine&) {
  std::optional<ShownTooltip> tip = shownTooltip();
  if (!tip) return std::nullopt;
  std::vector<std::string> found;
  for (const std::wstring& l : tip->lines) found.push_back(narrow(l));
  return "a tooltip is showing: " + list(found);
}

// expect menu A B ...: the items of the window system's popup menu showing,
// as drawn; expect menuchecked A|none: the item with the check mark.
Mismatch menu(Runner&, const ScriptLine& line) {
  std::optional<ShownMenu> open = shownMenu();
  if (!open) return "no popup menu of the window system is showing";
  std::vector<std::string> found;
  for (const ShownMenuItem& item : open->items) found.push_back(item.separator ? "-" : narrow(item.text));
  return compare("menu items", list(rest(line, 2)), list(found));
}

Mismatch menuChecked(Runner&, const ScriptLine& line) {
  std::optional<ShownMenu> open = shownMenu();
  if (!open) return "no popup menu of the window system is showing";
  std::vector<std::string> found;
  for (const ShownMenuItem& item : open->items)
    if (item.checked) found.push_back(narrow(item.text));
  std::vector<std::string> expected;
  if (word(line, 2) != "none") expected.push_back(word(line, 2));
  return compare("checked menu items", list(expected), list(found));
}

Mismatch noMenu(Runner&, const ScriptLine&) {
  return shownMenu() ? Mismatch("a popup menu of the window system is showing") : std::nullopt;
}

// expect strip visible|hidden|missing|gone (gone: hidden or missing).
Mismatch strip(Runner&, const ScriptLine& line) {
  HWND w = findStripWindow();
  std::string found = !w ? "missing" : IsWindowVisible(w) ? "visible" : "hidden";
  if (word(line, 2) == "gone" && found != "visible") return std::nullopt;
  return compare("strip", word(line, 2), found);
}

// Four words L T R B against a rectangle; `*` matches any value.
Mismatch rectMatches(const ScriptLine& line, size_t from, const RECT& found, const std::string& what) {
  LONG values[4] = {found.left, found.top, found.right, found.bottom};
  std::string expected, got;
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    const std::string& w = word(line, from + static_cast<size_t>(i));
    ok = ok && (w == "*" || std::to_string(values[i]) == w);
    expected += (i ? " " : "") + w;
    got += (i ? " " : "") + std::to_string(values[i]);
  }
  if (ok) return std::nullopt;
  return what + ": expected " + expected + ", found " + got;
}

// `rect` or `rect@SEL`: the frame SEL, or the main window when none is named.
HWND selectedFrame(Runner& r, const ScriptLine& line, Mismatch& problem) {
  const std::string& what = word(line, 1);
  size_t at = what.find('@');
  if (at == std::string::npos) return r.host().tree().mainWindow();
  HWND frame = r.frame(what.substr(at + 1));
  if (!frame) problem = "no frame " + what.substr(at + 1);
  return frame;
}

// expect rect[@SEL] TARGET L T R B: client coordinates of the main window or
// of the frame SEL; `*` matches any value.
Mismatch rect(Runner& r, const ScriptLine& line) {
  Mismatch problem;
  HWND frame = selectedFrame(r, line, problem);
  if (!frame) return problem;
  std::optional<RECT> found = hostWindowRect(r.host(), word(line, 2), frame);
  if (!found) return "no window " + word(line, 2) + " in frame " + frameName(r.host(), frame);
  return rectMatches(line, 3, *found, "rect of " + word(line, 2));
}

// expect size[@SEL] TARGET W H: width and height in pixels (`*` any).
Mismatch size(Runner& r, const ScriptLine& line) {
  Mismatch problem;
  HWND frame = selectedFrame(r, line, problem);
  if (!frame) return problem;
  std::optional<RECT> found = hostWindowRect(r.host(), word(line, 2), frame);
  if (!found) return "no window " + word(line, 2) + " in frame " + frameName(r.host(), frame);
  std::string w = std::to_string(found->right - found->left), h = std::to_string(found->bottom - found->top);
  bool ok = (word(line, 3) == "*" || word(line, 3) == w) && (word(line, 4) == "*" || word(line, 4) == h);
  if (ok) return std::nullopt;
  return "size of " + word(line, 2) + ": expected " + word(line, 3) + " x " + word(line, 4) + ", found " + w + " x " + h;
}

// A window's screen rectangle, or its client area in screen coordinates.
std::optional<RECT> screenRect(Runner& r, const ScriptLine& line, const std::string& target, HWND frame,
                               bool client) {
  HWND w = findHostWindow(r.host(), target, frame);
  if (!w) return std::nullopt;
  RECT out{};
  if (!client) {
    GetWindowRect(w, &out);
    return out;
  }
  GetClientRect(w, &out);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&out), 2);
  (void)line;
  return out;
}

// A side of the window (`top`) or of its client area (`client:top`).
bool clientSide(const ScriptLine& line, size_t at) { return word(line, at).rfind("client:", 0) == 0; }

LONG side(const ScriptLine& line, const RECT& r, size_t at) {
  std::string s = word(line, at);
  if (clientSide(line, at)) s.erase(0, 7);
  if (s == "left") return r.left;
  if (s == "top") return r.top;
  if (s == "right") return r.right;
  if (s == "bottom") return r.bottom;
  badLine(line, "a side is left, top, right or bottom");
}

// expect edge[@SEL] A SIDE OP B SIDE: an edge of window A against one of
// window B on the screen, OP one of = <= >=; windows as for `rect`.
Mismatch edge(Runner& r, const ScriptLine& line) {
  Mismatch problem;
  HWND frame = selectedFrame(r, line, problem);
  if (!frame) return problem;
  std::optional<RECT> a = screenRect(r, line, word(line, 2), frame, clientSide(line, 3));
  std::optional<RECT> b = screenRect(r, line, word(line, 5), frame, clientSide(line, 6));
  if (!a) return "no window " + word(line, 2) + " in frame " + frameName(r.host(), frame);
  if (!b) return "no window " + word(line, 5) + " in frame " + frameName(r.host(), frame);
  LONG x = side(line, *a, 3), y = side(line, *b, 6);
  const std::string& op = word(line, 4);
  bool ok = op == "=" ? x == y : op == "<=" ? x <= y : op == ">=" ? x >= y : (badLine(line, "OP is = <= or >="), false);
  if (ok) return std::nullopt;
  return word(line, 2) + " " + word(line, 3) + " " + std::to_string(x) + " is not " + op + " " + word(line, 5) + " " +
         word(line, 6) + " " + std::to_string(y) + " (screen pixels)";
}

// expect clear[@SEL] A B: window A covers nothing of window B's client area.
Mismatch clear(Runner& r, const ScriptLine& line) {
  Mismatch problem;
  HWND frame = selectedFrame(r, line, problem);
  if (!frame) return problem;
  std::optional<RECT> a = screenRect(r, line, word(line, 2), frame, false);
  std::optional<RECT> b = screenRect(r, line, word(line, 3), frame, true);
  if (!a) return "no window " + word(line, 2) + " in frame " + frameName(r.host(), frame);
  if (!b) return "no window " + word(line, 3) + " in frame " + frameName(r.host(), frame);
  RECT overlap{};
  if (!IntersectRect(&overlap, &*a, &*b)) return std::nullopt;
  auto text = [](const RECT& x) {
    return std::to_string(x.left) + " " + std::to_string(x.top) + " " + std::to_string(x.right) + " " +
           std::to_string(x.bottom);
  };
  return word(line, 2) + " (" + text(*a) + ") covers " + text(overlap) + " of the client area of " + word(line, 3) +
         " (" + text(*b) + "), screen pixels";
}

// expect untouched strip|frames: since `watch`, nobody but the host showed,
// hid, re-parented, moved, sized or destroyed the strip (a re-docking
// shows here: Wine's SetParent hides and shows the window) or one of the
// host's frames.
Mismatch untouched(Runner& r, const ScriptLine& line) {
  const WindowWatch& watch = WindowWatch::instance();
  if (!watch.watching()) return "nothing watched (watch)";
  const std::string& what = word(line, 2);
  std::vector<HWND> windows;
  if (what == "strip") {
    windows.push_back(findStripWindow());
  } else if (what == "frames") {
    windows = r.host().tree().frames();
  } else {
    badLine(line, "expect untouched strip|frames");
  }
  std::string touched;
  for (HWND w : windows) {
    WindowWatch::Counts c = watch.counts(w);
    if (c.any()) touched += "\n    " + (what == "strip" ? std::string("strip") : frameName(r.host(), w)) + ": " + c.text();
  }
  if (what == "strip" && !windows.front()) return "no strip";
  if (touched.empty()) return std::nullopt;
  return "touched since watch:" + touched;
}

BOOL CALLBACK notOfProcess(HWND w, LPARAM lp) {
  auto* found = reinterpret_cast<std::pair<DWORD, std::string>*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != found->first) {
    wchar_t cls[128] = L"";
    GetClassNameW(w, cls, 128);
    found->second += " " + narrow(cls);
  }
  return TRUE;
}

// expect second untouched: the second instance's frame was neither shown,
// hidden, re-parented, moved nor sized, nor anything inside it, since it
// showed; it is where it was, as large, with its children where they were,
// and nothing of another process is in it.
Mismatch second(Runner& r, const ScriptLine& line) {
  if (word(line, 2) != "untouched") badLine(line, "expect second untouched");
  if (!r.secondHost.running()) return "the second instance is not running";
  HWND frame = r.secondHost.window();
  if (!IsWindow(frame)) return "the second instance's frame is gone";
  std::string wrong;
  DWORD_PTR packed = 0;
  for (WPARAM inside : {0, 1}) {
    if (!SendMessageTimeoutW(frame, WindowWatch::queryMessage(), inside, 0, SMTO_ABORTIFHUNG, 3000, &packed)) {
      wrong += "\n    it did not answer";
      break;
    }
    WindowWatch::Counts c = WindowWatch::unpack(static_cast<LRESULT>(packed));
    if (c.any()) wrong += std::string("\n    ") + (inside ? "windows inside it: " : "its frame: ") + c.text();
  }
  if (GetAncestor(frame, GA_PARENT) != GetDesktopWindow()) wrong += "\n    no longer a top-level window";
  RECT now{};
  GetWindowRect(frame, &now);
  const Runner::SecondFrame& then = r.secondFrame;
  if (!EqualRect(&now, &then.rect)) wrong += "\n    moved or sized";
  if ((IsWindowVisible(frame) != FALSE) != then.visible) wrong += "\n    shown or hidden";
  for (const auto& [child, rect] : then.children) {
    RECT c{};
    if (!GetWindowRect(child, &c)) continue;
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&c), 2);
    if (!EqualRect(&c, &rect)) {
      wchar_t cls[128] = L"";
      GetClassNameW(child, cls, 128);
      wrong += "\n    " + narrow(cls) + " moved or sized inside it";
    }
  }
  std::pair<DWORD, std::string> foreign{r.secondHost.processId(), ""};
  EnumChildWindows(frame, notOfProcess, reinterpret_cast<LPARAM>(&foreign));
  if (!foreign.second.empty()) wrong += "\n    windows of another process inside it:" + foreign.second;
  if (wrong.empty()) return std::nullopt;
  return "the second instance's frame was touched:" + wrong;
}

// expect stripshade dark|light: the strip's own background as the screen
// shows it, at its right end half-way down, where no tab or arrow is drawn
// while the tabs fit: dark below a luminance of 96, light above 160.
Mismatch stripShade(Runner&, const ScriptLine& line) {
  const std::string& wanted = word(line, 2);
  if (wanted != "dark" && wanted != "light") badLine(line, "expect stripshade dark|light");
  HWND strip = findStripWindow();
  if (!strip || !IsWindowVisible(strip)) return std::string("no visible strip");
  UpdateWindow(strip);
  RECT r{};
  GetWindowRect(strip, &r);
  POINT at{r.right - 6, (r.top + r.bottom) / 2};
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  if (c == CLR_INVALID) return std::string("the screen cannot be read there");
  double luminance = 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
  std::string found = luminance < 96 ? "dark" : luminance > 160 ? "light" : "neither dark nor light";
  char rgb[32];
  std::snprintf(rgb, sizeof rgb, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return compare("strip background at " + std::to_string(at.x) + "," + std::to_string(at.y) + " (" + rgb + ")", wanted,
                 found);
}

// expect stripin SEL|none: the top-level window holding the strip.
Mismatch stripIn(Runner& r, const ScriptLine& line) {
  HWND strip = findStripWindow();
  HWND holder = strip ? GetAncestor(strip, GA_ROOT) : nullptr;
  if (word(line, 2) == "none") return compare("strip in", "none", frameName(r.host(), holder));
  HWND wanted = r.frame(word(line, 2));
  if (!wanted) return "no frame " + word(line, 2);
  if (holder == wanted) return std::nullopt;
  return "strip in: expected " + word(line, 2) + ", found " + frameName(r.host(), holder);
}

// expect framerect SEL L T R B: the frame's screen rectangle.
Mismatch frameRect(Runner& r, const ScriptLine& line) {
  HWND frame = r.frame(word(line, 2));
  if (!frame) return "no frame " + word(line, 2);
  RECT found{};
  GetWindowRect(frame, &found);
  return rectMatches(line, 3, found, "frame of " + word(line, 2));
}

// expect frames unchanged: every frame recorded by `record frames` that is
// still there has the screen rectangle it had then.
Mismatch framesUnchanged(Runner& r, const ScriptLine& line) {
  if (word(line, 2) != "unchanged") badLine(line, "expect frames unchanged");
  if (r.recordedFrames.empty()) return "no frames recorded (record frames)";
  std::string moved;
  for (const auto& [frame, then] : r.recordedFrames) {
    RECT now{};
    if (!IsWindow(frame) || !GetWindowRect(frame, &now) || EqualRect(&now, &then)) continue;
    auto text = [](const RECT& x) {
      return std::to_string(x.left) + " " + std::to_string(x.top) + " " + std::to_string(x.right) + " " +
             std::to_string(x.bottom);
    };
    moved += "\n    " + frameName(r.host(), frame) + ": " + text(then) + " -> " + text(now);
  }
  if (moved.empty()) return std::nullopt;
  return "frames moved or resized:" + moved;
}

// expect visible CAPTION yes|no: the window's Visible as the host has it.
Mismatch visible(Runner& r, const ScriptLine& line) {
  WindowObj* w = r.host().findWindow(wword(line, 2));
  if (!w) return "no open window \"" + word(line, 2) + "\"";
  return compare(word(line, 2) + " visible", word(line, 3), w->visible ? "yes" : "no");
}

// The strip's height for the layout checks: given, or the strip's own.
int stripHeight(const ScriptLine& line, size_t at) {
  if (at < line.words.size()) return number(line, at);
  RECT s{};
  HWND strip = findStripWindow();
  return strip && GetWindowRect(strip, &s) ? s.bottom - s.top : 0;
}

// expect layout SEL original|docked [H]: one frame's children against the
// host's own layout of them.
std::string rectText(const RECT& x) {
  return std::to_string(x.left) + " " + std::to_string(x.top) + " " + std::to_string(x.right) + " " +
         std::to_string(x.bottom);
}

// expect layout SEL recorded: the frame where `record layout` found it, and
// every window that was in it then still there, exactly where it stood.
Mismatch layoutRecorded(Runner& r, HWND frame, const std::string& name) {
  if (frame != r.recordedLayoutFrame) return "no layout recorded for " + name + " (record layout " + name + ")";
  std::string wrong;
  RECT now{};
  GetWindowRect(frame, &now);
  if (!EqualRect(&now, &r.recordedLayoutRect))
    wrong += "\n    the frame: " + rectText(r.recordedLayoutRect) + " -> " + rectText(now);
  std::vector<std::pair<HWND, RECT>> children = childRects(frame);
  for (const auto& [child, then] : r.recordedLayout) {
    auto found = std::find_if(children.begin(), children.end(), [&](const auto& c) { return c.first == child; });
    if (found == children.end()) {
      wrong += "\n    " + childName(child) + ": gone";
    } else if (!EqualRect(&found->second, &then)) {
      wrong += "\n    " + childName(child) + ": " + rectText(then) + " -> " + rectText(found->second);
    }
  }
  if (wrong.empty()) return std::nullopt;
  return "layout of " + name + " not as recorded:" + wrong;
}

Mismatch layout(Runner& r, const ScriptLine& line) {
  HWND frame = r.frame(word(line, 2));
  if (!frame) return "no frame " + word(line, 2);
  const std::string& wanted = word(line, 3);
  if (wanted == "recorded") return layoutRecorded(r, frame, word(line, 2));
  if (wanted != "original" && wanted != "docked")
    badLine(line, "expect layout SEL original|docked [HEIGHT] | expect layout SEL recorded");
  return compare("layout of " + word(line, 2), wanted, layoutState(r.host(), frame, stripHeight(line, 4)));
}

// expect layouts [H]: every frame is as the host laid it out or docked once.
Mismatch layouts(Runner& r, const ScriptLine& line) {
  int height = stripHeight(line, 2);
  std::string wrong;
  for (HWND frame : r.host().tree().frames()) {
    std::string state = layoutState(r.host(), frame, height);
    if (state != "original" && state != "docked") wrong += "\n    " + frameName(r.host(), frame) + ": " + state;
  }
  if (wrong.empty()) return std::nullopt;
  return "frames neither original nor docked once:" + wrong;
}

// expect hwnd SEL|fails: what Application.Hwnd names.
Mismatch hwnd(Runner& r, const ScriptLine& line) {
  HWND named = r.host().applicationHwnd();
  std::string found = named ? frameName(r.host(), named) : "fails";
  if (word(line, 2) == "fails" || !named) return compare("Application.Hwnd", word(line, 2), found);
  if (named == r.frame(word(line, 2))) return std::nullopt;
  return "Application.Hwnd: expected " + word(line, 2) + ", found " + found;
}

// expect front SEL: the frame is the foreground window and above every other
// frame.
Mismatch front(Runner& r, const ScriptLine& line) {
  HWND wanted = r.frame(word(line, 2));
  if (!wanted) return "no frame " + word(line, 2);
  HWND fg = GetForegroundWindow();
  if (fg != wanted) return "foreground: expected " + word(line, 2) + ", found " + frameName(r.host(), fg);
  std::vector<HWND> frames = r.host().tree().frames();
  for (HWND w = GetWindow(wanted, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (IsWindowVisible(w) && std::find(frames.begin(), frames.end(), w) != frames.end())
      return "frame " + frameName(r.host(), w) + " is above " + word(line, 2);
  return std::nullopt;
}

size_t matches(Runner& r, const std::string& pattern) {
  size_t n = 0;
  for (const std::string& entry : r.host().log().recent()) n += globMatch(pattern, entry) ? 1 : 0;
  return n;
}

// The last entries of the log window, enough to see what happened instead.
std::string recentCalls(Runner& r) {
  std::vector<std::string> recent = r.host().log().recent();
  constexpr size_t kShown = 30;
  size_t from = recent.size() > kShown ? recent.size() - kShown : 0;
  std::string out = from ? "\n    ..." : "";
  for (size_t i = from; i < recent.size(); ++i) out += "\n    " + recent[i];
  return recent.empty() ? " (none)" : out;
}

Mismatch call(Runner& r, const ScriptLine& line) {
  if (matches(r, word(line, 2)) > 0) return std::nullopt;
  return "no call matching \"" + word(line, 2) + "\" since the last mark; calls were:" + recentCalls(r);
}

Mismatch noCall(Runner& r, const ScriptLine& line) {
  if (matches(r, word(line, 2)) == 0) return std::nullopt;
  return "unexpected call matching \"" + word(line, 2) + "\":" + recentCalls(r);
}

Mismatch live(Runner&, const ScriptLine& line) {
  return compare("live " + word(line, 2) + " objects", word(line, 3),
                 std::to_string(LiveObjects::instance().count(word(line, 2))));
}

// Closed windows and documents still alive are held by someone else: the
// host lets go of them when they close.
Mismatch stale(Runner& r, const ScriptLine& line) {
  int windows = LiveObjects::instance().count("Window") - static_cast<int>(r.host().windows().size());
  int documents = LiveObjects::instance().count("Document") - static_cast<int>(r.host().documents().size());
  if (std::to_string(windows + documents) == word(line, 2)) return std::nullopt;
  return "closed windows and documents still alive: expected " + word(line, 2) + ", found " +
         std::to_string(windows) + " windows and " + std::to_string(documents) + " documents";
}

Mismatch message(Runner&, const ScriptLine& line) {
  std::optional<std::wstring> text = messageBoxText();
  if (!text) return "no message box is showing (expected \"" + word(line, 2) + "\")";
  if (word(line, 2) == "*") return std::nullopt;  // any text
  return compare("message", "\"" + word(line, 2) + "\"", "\"" + narrow(*text) + "\"");
}

Mismatch noMessage(Runner&, const ScriptLine&) {
  std::optional<std::wstring> text = messageBoxText();
  if (!text) return std::nullopt;
  return "a message box is showing: \"" + narrow(*text) + "\"";
}

Mismatch popup(Runner&, const ScriptLine& line) {
  std::optional<OpenPopup> open = currentPopup();
  if (!open) return "no popup menu is showing";
  std::vector<std::string> found;
  for (const auto& c : open->captions) found.push_back(narrow(c));
  return compare("popup items", list(rest(line, 2)), list(found));
}

Mismatch noPopup(Runner&, const ScriptLine&) {
  return currentPopup() ? Mismatch("a popup menu is showing") : std::nullopt;
}

Mismatch dialog(Runner&, const ScriptLine& line) {
  std::optional<OpenSaveDialog> open = currentSaveDialog();
  if (!open) return "no Save As dialog is showing";
  wchar_t name[260];
  GetWindowTextW(open->nameBox, name, 260);
  return compare("Save As file name", "\"" + word(line, 2) + "\"", "\"" + narrow(name) + "\"");
}

Mismatch noDialog(Runner&, const ScriptLine&) {
  return currentSaveDialog() ? Mismatch("a Save As dialog is showing") : std::nullopt;
}

Mismatch windows(Runner& r, const ScriptLine& line) {
  std::vector<std::string> found;
  for (const auto& w : r.host().windows()) found.push_back(narrow(w->caption()));
  return compare("host windows", list(rest(line, 2)), list(found));
}

Mismatch active(Runner& r, const ScriptLine& line) {
  WindowObj* a = r.host().active();
  return compare("active window", word(line, 2), a ? narrow(a->caption()) : "none");
}

Mismatch saved(Runner& r, const ScriptLine& line) {
  WindowObj* w = r.host().findWindow(wword(line, 2));
  if (!w) return "no open window \"" + word(line, 2) + "\"";
  return compare("saved " + word(line, 2), word(line, 3), w->document()->saved() ? "yes" : "no");
}

Mismatch quit(Runner& r, const ScriptLine&) {
  return r.host().quitRequested() ? std::nullopt : Mismatch("the host has not quit");
}

// expect framevisible CAPTION yes|no: the top-level frame showing the window.
Mismatch frameVisible(Runner& r, const ScriptLine& line) {
  WindowObj* w = r.host().findWindow(wword(line, 2));
  if (!w || !w->frame) return "no open window \"" + word(line, 2) + "\"";
  HWND top = GetAncestor(w->frame, GA_ROOT);
  return compare("frame of " + word(line, 2) + " visible", word(line, 3), IsWindowVisible(top) ? "yes" : "no");
}

// expect resources [within N]: as many GDI and USER objects as at
// `baseline`. The window system fills caches of its own (device contexts,
// cached bitmaps) the first time a load is reached, and under a busy machine
// that can come later than the documents the baseline waits for: `within N`
// allows N more, never more however long the run, where a leak per document
// or per tick would give hundreds. What grew is printed either way.
Mismatch resources(Runner& r, const ScriptLine& line) {
  if (r.baselineGdi < 0) return "no baseline recorded";
  ResourceCounts now = resourceCounts();
  static bool noted = false;
  if (r.baselineGdi == 0 && now.gdi == 0 && !noted && (noted = true)) std::printf("note: this system does not count GDI objects per process\n");
  const std::string kinds = gdiKindsDiffer(r.baselineGdiKinds, now.gdiKinds);
  if (!kinds.empty()) std::printf("GDI objects since the baseline: %s\n", kinds.c_str());
  const long slack = line.words.size() > 3 && word(line, 2) == "within" ? number(line, 3) : 0;
  const bool gdiHolds = now.gdi >= r.baselineGdi - slack && now.gdi <= r.baselineGdi + slack;
  if (gdiHolds && now.user == r.baselineUser) return std::nullopt;
  std::string expected = std::to_string(r.baselineGdi) + (slack ? " (within " + std::to_string(slack) + ")" : "") +
                         " GDI, " + std::to_string(r.baselineUser) + " USER";
  std::string found = std::to_string(now.gdi) + " GDI, " + std::to_string(now.user) + " USER";
  Mismatch m = compare("GDI and USER objects", expected, found);
  if (m && !kinds.empty()) *m += " (" + kinds + ")";
  return m;
}

// expect references: as many references on host objects of each kind as at
// `baseline`: whatever the add-in took since, it gave back.
Mismatch references(Runner& r, const ScriptLine&) {
  if (r.baselineGdi < 0) return "no baseline recorded";
  std::map<std::string, long> now = LiveObjects::instance().references();
  std::string differs;
  for (const auto& [kind, n] : now) {
    auto then = r.baselineReferences.find(kind);
    long before = then == r.baselineReferences.end() ? 0 : then->second;
    if (n != before) differs += "\n    " + kind + ": " + std::to_string(before) + " -> " + std::to_string(n);
  }
  if (differs.empty()) return std::nullopt;
  return "references on host objects differ from the baseline:" + differs;
}

struct CheckEntry {
  const char* name;
  Mismatch (*check)(Runner&, const ScriptLine&);
};

constexpr std::array<CheckEntry, 48> kChecks{{
    {"closeimage", closeImage},
    {"unsaved", unsaved},
    {"listbutton", listButton},
    {"tooltip", tooltip},
    {"notooltip", noTooltip},
    {"menu", menu},
    {"menuchecked", menuChecked},
    {"nomenu", noMenu},
    {"stripshade", stripShade},
    {"untouched", untouched},
    {"second", second},
    {"edge", edge},
    {"clear", clear},
    {"references", references},
    {"size", size},
    {"stripin", stripIn},   {"framerect", frameRect}, {"frames", framesUnchanged}, {"visible", visible},
    {"layout", layout},     {"layouts", layouts},     {"hwnd", hwnd},              {"front", front},
    {"inview", inView},
    {"tabs", tabs},         {"shown", shownTabs},   {"selected", selected}, {"arrows", arrows},
    {"strip", strip},       {"rect", rect},         {"call", call},         {"nocall", noCall},
    {"live", live},         {"stale", stale},       {"message", message},   {"nomessage", noMessage},
    {"popup", popup},       {"nopopup", noPopup},   {"dialog", dialog},     {"nodialog", noDialog},
    {"windows", windows},   {"active", active},     {"saved", saved},       {"quit", quit},
    {"framevisible", frameVisible}, {"resources", resources},
    {"calls", call},        {"tab", tabs},
}};

Outcome expect(Runner& r, const ScriptLine& line) {
  std::string what = word(line, 1);
  // rect@SEL and size@SEL name the frame their coordinates are in.
  if (what.rfind("rect@", 0) == 0 || what.rfind("size@", 0) == 0 || what.rfind("edge@", 0) == 0) what = what.substr(0, 4);
  if (what.rfind("clear@", 0) == 0) what = what.substr(0, 5);
  for (const CheckEntry& entry : kChecks)
    if (what == entry.name) return Outcome::check(entry.check(r, line));
  badLine(line, "unknown expectation " + what);
}

constexpr std::array<CommandEntry, 1> kCommands{{{"expect", expect}}};
}  // namespace

std::span<const CommandEntry> expectCommands() { return kCommands; }

}  // namespace hostsim
