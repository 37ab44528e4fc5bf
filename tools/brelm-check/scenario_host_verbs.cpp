// What a script does to the host, done through its automation server. The
// documents are ours, in the run's temporary folder; nothing a script does
// here reaches the user's files or settings.
#include <algorithm>
#include <array>

#include "common/text.h"
#include "scenario_runner.h"

namespace brelmcheck {

using hostsim::narrow;
using hostsim::ScriptLine;
using hostsim::widen;

namespace {
constexpr long kTriStateTrue = -1;
constexpr long kTriStateFalse = 0;
constexpr int kTickMs = 100;

const std::string& word(const ScriptLine& line, size_t i) {
  if (i >= line.words.size()) throw LineFailure("missing argument " + std::to_string(i) + " in: " + line.text());
  return line.words[i];
}

int number(const ScriptLine& line, size_t i) {
  try {
    return std::stoi(word(line, i));
  } catch (const std::logic_error&) {
    throw LineFailure("not a number: " + word(line, i));
  }
}

Obj addin(ScenarioRunner& r) {
  std::vector<Variant> a;
  a.push_back(arg(r.host().spec().addinProgId));
  return r.host().app().object(L"COMAddIns", std::move(a));
}

void saveAs(const Obj& document, const std::wstring& path) {
  std::vector<Variant> a;
  a.push_back(arg(path));
  document.call(L"SaveAs", std::move(a));
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// open NAME: a document with a file: opened again when an earlier line of
// the script saved it, else made and saved in the temporary folder.
Step open(ScenarioRunner& r, const ScriptLine& line) {
  const std::wstring path = r.fileFor(word(line, 1));
  if (fileExists(path)) {
    std::vector<Variant> a;
    a.push_back(arg(path));
    r.host().documents().callObject(L"Open", std::move(a));
  } else {
    saveAs(r.host().newDocument(), path);
  }
  return Step::done();
}

// new NAME: a document never saved; the host names it, the script calls it NAME.
Step newDocument(ScenarioRunner& r, const ScriptLine& line) {
  Obj doc = r.host().newDocument();
  r.alias(doc.text(L"Name"), word(line, 1));
  for (const Obj& w : r.windowsOf(doc)) r.alias(w.text(L"Caption"), word(line, 1));
  return Step::done();
}

// newwindow NAME NEW: another window on NAME's document.
Step newWindow(ScenarioRunner& r, const ScriptLine& line) {
  Obj doc = r.documentNamed(word(line, 1));
  Obj made = doc.callObject(L"NewWindow");
  // The hosts may rename the first window as well ("Alpha:1").
  for (const Obj& w : r.windowsOf(doc)) r.alias(w.text(L"Caption"), word(line, 1));
  r.alias(made.text(L"Caption"), word(line, 2));
  return Step::done();
}

Step activate(ScenarioRunner& r, const ScriptLine& line) {
  r.windowNamed(word(line, 1)).call(L"Activate");
  return Step::done();
}

// close NAME: that window, without saving when it is its document's last.
Step close(ScenarioRunner& r, const ScriptLine& line) {
  Obj window = r.windowNamed(word(line, 1));
  Obj doc = r.documentNamed(word(line, 1));
  if (r.sheet()) {
    std::vector<Variant> dontSave;
    dontSave.push_back(argBool(false));
    window.call(L"Close", std::move(dontSave));
  } else if (r.windowsOf(doc).size() > 1) {
    window.call(L"Close");
  } else {
    doc.put(L"Saved", arg(kTriStateTrue));
    doc.call(L"Close");
  }
  return Step::done();
}

// rename OLD NEW: the spreadsheet host lets a window's caption be set; a
// presentation is saved under the new name.
Step rename(ScenarioRunner& r, const ScriptLine& line) {
  if (r.sheet()) {
    r.windowNamed(word(line, 1)).put(L"Caption", arg(widen(word(line, 2))));
  } else {
    saveAs(r.documentNamed(word(line, 1)), r.fileFor(word(line, 2)));
  }
  return Step::done();
}

Step modify(ScenarioRunner& r, const ScriptLine& line) {
  r.documentNamed(word(line, 1)).put(L"Saved", arg(kTriStateFalse));
  return Step::done();
}

Step saved(ScenarioRunner& r, const ScriptLine& line) {
  r.documentNamed(word(line, 1)).put(L"Saved", arg(kTriStateTrue));
  return Step::done();
}

// save NAME: the user's Save; a document never saved goes to the temporary
// folder, never to the host's default one.
Step save(ScenarioRunner& r, const ScriptLine& line) {
  Obj doc = r.documentNamed(word(line, 1));
  if (doc.text(L"Path").empty()) {
    saveAs(doc, r.fileFor(word(line, 1)));
  } else {
    doc.call(L"Save");
  }
  return Step::done();
}

Step hide(ScenarioRunner& r, const ScriptLine& line) {
  r.windowNamed(word(line, 1)).put(L"Visible", argBool(false));
  return Step::done();
}

// show NAME: as View > Unhide does, the window shows and is activated.
Step show(ScenarioRunner& r, const ScriptLine& line) {
  Obj w = r.windowNamed(word(line, 1));
  w.put(L"Visible", argBool(true));
  w.call(L"Activate");
  return Step::done();
}

// start, connect: the add-in connected as the host's COM Add-ins dialog does.
Step connect(ScenarioRunner& r, const ScriptLine&) {
  addin(r).put(L"Connect", argBool(true));
  return Step::done();
}

Step disconnect(ScenarioRunner& r, const ScriptLine&) {
  addin(r).put(L"Connect", argBool(false));
  return Step::done();
}

// hostwidth POINTS: the application's width, given back when the script ends.
Step hostWidth(ScenarioRunner& r, const ScriptLine& line) {
  if (!r.widthBefore) {
    Variant before = r.host().app().value(L"Width");
    if (SUCCEEDED(VariantChangeType(&before.get(), &before.get(), 0, VT_R8))) r.widthBefore = before.get().dblVal;
  }
  r.host().app().put(L"Width", argNumber(number(line, 1)));
  return Step::done();
}

// The frame in front minimised and restored with its own buttons.
Step minimize(ScenarioRunner& r, const ScriptLine&) {
  HWND frame = r.anyFrame();
  if (!frame) throw LineFailure("the host shows no frame");
  PostMessageW(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  return Step::done(300);
}

Step restore(ScenarioRunner& r, const ScriptLine&) {
  HWND frame = r.anyFrame();
  if (!frame) throw LineFailure("the host shows no frame");
  PostMessageW(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
  SetForegroundWindow(frame);
  return Step::done(300);
}

// away: a window of another program in front; back: the user clicks the
// host's frame again.
Step away(ScenarioRunner& r, const ScriptLine&) {
  HWND other = r.otherProgram();
  if (!other) throw LineFailure("the other program's window could not be made");
  ShowWindow(other, SW_SHOW);
  SetForegroundWindow(other);
  return Step::done(300);
}

Step back(ScenarioRunner& r, const ScriptLine&) {
  HWND frame = r.anyFrame();
  if (!frame) throw LineFailure("the host shows no frame");
  SetForegroundWindow(frame);
  return Step::done(300);
}

Step wait(ScenarioRunner&, const ScriptLine& line) {
  const int n = number(line, 1);
  const bool ticks = line.words.size() > 2 && line.words[2].rfind("tick", 0) == 0;
  return Step::done(ticks ? n * kTickMs : n);
}

Step timeout(ScenarioRunner& r, const ScriptLine& line) {
  // A real host takes longer than the imitation: never less than ours.
  r.setExpectTimeout(std::max(5000, number(line, 1)));
  return Step::done();
}

Step nothing(ScenarioRunner&, const ScriptLine&) { return Step::done(); }

constexpr std::array<ScenarioVerbEntry, 24> kVerbs{{
    {"start", connect},       {"connect", connect},   {"disconnect", disconnect}, {"open", open},
    {"new", newDocument},     {"newwindow", newWindow}, {"activate", activate},   {"close", close},
    {"rename", rename},       {"modify", modify},     {"saved", saved},           {"save", save},
    {"hide", hide},           {"show", show},         {"hostwidth", hostWidth},   {"minimize", minimize},
    {"restore", restore},     {"away", away},         {"back", back},             {"wait", wait},
    {"timeout", timeout},     {"print", nothing},     {"echo", nothing},          {"screenshot", nothing},
}};

// Verbs only the test host can carry out, and why.
struct ImitationVerb {
  const char* verb;
  const char* why;
};
constexpr ImitationVerb kImitationVerbs[] = {
    {"busy", "makes the host reject every call: only the test host can"},
    {"noactive", "makes the host report no active window: only the test host can"},
    {"hwndfails", "makes Application.Hwnd fail: only the test host can"},
    {"protectedview", "opens a Protected View window: needs a file from the internet"},
    {"personal", "the personal macro workbook is the user's own: not touched"},
    {"second", "a second instance of the host: not started beside the user's"},
    {"border", "sets the frames' border: only the test host can"},
    {"theme", "changes the user's Office theme: not touched"},
    {"switchorder", "chooses the order of the host's events: only the test host can"},
    {"makeframe", "a host without its frame: only the test host can start one"},
    {"monitor", "a move to a monitor of another scale: moves the user's windows"},
    {"formulabar", "changes a setting the host keeps for the user: not touched"},
    {"mark", "the test host's record of the add-in's calls"},
    {"baseline", "the test host's own object counts"},
    {"record", "the test host's record of its windows"},
    {"watch", "the test host's record of its windows"},
    {"frame", "moves the user's frame: left to the test host"},
    {"arrange", "arranges the user's frames: left to the test host"},
    {"maximize", "maximises the user's frame: left to the test host"},
    {"unmaximize", "maximises the user's frame: left to the test host"},
    {"appvisible", "hides the whole application: left to the test host"},
    {"quit", "the run quits the host itself at the end"},
    {"popup", "the host's own popup menu: read only in the test host"},
    {"pointer", "a point of the test host's screen"},
};

constexpr ImitationVerb kImitationChecks[] = {
    {"call", "the test host's record of the add-in's calls"},
    {"calls", "the test host's record of the add-in's calls"},
    {"nocall", "the test host's record of the add-in's calls"},
    {"stale", "the test host's count of objects the add-in holds"},
    {"live", "the test host's count of objects the add-in holds"},
    {"references", "the test host's count of references the add-in holds"},
    {"resources", "the test host's own object counts"},
    {"untouched", "a second instance of the host"},
    {"second", "a second instance of the host"},
    {"rect", "pixels of the test host's own layout"},
    {"size", "pixels of the test host's own layout"},
    {"framerect", "pixels of the test host's own layout"},
    {"frames", "the test host's record of its frames"},
    {"layout", "the test host's own layout of its windows"},
    {"layouts", "the test host's own layout of its windows"},
    {"edge", "the test host's own windows by name"},
    {"clear", "the test host's own windows by name"},
    {"quit", "the run quits the host itself at the end"},
    {"stripshade", "depends on the user's Office theme"},
    {"popup", "the host's own popup menu: read only in the test host"},
    {"nopopup", "the host's own popup menu: read only in the test host"},
};
}  // namespace

std::span<const ScenarioVerbEntry> scenarioHostVerbs() { return kVerbs; }

std::optional<std::string> imitationOnly(const ScriptLine& line) {
  const std::string& verb = line.words[0];
  // Input at a point of the test host's screen, where its layout is known.
  if (verb != "expect" && std::find(line.words.begin(), line.words.end(), "screen") != line.words.end())
    return std::string("a point of the test host's screen");
  if (verb == "expect" && line.words.size() > 1) {
    // `rect@Alpha`: the same check on a frame of the test host.
    const std::string what = line.words[1].substr(0, line.words[1].find('@'));
    for (const ImitationVerb& v : kImitationChecks)
      if (what == v.verb) return std::string(v.why);
    return std::nullopt;
  }
  for (const ImitationVerb& v : kImitationVerbs)
    if (verb == v.verb) return std::string(v.why);
  return std::nullopt;
}

}  // namespace brelmcheck
