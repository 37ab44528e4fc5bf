// `expect WHAT ...` against a host driven from outside: the strip read
// through accessibility, the screen, the host's prompts and menus, and the
// host's own state through its object model. Names are the script's: the
// runner maps the host's captions to them.
#include <array>
#include <functional>

#include "common/text.h"
#include "input/popup_reader.h"
#include "input/screen_look.h"
#include "prompt_reader.h"
#include "scenario_runner.h"

namespace brelmcheck {

using hostsim::narrow;
using hostsim::ScriptLine;
using hostsim::StripView;

namespace {

const std::string& word(const ScriptLine& line, size_t i) {
  if (i >= line.words.size()) throw LineFailure("missing argument " + std::to_string(i) + " in: " + line.text());
  return line.words[i];
}

std::vector<std::string> rest(const ScriptLine& line, size_t from) {
  if (from >= line.words.size()) return {};
  return {line.words.begin() + static_cast<std::ptrdiff_t>(from), line.words.end()};
}

std::string list(const std::vector<std::string>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + ("\"" + items[i] + "\"");
  return out + "]";
}

Step compare(const std::string& what, const std::string& expected, const std::string& found) {
  if (expected == found) return Step::done();
  return Step::mismatch(what + ": expected " + expected + ", found " + found);
}

Step withStrip(ScenarioRunner& r, const std::function<Step(const StripView&)>& check) {
  std::string problem;
  std::optional<StripView> strip = r.strip(&problem);
  if (!strip) return Step::mismatch(problem);
  return check(*strip);
}

// The tab of that name, or null.
const hostsim::AccessibleItem* tabNamed(ScenarioRunner& r, const StripView& s, const std::string& name,
                                        size_t* index = nullptr) {
  for (size_t i = 0; i < s.tabs.size(); ++i)
    if (r.nameOf(s.tabs[i].name) == name) {
      if (index) *index = i;
      return &s.tabs[i];
    }
  return nullptr;
}

Step tabs(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    std::vector<std::string> found;
    for (const auto& t : s.tabs) found.push_back(r.nameOf(t.name));
    return compare("tabs", list(rest(line, 2)), list(found));
  });
}

Step shownTabs(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    std::vector<std::string> found;
    for (const auto& t : s.tabs)
      if (!t.invisible) found.push_back(r.nameOf(t.name));
    return compare("tabs in view", list(rest(line, 2)), list(found));
  });
}

Step inView(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    const hostsim::AccessibleItem* t = tabNamed(r, s, word(line, 2));
    if (!t) return Step::mismatch("no tab \"" + word(line, 2) + "\"");
    return compare(word(line, 2) + " in view", word(line, 3), t->invisible ? "no" : "yes");
  });
}

Step selected(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    std::vector<std::string> found, expected;
    for (const auto& t : s.tabs)
      if (t.selected) found.push_back(r.nameOf(t.name));
    if (word(line, 2) != "none") expected.push_back(word(line, 2));
    return compare("selected", list(expected), list(found));
  });
}

Step arrows(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    auto state = [](const hostsim::AccessibleItem& a) { return a.invisible ? "hidden" : "shown"; };
    return compare("arrows", word(line, 2) + " " + word(line, 2), std::string(state(s.left)) + " " + state(s.right));
  });
}

// expect strip visible|hidden|missing|gone
Step strip(ScenarioRunner& r, const ScriptLine& line) {
  std::vector<HWND> all = hostsim::findStripWindows(r.host().processId());
  bool visible = false;
  for (HWND w : all) visible = visible || IsWindowVisible(w);
  const std::string found = all.empty() ? "missing" : visible ? "visible" : "hidden";
  if (word(line, 2) == "gone" && found != "visible") return Step::done();
  return compare("strip", word(line, 2), found);
}

Step unsaved(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    const hostsim::AccessibleItem* t = tabNamed(r, s, word(line, 2));
    if (!t) return Step::mismatch("no tab \"" + word(line, 2) + "\"");
    return compare(word(line, 2) + " unsaved", word(line, 3), t->unsaved ? "yes" : "no");
  });
}

