// Script commands that act as the host or its user would outside the strip:
// open, close and rename documents, switch windows, resize the host, make it
// busy, and connect or disconnect the add-ins.
#include <array>

#include "common/text.h"
#include "host/host.h"
#include "loader/addin_loader.h"
#include "script/runner.h"
#include "script/window_query.h"
#include "windows/host_windows.h"
#include "windows/window_watch.h"

namespace hostsim {

namespace {
WindowObj& window(Runner& r, const ScriptLine& line, size_t i) {
  WindowObj* w = r.host().findWindow(wword(line, i));
  if (!w) badLine(line, "no open window \"" + word(line, i) + "\"");
  return *w;
}

bool onOff(const ScriptLine& line, size_t i) {
  const std::string& w = word(line, i);
  if (w == "on" || w == "yes") return true;
  if (w == "off" || w == "no") return false;
  badLine(line, "expected on or off");
}

Outcome start(Runner& r, const ScriptLine&) {
  r.loader().startup();
  return Outcome::done();
}

Outcome open(Runner& r, const ScriptLine& line) {
  r.host().openDocument(wword(line, 1), true);
  return Outcome::done();
}

Outcome newDocument(Runner& r, const ScriptLine& line) {
  r.host().openDocument(wword(line, 1), false);
  return Outcome::done();
}

Outcome newWindow(Runner& r, const ScriptLine& line) {
  r.host().newWindow(window(r, line, 1), wword(line, 2));
  return Outcome::done();
}

Outcome activate(Runner& r, const ScriptLine& line) {
  r.host().activate(window(r, line, 1));
  return Outcome::done();
}

Outcome close(Runner& r, const ScriptLine& line) {
  r.host().closeWindow(window(r, line, 1), false);
  return Outcome::done();
}

Outcome rename(Runner& r, const ScriptLine& line) {
  r.host().rename(window(r, line, 1), wword(line, 2));
  return Outcome::done();
}

Outcome modify(Runner& r, const ScriptLine& line) {
  window(r, line, 1).document()->setSaved(false);
  return Outcome::done();
}

Outcome saved(Runner& r, const ScriptLine& line) {
  window(r, line, 1).document()->setSaved(true);
  return Outcome::done();
}

// save CAPTION: the user saves the document through the host (its Save
// command): it is saved, and one never saved before gets its folder.
Outcome save(Runner& r, const ScriptLine& line) {
  window(r, line, 1).document()->save();
  return Outcome::done();
}

Outcome noActive(Runner& r, const ScriptLine&) {
  r.host().setNoActive();
  return Outcome::done();
}

Outcome busy(Runner& r, const ScriptLine& line) {
  r.host().setBusy(onOff(line, 1));
  return Outcome::done();
}

Outcome hostWidth(Runner& r, const ScriptLine& line) {
  int px = static_cast<int>(number(line, 1) * r.host().dpi() / 72.0 + 0.5);
  r.host().tree().setWidthPx(px);
  return Outcome::done();
}

Outcome formulaBar(Runner& r, const ScriptLine& line) {
  r.host().setFormulaBar(onOff(line, 1));
  return Outcome::done();
}

// personal: the personal macro workbook, opened hidden from the start-up
// folder as the host opens it before any other.
Outcome personal(Runner& r, const ScriptLine& line) {
  if (!r.host().config().sheet()) badLine(line, "only the spreadsheet host has a personal macro workbook");
  if (r.host().findWindow(L"PERSONAL.XLSB")) badLine(line, "PERSONAL.XLSB is open already");
  r.host().openPersonal();
  return Outcome::done();
}

// hide CAPTION / show CAPTION: View > Hide and View > Unhide.
Outcome hide(Runner& r, const ScriptLine& line) {
  r.host().setWindowVisible(window(r, line, 1), false, false);
  return Outcome::done();
}

Outcome show(Runner& r, const ScriptLine& line) {
  r.host().setWindowVisible(window(r, line, 1), true, true);
  return Outcome::done();
}

HWND frame(Runner& r, const ScriptLine& line, size_t i) {
  HWND f = r.frame(word(line, i));
  if (!f) badLine(line, "no frame \"" + word(line, i) + "\"");
  return f;
}

// Moves and sizes a frame as the user does; the host lays it out again when
// its size changed.
void place(HWND f, RECT at) {
  SetWindowPos(f, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// frame SEL L T R B: the frame's outer rectangle in screen pixels.
Outcome placeFrame(Runner& r, const ScriptLine& line) {
  place(frame(r, line, 1), RECT{number(line, 2), number(line, 3), number(line, 4), number(line, 5)});
  return Outcome::done();
}

// monitor SEL DPI: the user drags the frame onto a monitor of that DPI (see
// HostWindows::moveToMonitor for what is imitated).
Outcome monitor(Runner& r, const ScriptLine& line) {
  int dpi = number(line, 2);
  if (dpi < 48 || dpi > 480) badLine(line, "monitor SEL DPI (48 to 480)");
  r.host().tree().moveToMonitor(frame(r, line, 1), dpi);
  return Outcome::done();
}

// arrange sidebyside|overlap A B: two frames halves of the screen's work area
// side by side, or overlapping with B down and to the right of A.
Outcome arrange(Runner& r, const ScriptLine& line) {
  HWND a = frame(r, line, 2), b = frame(r, line, 3);
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const std::string& how = word(line, 1);
  if (how == "sidebyside") {
    LONG mid = (area.left + area.right) / 2;
    place(a, RECT{area.left, area.top, mid, area.top + 680});
    place(b, RECT{mid, area.top, area.right, area.top + 680});
  } else if (how == "overlap") {
    place(a, RECT{area.left + 20, area.top + 20, area.left + 1020, area.top + 700});
    place(b, RECT{area.left + 220, area.top + 160, area.left + 1220, area.top + 840});
  } else {
    badLine(line, "arrange sidebyside|overlap A B");
  }
  return Outcome::done();
}

// border N: every frame draws a border of N pixels itself from now on.
Outcome border(Runner& r, const ScriptLine& line) {
  int px = number(line, 1);
  if (px < 0 || px > 64) badLine(line, "border 0..64");
  r.host().tree().setBorder(px);
  return Outcome::done();
}

// maximize SEL / unmaximize SEL: the frame's maximise and restore buttons.
Outcome maximize(Runner& r, const ScriptLine& line) {
  r.host().tree().maximize(frame(r, line, 1));
  return Outcome::done();
}

Outcome unmaximize(Runner& r, const ScriptLine& line) {
  r.host().tree().unmaximize(frame(r, line, 1));
  return Outcome::done();
}

Outcome protectedView(Runner& r, const ScriptLine& line) {
  if (!r.host().config().sheet()) badLine(line, "protectedview is the spreadsheet host's");
  r.host().setProtectedView(onOff(line, 1));
  return Outcome::done();
}

Outcome hwndFails(Runner& r, const ScriptLine& line) {
  r.host().setHwndFails(onOff(line, 1));
  return Outcome::done();
}

// appvisible on|off: Application.Visible set by someone else than the add-in.
Outcome appVisible(Runner& r, const ScriptLine& line) {
  r.host().setVisible(onOff(line, 1));
  return Outcome::done();
}

// The user clicks a top-level window of any process: it comes to the top
// and takes the keyboard.
void bringForward(HWND w) {
  SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(w);
}

struct ChildRects {
  HWND frame;
  std::vector<std::pair<HWND, RECT>>* out;
};

BOOL CALLBACK childRect(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<ChildRects*>(lp);
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, c->frame, reinterpret_cast<POINT*>(&r), 2);
  c->out->emplace_back(w, r);
  return TRUE;
}

// second open CAPTION | front | close: a second instance of the host in a
// process of its own, with a document CAPTION, its frame in front of ours;
// the user clicking it; closing it.
Outcome second(Runner& r, const ScriptLine& line) {
  const std::string& what = word(line, 1);
  if (what == "open") {
    HostConfig config = r.host().config();
    if (r.host().tree().drawsOwnBorder()) config.border = r.host().tree().frameBorder();
    if (!r.secondHost.start(SecondProcess::Kind::Host, config, wword(line, 2)))
      badLine(line, "the second instance of the host did not show its frame");
    Runner::SecondFrame& f = r.secondFrame;
    HWND frame = r.secondHost.window();
    GetWindowRect(frame, &f.rect);
    f.visible = IsWindowVisible(frame) != FALSE;
    f.children.clear();
    ChildRects c{frame, &f.children};
    EnumChildWindows(frame, childRect, reinterpret_cast<LPARAM>(&c));
  } else if (what == "front") {
    if (!r.secondHost.running()) badLine(line, "no second instance (second open CAPTION)");
    bringForward(r.secondHost.window());
  } else if (what == "close") {
    r.secondHost.stop();
  } else {
    badLine(line, "second open CAPTION|front|close");
  }
  return Outcome::done();
}

// away: another program comes in front of the host (started the first
// time). back: the user clicks the host's frame in front again.
Outcome away(Runner& r, const ScriptLine& line) {
  if (!r.otherProgram.running()) {
    if (!r.otherProgram.start(SecondProcess::Kind::Other, r.host().config(), L""))
      badLine(line, "the other program did not show its window");
  } else {
    bringForward(r.otherProgram.window());
  }
  r.host().setApplicationActive(false);
  return Outcome::done();
}

Outcome back(Runner& r, const ScriptLine& line) {
  HWND frame = r.host().tree().mainWindow();
  if (!frame) badLine(line, "the host has no frame");
  {
    WindowWatch::HostActs own;
    bringForward(frame);
  }
  r.host().setApplicationActive(true);
  return Outcome::done();
}

// theme N [NAME]: the user's Office theme, the DWORD value NAME of
// HKCU\Software\Microsoft\Office\<version>\Common ("UI Theme" from 15 on,
// "Theme" before, unless named). The add-ins read it when they load their
// strip: set it before `start` or `connect`. The value is given back as it
// was when the run ends, and a key that was not there is made volatile.
Outcome theme(Runner& r, const ScriptLine& line) {
  DWORD value = static_cast<DWORD>(number(line, 1));
  std::wstring name = line.words.size() > 2 ? wword(line, 2)
                      : r.host().config().versionNumber() >= 15 ? L"UI Theme" : L"Theme";
  std::wstring path = L"Software\\Microsoft\\Office\\" + r.host().config().version + L"\\Common";
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      nullptr, &key, &disposition) != ERROR_SUCCESS)
    badLine(line, "cannot open HKCU\\" + narrow(path));
  bool known = false;
  for (const auto& t : r.themesSet) known = known || (t.key == path && t.name == name);
  if (!known) {
    Runner::ThemeValue before{path, name, std::nullopt};
    DWORD old = 0, size = sizeof old, type = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&old), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
      before.before = old;
    r.themesSet.push_back(before);
  }
  LSTATUS set = RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  if (set != ERROR_SUCCESS) badLine(line, "cannot write the theme value");
  return Outcome::done();
}

