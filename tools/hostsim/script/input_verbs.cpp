// Script commands that use the mouse: targets on the strip are found through
// its accessible object and hit with real input at their screen location.
// Popup items, message-box and dialog buttons are pressed the same way.
#include <algorithm>
#include <array>

#include "common/text.h"
#include "host/host.h"
#include "input/mouse.h"
#include "input/popup_reader.h"
#include "input/strip_reader.h"
#include "script/runner.h"
#include "windows/host_windows.h"
#include "windows/popup_menu.h"
#include "windows/save_dialog.h"

namespace hostsim {

namespace {
constexpr int kStepMs = 40;

bool isNumber(const std::string& w) {
  return !w.empty() && w.find_first_not_of("-0123456789") == std::string::npos;
}

POINT center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

const AccessibleItem& tabNamed(const StripView& strip, const ScriptLine& line, const std::string& name,
                               bool closer) {
  const auto& list = closer ? strip.closers : strip.tabs;
  for (size_t i = 0; i < strip.tabs.size(); ++i) {
    bool byPosition = name.size() > 1 && name[0] == '#' && std::to_string(i + 1) == name.substr(1);
    if (byPosition || narrow(strip.tabs[i].name) == name) {
      if (list[i].invisible) badLine(line, "\"" + name + "\" is scrolled out of view");
      return list[i];
    }
  }
  badLine(line, "no tab \"" + name + "\" on the strip");
}

// A tab is hit on its caption: the middle of the part of its background in
// view (not under an arrow or the list button), moved left of the close
// image when that covers the middle.
POINT tabPoint(const StripView& strip, const ScriptLine& line, const std::string& name) {
  const AccessibleItem& tab = tabNamed(strip, line, name, false);
  RECT view = tab.rect;
  if (!strip.left.invisible) view.left = std::max(view.left, strip.left.rect.right);
  if (!strip.right.invisible) view.right = std::min(view.right, strip.right.rect.left);
  if (strip.list && !strip.list->invisible) view.right = std::min(view.right, strip.list->rect.left);
  if (view.right <= view.left) badLine(line, "\"" + name + "\" is hidden under the arrows");
  POINT p = center(view);
  for (size_t i = 0; i < strip.tabs.size(); ++i) {
    if (&strip.tabs[i] != &tab) continue;
    const AccessibleItem& close = strip.closers[i];
    if (!close.invisible && PtInRect(&close.rect, p)) p.x = (view.left + close.rect.left) / 2;
  }
  return p;
}

// TARGET: tab NAME | close NAME | left | right | list | strip [X] | at X Y |
// screen X Y (NAME may be #N, the tab at strip position N). Returns the words
// used.
size_t target(const ScriptLine& line, size_t at, POINT& out) {
  const std::string& kind = word(line, at);
  if (kind == "screen") {
    out = {number(line, at + 1), number(line, at + 2)};
    return 3;
  }
  std::string problem;
  std::optional<StripView> strip = readStrip(&problem);
  if (!strip) badLine(line, problem);
  if (kind == "tab") out = tabPoint(*strip, line, word(line, at + 1));
  else if (kind == "close") out = center(tabNamed(*strip, line, word(line, at + 1), true).rect);
  else if (kind == "left" || kind == "right") {
    const AccessibleItem& arrow = kind == "left" ? strip->left : strip->right;
    if (arrow.invisible) badLine(line, "the " + kind + " arrow is hidden");
    out = center(arrow.rect);
  } else if (kind == "list") {
    if (!strip->list || strip->list->invisible) badLine(line, "the strip shows no list button");
    out = center(strip->list->rect);
  } else if (kind == "strip" || kind == "at") {
    bool hasX = kind == "at" || (at + 1 < line.words.size() && isNumber(line.words[at + 1]));
    int x = hasX ? number(line, at + 1) : (strip->rect.right - strip->rect.left) - 40;
    int y = kind == "at" ? number(line, at + 2) : (strip->rect.bottom - strip->rect.top) / 2;
    out = {strip->rect.left + x, strip->rect.top + y};
    return kind == "at" ? 3 : (hasX ? 2 : 1);
  } else {
    badLine(line, "unknown target " + kind);
  }
  return kind == "tab" || kind == "close" ? 2 : 1;
}

void pressAt(Runner& r, POINT p, Button b, int times) {
  r.queue([p] { mouseMove(p); }, kStepMs);
  for (int i = 0; i < times; ++i) {
    r.queue([b] { mouseButton(b, true); }, times > 1 ? 10 : kStepMs);
    r.queue([b] { mouseButton(b, false); }, times > 1 && i + 1 < times ? 10 : 2 * kStepMs);
  }
}

Outcome click(Runner& r, const ScriptLine& line) {
  POINT p;
  target(line, 1, p);
  pressAt(r, p, Button::Left, 1);
  return Outcome::done();
}

Outcome rightClick(Runner& r, const ScriptLine& line) {
  POINT p;
  target(line, 1, p);
  pressAt(r, p, Button::Right, 1);
  return Outcome::done();
}

// middleclick TARGET [to TARGET]: the middle button pressed and released
// there, or pressed at the first and released at the second.
Outcome middleClick(Runner& r, const ScriptLine& line) {
  POINT from, to;
  size_t used = target(line, 1, from);
  if (line.words.size() == 1 + used) {
    pressAt(r, from, Button::Middle, 1);
    return Outcome::done();
  }
  if (word(line, 1 + used) != "to") badLine(line, "middleclick TARGET [to TARGET]");
  target(line, 2 + used, to);
  r.queue([from] { mouseMove(from); }, kStepMs);
  r.queue([] { mouseButton(Button::Middle, true); }, 2 * kStepMs);
  r.queue([to] { mouseMove(to); }, 2 * kStepMs);
  r.queue([] { mouseButton(Button::Middle, false); }, 3 * kStepMs);
  return Outcome::done();
}

Outcome doubleClick(Runner& r, const ScriptLine& line) {
  POINT p;
  target(line, 1, p);
  pressAt(r, p, Button::Left, 2);
  return Outcome::done();
}

// The pointer comes to rest as a hand brings it: a move just short of the
// point, then onto it. A tooltip starts its wait on a move it sees after the
// one that made it show up or took the last tip down, as it does for a user.
Outcome hover(Runner& r, const ScriptLine& line) {
  POINT p;
  target(line, 1, p);
  POINT shortOf{p.x - 2, p.y};
  r.queue([shortOf] { mouseMove(shortOf); }, kStepMs);
  r.queue([p] { mouseMove(p); }, 2 * kStepMs);
  return Outcome::done();
}

// drag TARGET to TARGET: press, move there in steps, release.
Outcome drag(Runner& r, const ScriptLine& line) {
  POINT from, to;
  size_t used = target(line, 1, from);
  if (word(line, 1 + used) != "to") badLine(line, "drag TARGET to TARGET");
  target(line, 2 + used, to);
  r.queue([from] { mouseMove(from); }, kStepMs);
  r.queue([] { mouseButton(Button::Left, true); }, 2 * kStepMs);
  for (int step = 1; step <= 6; ++step) {
    POINT p{from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6};
    r.queue([p] { mouseMove(p); }, kStepMs);
  }
  r.queue([] { mouseButton(Button::Left, false); }, 3 * kStepMs);
  return Outcome::done();
}

// hold left|right MS: keeps an arrow pressed.
Outcome hold(Runner& r, const ScriptLine& line) {
  POINT p;
  target(line, 1, p);
  int ms = number(line, 2);
  r.queue([p] { mouseMove(p); }, kStepMs);
  r.queue([] { mouseButton(Button::Left, true); }, ms);
  r.queue([] { mouseButton(Button::Left, false); }, 2 * kStepMs);
  return Outcome::done();
}

// Moves the pointer off the strip, into the host's status bar.
Outcome leave(Runner& r, const ScriptLine&) {
  RECT main;
  GetWindowRect(r.host().tree().mainWindow(), &main);
  POINT p{main.left + 60, main.bottom - 12};
  r.queue([p] { mouseMove(p); }, 2 * kStepMs);
  return Outcome::done();
}

Outcome popup(Runner& r, const ScriptLine& line) {
  std::optional<OpenPopup> open = currentPopup();
  if (!open) return Outcome::check("no popup menu is showing");
  const std::string& choice = word(line, 1);
  if (choice == "dismiss") {
    RECT w;
    GetWindowRect(open->window, &w);
    pressAt(r, POINT{w.right + 40, w.bottom + 40}, Button::Left, 1);
    return Outcome::done();
  }
  for (size_t i = 0; i < open->captions.size(); ++i)
    if (narrow(open->captions[i]) == choice) {
      pressAt(r, center(open->itemRects[i]), Button::Left, 1);
      return Outcome::done();
    }
  badLine(line, "the popup has no item \"" + choice + "\"");
}

// menu CAPTION | menu key CAPTION | menu dismiss: answers the popup menu of
// the window system showing (the add-in's list of documents): a click on the
// item, the arrow keys down to it and Enter, or Escape.
Outcome menu(Runner& r, const ScriptLine& line) {
  std::optional<ShownMenu> open = shownMenu();
  if (!open) return Outcome::check("no popup menu of the window system is showing");
  const std::string& first = word(line, 1);
  if (first == "dismiss") {
    r.queue([] { keyPress(VK_ESCAPE); }, 3 * kStepMs);
    return Outcome::done();
  }
  const bool byKey = first == "key";
  const std::string& choice = byKey ? word(line, 2) : first;
  // Positions among the items the arrow keys stop at (separators are passed).
  int wanted = -1, lit = -1, n = 0;
  const std::vector<ShownMenuItem>& items = open->items;
  for (const ShownMenuItem& item : items) {
    if (item.separator) continue;
    if (item.highlighted) lit = n;
    if (wanted < 0 && narrow(item.text) == choice) wanted = n;
    ++n;
  }
  if (wanted < 0) badLine(line, "the menu has no item \"" + choice + "\"");
  if (!byKey) {
    const ShownMenuItem* item = nullptr;
    for (const ShownMenuItem& i : items)
      if (!i.separator && narrow(i.text) == choice) item = item ? item : &i;
    if (IsRectEmpty(&item->rect)) badLine(line, "the window system does not say where \"" + choice + "\" is");
    pressAt(r, center(item->rect), Button::Left, 1);
    return Outcome::done();
  }
  // Down from the item lit (the first press lights the first item when none
  // is), round the end as menus do.
  int presses = lit < 0 ? wanted + 1 : (wanted - lit + n) % n;
  for (int i = 0; i < presses; ++i) r.queue([] { keyPress(VK_DOWN); }, kStepMs);
  r.queue([] { keyPress(VK_RETURN); }, 3 * kStepMs);
  return Outcome::done();
}

BOOL CALLBACK findMessageBox(HWND hwnd, LPARAM out) {
  wchar_t cls[16];
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void pressButton(Runner& r, HWND button) {
  RECT rc;
  GetWindowRect(button, &rc);
  pressAt(r, center(rc), Button::Left, 1);
}

// A modal window without an owner may stand behind a frame the script
// activated meanwhile: brought to the front first, as the user would from
// the taskbar.
void bringToFront(HWND window) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
}

// answer yes|no|cancel|ok: presses that button of the message box showing.
Outcome answer(Runner& r, const ScriptLine& line) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findMessageBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return Outcome::check("no message box is showing");
  const std::string& a = word(line, 1);
  int id = a == "yes" ? IDYES : a == "no" ? IDNO : a == "cancel" ? IDCANCEL : a == "ok" ? IDOK : 0;
  HWND button = id ? GetDlgItem(box, id) : nullptr;
  if (!button) badLine(line, "the message box has no " + a + " button");
  bringToFront(box);
  pressButton(r, button);
  return Outcome::done();
}

// dialog accept [NAME] | dialog cancel: answers the Save As dialog.
Outcome dialog(Runner& r, const ScriptLine& line) {
  std::optional<OpenSaveDialog> open = currentSaveDialog();
  if (!open) return Outcome::check("no Save As dialog is showing");
  const std::string& a = word(line, 1);
  bringToFront(open->window);
  if (a == "accept") {
    if (line.words.size() > 2) SetWindowTextW(open->nameBox, wword(line, 2).c_str());
    pressButton(r, open->saveButton);
  } else if (a == "cancel") {
    pressButton(r, open->cancelButton);
  } else {
    badLine(line, "dialog accept [NAME] | dialog cancel");
  }
  return Outcome::done();
}

constexpr std::array<CommandEntry, 13> kCommands{{
    {"click", click},
    {"middleclick", middleClick},
    {"menu", menu},
    {"rightclick", rightClick},
    {"dblclick", doubleClick},
    {"hover", hover},
    {"drag", drag},
    {"hold", hold},
    {"leave", leave},
    {"pointer", [](Runner& r, const ScriptLine& line) {
       POINT p{number(line, 1), number(line, 2)};
       r.queue([p] { mouseMove(p); }, kStepMs);
       return Outcome::done();
     }},
    {"popup", popup},
    {"answer", answer},
    {"dialog", dialog},
}};
}  // namespace

std::span<const CommandEntry> inputCommands() { return kCommands; }

}  // namespace hostsim