Step closeImage(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    size_t i = 0;
    if (!tabNamed(r, s, word(line, 2), &i)) return Step::mismatch("no tab \"" + word(line, 2) + "\"");
    if (s.closers[i].invisible) return Step::mismatch("the close image of \"" + word(line, 2) + "\" is out of view");
    return compare("close image of " + word(line, 2), word(line, 3), hostsim::closeImageLookOnScreen(s.closers[i].rect));
  });
}

Step listButton(ScenarioRunner& r, const ScriptLine& line) {
  return withStrip(r, [&](const StripView& s) {
    return compare("list button", word(line, 2), s.list && !s.list->invisible ? "shown" : "hidden");
  });
}

Step tooltip(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<hostsim::ShownTooltip> tip = hostsim::shownTooltip(r.host().processId());
  if (!tip) return Step::mismatch("no tooltip is showing (expected " + list(rest(line, 2)) + ")");
  std::vector<std::string> found;
  for (const std::wstring& l : tip->lines) found.push_back(r.scriptPath(l));
  return compare("tooltip lines", list(rest(line, 2)), list(found));
}

Step noTooltip(ScenarioRunner& r, const ScriptLine&) {
  std::optional<hostsim::ShownTooltip> tip = hostsim::shownTooltip(r.host().processId());
  if (!tip) return Step::done();
  return Step::mismatch("a tooltip is showing");
}

Step menu(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<hostsim::ShownMenu> open = hostsim::shownMenu(r.host().processId());
  if (!open) return Step::mismatch("no popup menu of the window system is showing");
  std::vector<std::string> found;
  for (const auto& item : open->items) found.push_back(item.separator ? "-" : r.nameOf(item.text));
  return compare("menu items", list(rest(line, 2)), list(found));
}

Step menuChecked(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<hostsim::ShownMenu> open = hostsim::shownMenu(r.host().processId());
  if (!open) return Step::mismatch("no popup menu of the window system is showing");
  std::vector<std::string> found, expected;
  for (const auto& item : open->items)
    if (item.checked) found.push_back(r.nameOf(item.text));
  if (word(line, 2) != "none") expected.push_back(word(line, 2));
  return compare("checked menu items", list(expected), list(found));
}

Step noMenu(ScenarioRunner& r, const ScriptLine&) {
  if (!hostsim::shownMenu(r.host().processId())) return Step::done();
  return Step::mismatch("a popup menu of the window system is showing");
}

// expect message TEXT|*: the host's texts are its own (and in the user's
// language); `*` asks only that a question shows.
Step message(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<ShownPrompt> prompt = shownPrompt(r.host().processId());
  if (!prompt) return Step::mismatch("no message box is showing (expected \"" + word(line, 2) + "\")");
  if (word(line, 2) == "*") return Step::done();
  return compare("message", "\"" + word(line, 2) + "\"", "\"" + r.inScriptNames(prompt->text) + "\"");
}

Step noMessage(ScenarioRunner& r, const ScriptLine&) {
  std::optional<ShownPrompt> prompt = shownPrompt(r.host().processId());
  if (!prompt) return Step::done();
  return Step::mismatch("a message box is showing: \"" + narrow(prompt->text) + "\"");
}

Step dialog(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<ShownSaveDialog> open = shownSaveDialog(r.host().processId());
  if (!open) return Step::mismatch("no Save As dialog is showing");
  wchar_t name[MAX_PATH] = L"";
  SendMessageW(open->nameBox, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(name));
  return compare("Save As file name", "\"" + word(line, 2) + "\"", "\"" + r.nameOf(name) + "\"");
}

Step noDialog(ScenarioRunner& r, const ScriptLine&) {
  if (!shownSaveDialog(r.host().processId())) return Step::done();
  return Step::mismatch("a Save As dialog is showing");
}

// The host's own state, through its object model.
Step windows(ScenarioRunner& r, const ScriptLine& line) {
  std::vector<std::string> found;
  Obj all = r.host().app().object(L"Windows");
  const long n = all.number(L"Count");
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    found.push_back(r.nameOf(all.object(L"Item", std::move(index)).text(L"Caption")));
  }
  return compare("host windows", list(rest(line, 2)), list(found));
}

