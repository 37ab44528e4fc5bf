#pragma once
// The test host's end-to-end scripts, run against a host driven through its
// automation server: what a script does to the host becomes object-model
// calls, what the user does is real input, and what the add-in shows is read
// as the scripts read it inside the imitation (the strip through
// accessibility, the screen, the host's prompts and menus). A line only the
// imitation can perform (its call log, making the host busy, its pixels) is
// skipped, with a line in the report saying so.
#include <windows.h>

#include <atomic>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "automation.h"
#include "host_session.h"
#include "input/strip_reader.h"
#include "report.h"
#include "script/script.h"

namespace brelmcheck {

// A script carried inside brelm-check, named as its file ("close_image.hs").
struct BuiltInScenario {
  const char* name;
  const char* text;
};
std::span<const BuiltInScenario> builtInScenarios();
const BuiltInScenario* findScenario(const std::string& name);

// Whether the script's "# run:" line (hosts and versions it is written for)
// takes this host; no such line takes every host. A version from 15 on
// counts as 16.0: both have the same frames.
bool scenarioRunsOn(const std::string& text, bool sheet, double version);

// What one line came to.
struct Step {
  enum Kind { Done, Skip, Mismatch } kind = Done;
  std::string text;  // Skip: why; Mismatch: what did not hold (yet)
  int waitMs = 0;    // Done: how long before the next line
  static Step done(int waitMs = 0) { return {Done, "", waitMs}; }
  static Step skip(std::string why) { return {Skip, std::move(why), 0}; }
  static Step mismatch(std::string what) { return {Mismatch, std::move(what), 0}; }
};

// A line that cannot run as written, or a host action that failed.
class LineFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ScenarioRunner;
using ScenarioVerb = Step (*)(ScenarioRunner&, const hostsim::ScriptLine&);
struct ScenarioVerbEntry {
  const char* name;
  ScenarioVerb run;
};
// Host actions, the user's input, and the checks (`expect` WHAT).
std::span<const ScenarioVerbEntry> scenarioHostVerbs();
std::span<const ScenarioVerbEntry> scenarioInputVerbs();
std::span<const ScenarioVerbEntry> scenarioExpectations();
// What only the imitation can do, with the reason the report gives.
std::optional<std::string> imitationOnly(const hostsim::ScriptLine& line);

class ScenarioRunner {
 public:
  ScenarioRunner(HostSession& host, Report& report, std::wstring tempDir, std::wstring outDir,
                 const std::atomic<bool>& stop)
      : host_(host), report_(report), tempDir_(std::move(tempDir)), outDir_(std::move(outDir)), stop_(stop) {}

  // Runs a script from a clean host (no documents, the add-in connected, or
  // switched off until the script's `start`), and reports it under `suite`.
  void run(const std::string& suite, const std::string& text);

  // For the verbs.
  HostSession& host() { return host_; }
  const std::wstring& outDir() const { return outDir_; }
  const std::string& suite() const { return suite_; }
  bool sheet() const { return host_.spec().sheet(); }
  double version() const { return version_; }
  // A presentation host with a frame per document window.
  bool slideFrames() const { return !sheet() && version_ > 13; }
  void setExpectTimeout(int ms) { expectTimeoutMs_ = ms; }

  // A script's names against the host's captions: the script's own name for
  // a new document (the host named it "Book3"), a caption without the file
  // extension the host may show ("Alpha.xlsx" is "Alpha").
  std::string nameOf(const std::wstring& caption) const;
  void alias(const std::wstring& caption, const std::string& name) { aliases_[caption] = name; }
  std::wstring fileFor(const std::string& name) const;
  // A full name as the script has it: the test host keeps documents in
  // "C:\users\Public\Documents", this run in its temporary folder.
  std::string scriptPath(const std::wstring& fullName) const;
  // A text of the host's or the add-in's with the host's document names
  // replaced by the script's.
  std::string inScriptNames(const std::wstring& text) const;
  Obj windowNamed(const std::string& name) const;
  Obj documentNamed(const std::string& name) const;
  std::vector<Obj> windowsOf(const Obj& document) const;
  // The visible strip of the host's process.
  std::optional<hostsim::StripView> strip(std::string* problem = nullptr) const;
  // The frame a window is shown in, when the host says (Window.Hwnd), or the
  // active frame for the active window; null when neither tells.
  HWND frameOf(const std::string& name) const;
  // The frame the pointer leaves to: the active one, or the strip's.
  HWND anyFrame() const;
  // A window of another program of ours, brought to the front by `away`.
  HWND otherProgram();
  // The application's width (points) as it was before a script changed it.
  std::optional<double> widthBefore;

  ~ScenarioRunner();

 private:
  bool applies(const std::string& condition) const;
  // Runs one line, retrying a check until it holds or its time is up.
  Step runLine(const hostsim::ScriptLine& line);
  Step dispatch(const hostsim::ScriptLine& line);
  void resetHost(bool startLater);
  // Answers what a script that stopped half-way left open (a question, a
  // Save As dialog, a menu): cancelled, as the user would.
  void dismissLeftovers();
  void restoreHost();

  HostSession& host_;
  Report& report_;
  std::wstring tempDir_, outDir_;
  const std::atomic<bool>& stop_;
  std::string suite_;
  double version_ = 0;
  int expectTimeoutMs_ = 5000;
  std::map<std::wstring, std::string> aliases_;
  HWND other_ = nullptr;
};

// Pumps this thread's messages for `ms` (the host's calls back into us, the
// other program's window).
void pumpFor(DWORD ms);

}  // namespace brelmcheck
