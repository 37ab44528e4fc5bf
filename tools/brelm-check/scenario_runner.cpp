#include "scenario_runner.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "common/text.h"
#include "input/mouse.h"
#include "input/popup_reader.h"
#include "prompt_reader.h"
#include "script/screenshot.h"

namespace brelmcheck {

using hostsim::narrow;
using hostsim::ScriptLine;
using hostsim::widen;

namespace {
constexpr int kRetryMs = 50;
constexpr long kTriStateTrue = -1;
constexpr wchar_t kOtherClass[] = L"BrelmCheckOtherProgram";

// The extensions the hosts may show in a caption.
constexpr const wchar_t* kExtensions[] = {L".xlsx", L".xlsm", L".xlsb", L".xls", L".pptx", L".pptm", L".ppt"};

std::wstring withoutExtension(const std::wstring& caption) {
  for (const wchar_t* ext : kExtensions) {
    const size_t n = std::wcslen(ext);
    for (size_t at = caption.find(ext); at != std::wstring::npos; at = caption.find(ext, at + 1)) {
      const size_t end = at + n;
      if (end == caption.size() || caption[end] == L':')
        return caption.substr(0, at) + caption.substr(end);
    }
  }
  return caption;
}

// The line's verb, after its conditions, is `expect`.
bool isExpectation(const ScriptLine& line) {
  for (const std::string& w : line.words)
    if (w.empty() || w.back() != ':') return w == "expect";
  return false;
}

struct MenuSearch {
  DWORD processId;
  bool found = false;
};

BOOL CALLBACK findMenu(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<MenuSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = L"";
  GetClassNameW(hwnd, cls, 16);
  if (pid == s->processId && IsWindowVisible(hwnd) && lstrcmpW(cls, L"#32768") == 0) s->found = true;
  return s->found ? FALSE : TRUE;
}

// A popup menu of the window system showing for the host, readable or not.
bool menuShowing(DWORD processId) {
  MenuSearch s{processId};
  EnumWindows(findMenu, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

void pumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD spent = GetTickCount() - start;
    if (spent >= ms) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - spent, 20), QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

const BuiltInScenario* findScenario(const std::string& name) {
  for (const BuiltInScenario& s : builtInScenarios())
    if (name == s.name) return &s;
  return nullptr;
}

// "# run: sheet 12.0 16.0; slide 14.0"
bool scenarioRunsOn(const std::string& text, bool sheet, double version) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t at = line.find("# run:");
    if (at != 0) continue;
    std::istringstream parts(line.substr(6));
    std::string part;
    const double asListed = version >= 15 ? 16.0 : version;
    while (std::getline(parts, part, ';')) {
      std::istringstream words(part);
      std::string host, v;
      words >> host;
      if (host != (sheet ? "sheet" : "slide")) continue;
      bool any = false;
      while (words >> v) {
        any = true;
        if (std::abs(std::atof(v.c_str()) - asListed) < 0.01) return true;
      }
      if (!any) return true;
    }
    return false;
  }
  return true;
}

ScenarioRunner::~ScenarioRunner() {
  if (other_) DestroyWindow(other_);
}

std::string ScenarioRunner::nameOf(const std::wstring& caption) const {
  auto known = aliases_.find(caption);
  if (known != aliases_.end()) return known->second;
  return narrow(withoutExtension(caption));
}

std::wstring ScenarioRunner::fileFor(const std::string& name) const {
  return tempDir_ + L"\\" + widen(name) + (sheet() ? L".xlsx" : L".pptx");
}

std::string ScenarioRunner::scriptPath(const std::wstring& fullName) const {
  const std::wstring folder = tempDir_ + L"\\";
  if (fullName.size() <= folder.size() || _wcsnicmp(fullName.c_str(), folder.c_str(), folder.size()) != 0)
    return nameOf(fullName);
  return "C:\\users\\Public\\Documents\\" + nameOf(fullName.substr(folder.size()));
}

std::string ScenarioRunner::inScriptNames(const std::wstring& text) const {
  std::wstring out = text;
  // Longest first: "Presentation1" is part of "Presentation10".
  std::vector<std::pair<std::wstring, std::string>> byLength(aliases_.begin(), aliases_.end());
  std::sort(byLength.begin(), byLength.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  for (const auto& [caption, name] : byLength) {
    const std::wstring wname = widen(name);
    for (size_t at = out.find(caption); at != std::wstring::npos;) {
      const size_t end = at + caption.size();
      if (end < out.size() && iswalnum(out[end])) {
        at = out.find(caption, end);
        continue;
      }
      out.replace(at, caption.size(), wname);
      at = out.find(caption, at + wname.size());
    }
  }
  for (const wchar_t* ext : kExtensions) {
    const size_t n = std::wcslen(ext);
    for (size_t at = out.find(ext); at != std::wstring::npos; at = out.find(ext, at)) {
      const size_t end = at + n;
      if (end < out.size() && iswalnum(out[end])) {
        at = end;
        continue;
      }
      out.erase(at, n);
    }
  }
  return narrow(out);
}

Obj ScenarioRunner::windowNamed(const std::string& name) const {
  Obj windows = host_.app().object(L"Windows");
  const long n = windows.number(L"Count");
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    Obj w = windows.object(L"Item", std::move(index));
    if (nameOf(w.text(L"Caption")) == name) return w;
  }
  throw LineFailure("the host has no window \"" + name + "\"");
}

Obj ScenarioRunner::documentNamed(const std::string& name) const {
  Obj docs = host_.documents();
  const long n = docs.number(L"Count");
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    Obj d = docs.object(L"Item", std::move(index));
    if (nameOf(d.text(L"Name")) == name) return d;
  }
  // A window's name ("Alpha:2") finds its document too.
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    Obj d = docs.object(L"Item", std::move(index));
    for (const Obj& w : windowsOf(d))
      if (nameOf(w.text(L"Caption")) == name) return d;
  }
  throw LineFailure("the host has no document \"" + name + "\"");
}