Step active(ScenarioRunner& r, const ScriptLine& line) {
  Variant v;
  std::vector<Variant> none;
  std::string found = "none";
  if (SUCCEEDED(r.host().app().invoke(L"ActiveWindow", DISPATCH_PROPERTYGET, none, v)) &&
      v.get().vt == VT_DISPATCH && v.get().pdispVal)
    found = r.nameOf(Obj(ComPtr<IDispatch>(v.get().pdispVal), "ActiveWindow").text(L"Caption"));
  return compare("active window", word(line, 2), found);
}

Step saved(ScenarioRunner& r, const ScriptLine& line) {
  return compare("saved " + word(line, 2), word(line, 3), r.documentNamed(word(line, 2)).truth(L"Saved") ? "yes" : "no");
}

Step visible(ScenarioRunner& r, const ScriptLine& line) {
  return compare(word(line, 2) + " visible", word(line, 3), r.windowNamed(word(line, 2)).truth(L"Visible") ? "yes" : "no");
}

HWND frameNamed(ScenarioRunner& r, const std::string& name) {
  HWND frame = r.frameOf(name);
  if (!frame) throw LineFailure("the host does not say which frame shows \"" + name + "\"");
  return frame;
}

Step frameVisible(ScenarioRunner& r, const ScriptLine& line) {
  HWND frame = frameNamed(r, word(line, 2));
  return compare("frame of " + word(line, 2) + " visible", word(line, 3), IsWindowVisible(frame) ? "yes" : "no");
}

// expect stripin NAME|none: the frame holding the strip shows NAME.
Step stripIn(ScenarioRunner& r, const ScriptLine& line) {
  std::optional<StripView> view = r.strip();
  HWND holder = view ? GetAncestor(view->window, GA_ROOT) : nullptr;
  if (word(line, 2) == "none") return holder ? Step::mismatch("the strip is shown in a frame") : Step::done();
  if (!holder) return Step::mismatch("no strip is shown");
  if (holder == frameNamed(r, word(line, 2))) return Step::done();
  return Step::mismatch("the strip is not in the frame of " + word(line, 2));
}

// expect hwnd NAME: Application.Hwnd names NAME's frame.
Step hwnd(ScenarioRunner& r, const ScriptLine& line) {
  if (word(line, 2) == "fails") throw LineFailure("only the test host fails Application.Hwnd");
  HWND active = r.host().activeFrame();
  if (active == frameNamed(r, word(line, 2))) return Step::done();
  return Step::mismatch("Application.Hwnd does not name the frame of " + word(line, 2));
}

// expect front NAME: NAME's frame is the foreground window.
Step front(ScenarioRunner& r, const ScriptLine& line) {
  // `other`: the window of another program that `away` put in front.
  HWND wanted = word(line, 2) == "other" ? r.otherProgram() : frameNamed(r, word(line, 2));
  if (GetForegroundWindow() == wanted) return Step::done();
  return Step::mismatch("the frame of " + word(line, 2) + " is not the foreground window");
}

constexpr std::array<ScenarioVerbEntry, 27> kChecks{{
    {"tabs", tabs},         {"tab", tabs},           {"shown", shownTabs},        {"inview", inView},
    {"selected", selected}, {"arrows", arrows},      {"strip", strip},            {"unsaved", unsaved},
    {"closeimage", closeImage}, {"listbutton", listButton}, {"tooltip", tooltip}, {"notooltip", noTooltip},
    {"menu", menu},         {"menuchecked", menuChecked}, {"nomenu", noMenu},     {"message", message},
    {"nomessage", noMessage}, {"dialog", dialog},    {"nodialog", noDialog},      {"windows", windows},
    {"active", active},     {"saved", saved},        {"visible", visible},        {"framevisible", frameVisible},
    {"stripin", stripIn},   {"hwnd", hwnd},          {"front", front},
}};
}  // namespace

std::span<const ScenarioVerbEntry> scenarioExpectations() { return kChecks; }

}  // namespace brelmcheck