// makeframe [bare]: the frame of a host started without one (--noframe)
// appears: bare, the top-level window alone; else with everything in it.
Outcome makeFrame(Runner& r, const ScriptLine& line) {
  bool bare = line.words.size() > 1 && word(line, 1) == "bare";
  if (line.words.size() > 1 && !bare) badLine(line, "makeframe [bare]");
  r.host().tree().makeFrame(bare);
  return Outcome::done();
}

// switchorder active-first|deactivate-first: on a switch between two
// document windows, ActiveWindow names the new one before (active-first) or
// only after (deactivate-first) WindowDeactivate is raised for the old one.
Outcome switchOrder(Runner& r, const ScriptLine& line) {
  const std::string& w = word(line, 1);
  if (w != "active-first" && w != "deactivate-first") badLine(line, "switchorder active-first|deactivate-first");
  r.host().setSwitchOrder(w == "active-first" ? SwitchOrder::ActiveFirst : SwitchOrder::DeactivateFirst);
  return Outcome::done();
}

Outcome connect(Runner& r, const ScriptLine&) {
  r.loader().connectAll(ext_cm_AfterStartup);
  return Outcome::done();
}

Outcome disconnect(Runner& r, const ScriptLine&) {
  r.loader().disconnectAll(ext_dm_UserClosed);
  return Outcome::done();
}