std::vector<Obj> ScenarioRunner::windowsOf(const Obj& document) const {
  std::vector<Obj> out;
  Obj windows = document.object(L"Windows");
  const long n = windows.number(L"Count");
  for (long i = 1; i <= n; ++i) {
    std::vector<Variant> index;
    index.push_back(arg(i));
    out.push_back(windows.object(L"Item", std::move(index)));
  }
  return out;
}

std::optional<hostsim::StripView> ScenarioRunner::strip(std::string* problem) const {
  std::vector<HWND> all = hostsim::findStripWindows(host_.processId());
  for (HWND w : all)
    if (IsWindowVisible(w)) return hostsim::readStripWindow(w, problem);
  if (problem) *problem = all.empty() ? "no strip window in the host" : "the strip window is hidden";
  return std::nullopt;
}

HWND ScenarioRunner::frameOf(const std::string& name) const {
  Obj w = windowNamed(name);
  Variant v;
  std::vector<Variant> none;
  if (SUCCEEDED(w.invoke(L"Hwnd", DISPATCH_PROPERTYGET, none, v)) &&
      SUCCEEDED(VariantChangeType(&v.get(), &v.get(), 0, VT_I4))) {
    HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(v.get().lVal));
    if (IsWindow(frame)) return frame;
  }
  Variant active;
  if (SUCCEEDED(host_.app().invoke(L"ActiveWindow", DISPATCH_PROPERTYGET, none, active)) &&
      active.get().vt == VT_DISPATCH && active.get().pdispVal &&
      nameOf(Obj(ComPtr<IDispatch>(active.get().pdispVal), "ActiveWindow").text(L"Caption")) == name)
    return host_.activeFrame();
  // One frame for every window: that one.
  if (sheet() ? version_ < 15 : version_ <= 13) return host_.activeFrame();
  // A frame per window without a handle in the object model: the frame's
  // title starts with the window's caption ("Alpha.pptx - ...").
  const std::wstring caption = w.text(L"Caption");
  for (HWND frame : hostFrames(host_.spec().kind, host_.processId(), true)) {
    wchar_t title[512] = L"";
    GetWindowTextW(frame, title, 512);
    const std::wstring t = title;
    if (t.size() > caption.size() + 3 && t.compare(0, caption.size(), caption) == 0 &&
        t.compare(caption.size(), 3, L" - ") == 0)
      return frame;
  }
  return nullptr;
}

