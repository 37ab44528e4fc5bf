// The user's input in a script, as real input: targets on the strip are
// found through its accessible object and hit at their place on the screen,
// the host's prompts and menus are answered with the mouse or the keyboard.
#include <algorithm>
#include <array>

#include "common/text.h"
#include "input/mouse.h"
#include "input/popup_reader.h"
#include "prompt_reader.h"
#include "scenario_runner.h"

namespace brelmcheck {

using hostsim::AccessibleItem;
using hostsim::Button;
using hostsim::narrow;
using hostsim::ScriptLine;
using hostsim::StripView;

namespace {
constexpr DWORD kStepMs = 40;

const std::string& word(const ScriptLine& line, size_t i) {
  if (i >= line.words.size()) throw LineFailure("missing argument " + std::to_string(i) + " in: " + line.text());
  return line.words[i];
}

bool isNumber(const std::string& w) { return !w.empty() && w.find_first_not_of("-0123456789") == std::string::npos; }

POINT center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

size_t tabIndex(ScenarioRunner& r, const StripView& strip, const std::string& name) {
  for (size_t i = 0; i < strip.tabs.size(); ++i) {
    const bool byPosition = name.size() > 1 && name[0] == '#' && std::to_string(i + 1) == name.substr(1);
    if (byPosition || r.nameOf(strip.tabs[i].name) == name) return i;
  }
  throw LineFailure("no tab \"" + name + "\" on the strip");
}

// A tab is hit on its caption: the middle of its part in view, left of the
// close image when that covers the middle.
POINT tabPoint(ScenarioRunner& r, const StripView& strip, const std::string& name) {
  const size_t i = tabIndex(r, strip, name);
  const AccessibleItem& tab = strip.tabs[i];
  if (tab.invisible) throw LineFailure("\"" + name + "\" is scrolled out of view");
  RECT view = tab.rect;
  if (!strip.left.invisible) view.left = std::max(view.left, strip.left.rect.right);
  if (!strip.right.invisible) view.right = std::min(view.right, strip.right.rect.left);
  if (strip.list && !strip.list->invisible) view.right = std::min(view.right, strip.list->rect.left);
  if (view.right <= view.left) throw LineFailure("\"" + name + "\" is hidden under the arrows");
  POINT p = center(view);
  const AccessibleItem& close = strip.closers[i];
  if (!close.invisible && PtInRect(&close.rect, p)) p.x = (view.left + close.rect.left) / 2;
  return p;
}

// TARGET: tab NAME | close NAME | left | right | list | strip [X] | at X Y |
// screen X Y. Returns the words used.
size_t target(ScenarioRunner& r, const ScriptLine& line, size_t at, POINT& out) {
  const std::string& kind = word(line, at);
  if (kind == "screen") throw LineFailure("a point of the test host's screen");
  std::string problem;
  std::optional<StripView> strip = r.strip(&problem);
  if (!strip) throw LineFailure(problem);
  if (kind == "tab") {
    out = tabPoint(r, *strip, word(line, at + 1));
    return 2;
  }
  if (kind == "close") {
    const size_t i = tabIndex(r, *strip, word(line, at + 1));
    if (strip->closers[i].invisible) throw LineFailure("the close image of \"" + word(line, at + 1) + "\" is hidden");
    out = center(strip->closers[i].rect);
    return 2;
  }
  if (kind == "left" || kind == "right") {
    const AccessibleItem& arrow = kind == "left" ? strip->left : strip->right;
    if (arrow.invisible) throw LineFailure("the " + kind + " arrow is hidden");
    out = center(arrow.rect);
    return 1;
  }
  if (kind == "list") {
    if (!strip->list || strip->list->invisible) throw LineFailure("the strip shows no list button");
    out = center(strip->list->rect);
    return 1;
  }
  if (kind == "strip" || kind == "at") {
    const bool hasX = kind == "at" || (at + 1 < line.words.size() && isNumber(line.words[at + 1]));
    const int x = hasX ? std::stoi(word(line, at + 1)) : (strip->rect.right - strip->rect.left) - 40;
    const int y = kind == "at" ? std::stoi(word(line, at + 2)) : (strip->rect.bottom - strip->rect.top) / 2;
    out = {strip->rect.left + x, strip->rect.top + y};
    return kind == "at" ? 3 : (hasX ? 2 : 1);
  }
  throw LineFailure("unknown target " + kind);
}

// What the user clicks must be in front: the host's frame first, as the
// user's own click would bring it.
void bringHostForward(ScenarioRunner& r, POINT at) {
  HWND under = WindowFromPoint(at);
  DWORD pid = 0;
  if (under) GetWindowThreadProcessId(under, &pid);
  if (pid == r.host().processId()) return;
  if (HWND frame = r.anyFrame()) SetForegroundWindow(frame);
  pumpFor(100);
}

void move(POINT p, DWORD after = kStepMs) {
  hostsim::mouseMove(p);
  pumpFor(after);
}

void press(POINT p, Button b) {
  move(p);
  hostsim::mouseButton(b, true);
  pumpFor(kStepMs);
  hostsim::mouseButton(b, false);
  pumpFor(2 * kStepMs);
}

Step click(ScenarioRunner& r, const ScriptLine& line) {
  POINT p;
  target(r, line, 1, p);
  bringHostForward(r, p);
  press(p, Button::Left);
  return Step::done();
}

Step rightClick(ScenarioRunner& r, const ScriptLine& line) {
  POINT p;
  target(r, line, 1, p);
  bringHostForward(r, p);
  press(p, Button::Right);
  return Step::done();
}

// middleclick TARGET [to TARGET]
Step middleClick(ScenarioRunner& r, const ScriptLine& line) {
  POINT from, to;
  const size_t used = target(r, line, 1, from);
  bringHostForward(r, from);
  if (line.words.size() == 1 + used) {
    press(from, Button::Middle);
    return Step::done();
  }
  if (word(line, 1 + used) != "to") throw LineFailure("middleclick TARGET [to TARGET]");
  target(r, line, 2 + used, to);
  move(from);
  hostsim::mouseButton(Button::Middle, true);
  pumpFor(2 * kStepMs);
  move(to, 2 * kStepMs);
  hostsim::mouseButton(Button::Middle, false);
  pumpFor(3 * kStepMs);
  return Step::done();
}

// The pointer comes to rest as a hand brings it: just short, then onto it.
Step hover(ScenarioRunner& r, const ScriptLine& line) {
  POINT p;
  target(r, line, 1, p);
  move(POINT{p.x - 2, p.y});
  move(p, 2 * kStepMs);
  return Step::done();
}

// The pointer off the strip, into the lower part of the host's frame.
Step leave(ScenarioRunner& r, const ScriptLine&) {
  HWND frame = r.anyFrame();
  if (!frame) throw LineFailure("the host shows no frame");
  RECT f;
  GetWindowRect(frame, &f);
  move(POINT{f.left + 60, f.bottom - 12}, 2 * kStepMs);
  return Step::done();
}

Step drag(ScenarioRunner& r, const ScriptLine& line) {
  POINT from, to;
  const size_t used = target(r, line, 1, from);
  if (word(line, 1 + used) != "to") throw LineFailure("drag TARGET to TARGET");
  target(r, line, 2 + used, to);
  bringHostForward(r, from);
  move(from);
  hostsim::mouseButton(Button::Left, true);
  pumpFor(2 * kStepMs);
  for (int step = 1; step <= 6; ++step)
    move(POINT{from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6});
  hostsim::mouseButton(Button::Left, false);
  pumpFor(3 * kStepMs);
  return Step::done();
}

// hold left|right MS: an arrow kept pressed.
Step hold(ScenarioRunner& r, const ScriptLine& line) {
  POINT p;
  target(r, line, 1, p);
  int ms = 0;
  try {
    ms = std::stoi(word(line, 2));
  } catch (const std::logic_error&) {
    throw LineFailure("hold left|right MS");
  }
  bringHostForward(r, p);
  move(p);
  hostsim::mouseButton(Button::Left, true);
  pumpFor(static_cast<DWORD>(ms));
  hostsim::mouseButton(Button::Left, false);
  pumpFor(2 * kStepMs);
  return Step::done();
}

// A prompt without an owner may stand behind a frame: brought to the front
// first, as the user would from the taskbar.
void bringToFront(HWND window) {
  SetForegroundWindow(window);
  pumpFor(kStepMs);
}

// answer yes|no|cancel|ok: that button of the prompt showing.
Step answer(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<ShownPrompt> prompt = shownPrompt(r.host().processId());
  if (!prompt) return Step::mismatch("no message box is showing");
  std::optional<POINT> button = answerButton(prompt->window, word(line, 1));
  if (!button) throw LineFailure("the prompt has no " + word(line, 1) + " button");
  bringToFront(prompt->window);
  press(*button, Button::Left);
  return Step::done();
}

// dialog accept [NAME] | dialog cancel: the Save As dialog. A name goes into
// the run's temporary folder, never the host's default one.
Step dialog(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<ShownSaveDialog> open = shownSaveDialog(r.host().processId());
  if (!open) return Step::mismatch("no Save As dialog is showing");
  bringToFront(open->window);
  const std::string& a = word(line, 1);
  if (a == "accept") {
    std::wstring name = line.words.size() > 2 ? r.fileFor(word(line, 2)) : r.fileFor("brelm-check saved");
    SendMessageW(open->nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    HWND save = GetDlgItem(open->window, IDOK);
    if (!save) throw LineFailure("the Save As dialog has no Save button");
    RECT rc;
    GetWindowRect(save, &rc);
    press(center(rc), Button::Left);
  } else if (a == "cancel") {
    hostsim::keyPress(VK_ESCAPE);
    pumpFor(3 * kStepMs);
  } else {
    throw LineFailure("dialog accept [NAME] | dialog cancel");
  }
  return Step::done();
}

// menu CAPTION | menu key CAPTION | menu dismiss: the window system's popup
// menu the add-in shows (its list of documents).
Step menu(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<hostsim::ShownMenu> open = hostsim::shownMenu(r.host().processId());
  if (!open) return Step::mismatch("no popup menu of the window system is showing");
  const std::string& first = word(line, 1);
  if (first == "dismiss") {
    hostsim::keyPress(VK_ESCAPE);
    pumpFor(3 * kStepMs);
    return Step::done();
  }
  const bool byKey = first == "key";
  const std::string& choice = byKey ? word(line, 2) : first;
  int wanted = -1, lit = -1, n = 0;
  const hostsim::ShownMenuItem* item = nullptr;
  for (const hostsim::ShownMenuItem& i : open->items) {
    if (i.separator) continue;
    if (i.highlighted) lit = n;
    if (wanted < 0 && r.nameOf(i.text) == choice) wanted = n, item = &i;
    ++n;
  }
  if (wanted < 0) throw LineFailure("the menu has no item \"" + choice + "\"");
  if (!byKey) {
    if (IsRectEmpty(&item->rect)) throw LineFailure("the window system does not say where \"" + choice + "\" is");
    press(center(item->rect), Button::Left);
    return Step::done();
  }
  const int presses = lit < 0 ? wanted + 1 : (wanted - lit + n) % n;
  for (int i = 0; i < presses; ++i) hostsim::keyPress(VK_DOWN), pumpFor(kStepMs);
  hostsim::keyPress(VK_RETURN);
  pumpFor(3 * kStepMs);
  return Step::done();
}

constexpr std::array<ScenarioVerbEntry, 10> kVerbs{{
    {"click", click},
    {"rightclick", rightClick},
    {"middleclick", middleClick},
    {"hover", hover},
    {"leave", leave},
    {"drag", drag},
    {"hold", hold},
    {"answer", answer},
    {"dialog", dialog},
    {"menu", menu},
}};
}  // namespace

std::span<const ScenarioVerbEntry> scenarioInputVerbs() { return kVerbs; }

}  // namespace brelmcheck