constexpr std::array<CommandEntry, 37> kCommands{{
    {"monitor", monitor},
    {"theme", theme},
    {"makeframe", makeFrame},
    {"second", second},
    {"away", away},
    {"back", back},
    {"minimize", [](Runner& r, const ScriptLine&) { r.host().minimize(); return Outcome::done(); }},
    {"restore", [](Runner& r, const ScriptLine&) { r.host().restore(); return Outcome::done(); }},
    {"switchorder", switchOrder},
    {"border", border},
    {"maximize", maximize},
    {"unmaximize", unmaximize},
    {"personal", personal},
    {"hide", hide},
    {"show", show},
    {"frame", placeFrame},
    {"arrange", arrange},
    {"protectedview", protectedView},
    {"hwndfails", hwndFails},
    {"appvisible", appVisible},
    {"start", start},
    {"open", open},
    {"new", newDocument},
    {"newwindow", newWindow},
    {"activate", activate},
    {"close", close},
    {"rename", rename},
    {"modify", modify},
    {"saved", saved},
    {"save", save},
    {"noactive", noActive},
    {"busy", busy},
    {"hostwidth", hostWidth},
    {"formulabar", formulaBar},
    {"connect", connect},
    {"disconnect", disconnect},
    {"quit", [](Runner& r, const ScriptLine&) { r.host().quit(); return Outcome::done(); }},
}};
}  // namespace

std::span<const CommandEntry> hostCommands() { return kCommands; }

}  // namespace hostsim