HWND ScenarioRunner::anyFrame() const {
  if (HWND f = host_.activeFrame()) return f;
  std::optional<hostsim::StripView> view = strip();
  return view ? GetAncestor(view->window, GA_ROOT) : nullptr;
}

HWND ScenarioRunner::otherProgram() {
  if (other_ && IsWindow(other_)) return other_;
  WNDCLASSW wc{};
  wc.lpfnWndProc = otherProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kOtherClass;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  RegisterClassW(&wc);  // fails harmlessly when already registered
  other_ = CreateWindowExW(0, kOtherClass, L"brelm-check: another program", WS_OVERLAPPEDWINDOW, 200, 200, 400,
                           300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return other_;
}

// The same conditions as the test host's runner, read from the host driven:
// `imitation:` lines hold only in the imitation, and are skipped here.
bool ScenarioRunner::applies(const std::string& c) const {
  if (c == "sheet") return sheet();
  if (c == "slide") return !sheet();
  if (c == "frames") return sheet() ? version_ >= 15 : version_ > 13;
  if (c == "noframes") return !(sheet() ? version_ >= 15 : version_ > 13);
  if (c == "imitation") return false;
  const auto major = static_cast<int>(version_);
  if (c.rfind("v>=", 0) == 0) return version_ >= std::atof(c.c_str() + 3);
  if (c.rfind("v<", 0) == 0) return version_ < std::atof(c.c_str() + 2);
  if (c.size() > 1 && c[0] == 'v') return major == std::atoi(c.c_str() + 1);
  throw LineFailure("unknown condition " + c + ":");
}

Step ScenarioRunner::dispatch(const ScriptLine& original) {
  ScriptLine line = original;
  while (!line.words.empty() && line.words[0].size() > 1 && line.words[0].back() == ':') {
    const std::string c = line.words[0].substr(0, line.words[0].size() - 1);
    if (c == "imitation") return Step::skip("holds only in the test host (its own texts, pixels or records)");
    if (!applies(c)) return Step::done();
    line.words.erase(line.words.begin());
  }
  if (line.words.empty()) return Step::done();
  if (std::optional<std::string> why = imitationOnly(line)) return Step::skip(*why);
  const std::string& verb = line.words[0];
  if (verb == "expect") {
    if (line.words.size() < 2) throw LineFailure("expect WHAT");
    for (const ScenarioVerbEntry& e : scenarioExpectations())
      if (line.words[1] == e.name) return e.run(*this, line);
    throw LineFailure("unknown expectation " + line.words[1]);
  }
  for (auto table : {scenarioHostVerbs(), scenarioInputVerbs()})
    for (const ScenarioVerbEntry& e : table)
      if (verb == e.name) return e.run(*this, line);
  throw LineFailure("unknown command " + verb);
}

Step ScenarioRunner::runLine(const ScriptLine& line) {
  const DWORD start = GetTickCount();
  for (;;) {
    Step step = dispatch(line);
    if (step.kind != Step::Mismatch) return step;
    if (stop_ || GetTickCount() - start >= static_cast<DWORD>(expectTimeoutMs_)) return step;
    pumpFor(kRetryMs);
  }
}

void ScenarioRunner::dismissLeftovers() {
  const DWORD pid = host_.processId();
  for (int i = 0; i < 5; ++i) {
    if (std::optional<ShownPrompt> prompt = shownPrompt(pid)) {
      SetForegroundWindow(prompt->window);
      if (GetDlgItem(prompt->window, IDCANCEL)) PostMessageW(prompt->window, WM_COMMAND, IDCANCEL, 0);
      else hostsim::keyPress(VK_ESCAPE);
    } else if (std::optional<ShownSaveDialog> dialog = shownSaveDialog(pid)) {
      PostMessageW(dialog->window, WM_COMMAND, IDCANCEL, 0);
    } else if (menuShowing(pid)) {
      hostsim::keyPress(VK_ESCAPE);
    } else {
      return;
    }
    pumpFor(300);
  }
}

// Every script starts as the test host starts it: no documents, and the
// add-in connected unless the script opens documents before its `start`.
void ScenarioRunner::resetHost(bool startLater) {
  dismissLeftovers();
  Obj addin = host_.app().object(L"COMAddIns", [&] {
    std::vector<Variant> a;
    a.push_back(arg(host_.spec().addinProgId));
    return a;
  }());
  // Closing through the object model with the add-in off: to the
  // presentation add-in such a close is the user's, and it would bring
  // another document forward each time.
  addin.put(L"Connect", argBool(false));
  Obj docs = host_.documents();
  for (long n = docs.number(L"Count"); n >= 1; --n) {
    std::vector<Variant> index;
    index.push_back(arg(n));
    Obj doc = docs.object(L"Item", std::move(index));
    doc.put(L"Saved", arg(kTriStateTrue));
    if (sheet()) {
      std::vector<Variant> dontSave;
      dontSave.push_back(argBool(false));
      doc.call(L"Close", std::move(dontSave));
    } else {
      doc.call(L"Close");
    }
  }
  if (!startLater) addin.put(L"Connect", argBool(true));
}

// What a script changed of the host that outlives it.
void ScenarioRunner::restoreHost() {
  dismissLeftovers();
  try {
    if (widthBefore) host_.app().put(L"Width", argNumber(*widthBefore));
    widthBefore.reset();
    std::vector<Variant> a;
    a.push_back(arg(host_.spec().addinProgId));
    Obj addin = host_.app().object(L"COMAddIns", std::move(a));
    if (!addin.truth(L"Connect")) addin.put(L"Connect", argBool(true));
  } catch (const AutomationError& e) {
    report_.note("after " + suite_ + ": the host could not be put back as it was: " + e.what());
  }
  if (other_) DestroyWindow(other_), other_ = nullptr;
  pumpFor(100);
  dismissLeftovers();
}

void ScenarioRunner::run(const std::string& suite, const std::string& text) {
  suite_ = suite;
  aliases_.clear();
  expectTimeoutMs_ = 5000;
  std::vector<ScriptLine> lines;
  try {
    lines = hostsim::parseScript(text);
    version_ = std::wcstod(host_.app().text(L"Version").c_str(), nullptr);
  } catch (const std::exception& e) {
    report_.check(suite_, "script", false, std::string("cannot run: ") + e.what());
    return;
  }
  if (!scenarioRunsOn(text, sheet(), version_)) {
    report_.skip(suite_, "script", "written for other hosts or versions than this one");
    return;
  }
  const bool startLater =
      std::any_of(lines.begin(), lines.end(), [](const ScriptLine& l) { return l.words[0] == "start"; });
  size_t ran = 0, checks = 0, skipped = 0;
  std::string failure;
  int failedAt = 0;
  try {
    resetHost(startLater);
    for (const ScriptLine& line : lines) {
      if (stop_) {
        failure = "stopped";
        break;
      }
      Step step;
      try {
        step = runLine(line);
      } catch (const LineFailure& e) {
        step = Step::mismatch(e.what());
      } catch (const AutomationError& e) {
        step = Step::mismatch(e.what());
      }
      if (step.kind == Step::Mismatch) {
        failure = step.text;
        failedAt = line.number;
        report_.check(suite_, "line " + std::to_string(line.number) + ": " + line.text(), false, step.text);
        break;
      }
      if (step.kind == Step::Skip) {
        ++skipped;
        report_.skip(suite_, "line " + std::to_string(line.number) + ": " + line.text(), step.text);
        continue;
      }
      ++ran;
      if (isExpectation(line)) ++checks;
      if (step.waitMs > 0) pumpFor(static_cast<DWORD>(step.waitMs));
    }
  } catch (const AutomationError& e) {
    failure = std::string("preparing the host: ") + e.what();
    report_.check(suite_, "clean host", false, e.what());
  }
  if (!failedAt && failure.empty())
    report_.check(suite_, "script", true,
                  std::to_string(ran) + " lines ran, " + std::to_string(checks) + " expectations held, " +
                      std::to_string(skipped) + " lines skipped");
  std::string stem = suite_.substr(0, suite_.rfind(".hs"));
  const std::wstring shot = hostsim::widen((sheet() ? "sheet-" : "slide-") + stem + ".bmp");
  if (hostsim::saveScreenshot(outDir_ + L"\\" + shot)) report_.screenshot(narrow(shot));
  restoreHost();
}

}  // namespace brelmcheck
