#pragma once
// Runs a script on the host's own thread, one step per timer message, so it
// goes on inside every modal loop (the add-in's message box, the popup, the
// Save As dialog) exactly as a person's input would. A step never blocks:
// waits and pending input are timed, and an expectation that does not hold
// yet is tried again until its deadline.
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/second_process.h"
#include "script/script.h"

namespace hostsim {

class Host;
class AddinLoader;

struct Outcome {
  enum Kind { Done, Wait, Check } kind = Done;
  int waitMs = 0;
  std::optional<std::string> mismatch;  // Check: what did not hold yet
  static Outcome done() { return {}; }
  static Outcome wait(int ms) { return {Wait, ms, std::nullopt}; }
  static Outcome check(std::optional<std::string> mismatch) { return {Check, 0, std::move(mismatch)}; }
};

class Runner;
using CommandFn = Outcome (*)(Runner&, const ScriptLine&);
struct CommandEntry {
  const char* name;
  CommandFn run;
};
std::span<const CommandEntry> hostCommands();
std::span<const CommandEntry> inputCommands();
std::span<const CommandEntry> expectCommands();
std::span<const CommandEntry> toolCommands();
std::span<const CommandEntry> benchCommands();

struct RunOptions {
  std::wstring screenshotDir = L".";
  int expectTimeoutMs = 3000;
};

class Runner {
 public:
  Runner(Host& host, AddinLoader& loader, std::vector<ScriptLine> lines, RunOptions options);
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  bool start();
  bool finished() const { return finished_; }
  int exitCode() const { return exitCode_; }
  int currentLine() const;

  Host& host() { return host_; }
  AddinLoader& loader() { return loader_; }
  RunOptions& options() { return options_; }
  // Input played after this step, each followed by its delay.
  void queue(std::function<void()> action, int delayAfterMs);
  // Stops the script's own timer, so that nothing of the script wakes the
  // host while a measurement runs; resume() starts it again and ends any
  // wait that is still running.
  void pause();
  void resume();
  // GDI and USER object counts recorded by `baseline`.
  long baselineGdi = -1, baselineUser = -1;
  std::map<std::string, long> baselineGdiKinds;
  // References on live host objects by kind, recorded by `baseline` too.
  std::map<std::string, long> baselineReferences;
  // Screen rectangles of the top-level frames recorded by `record frames`.
  std::vector<std::pair<HWND, RECT>> recordedFrames;
  // A second instance of the host, and some other program, each in a
  // process of its own; with what the second host's frame looked like when
  // it showed.
  SecondProcess secondHost, otherProgram;
  struct SecondFrame {
    RECT rect{};
    bool visible = false;
    std::vector<std::pair<HWND, RECT>> children;  // in its client coordinates
  } secondFrame;
  // The Office theme value a script set (`theme`), given back as it was
  // when the run ends.
  struct ThemeValue {
    std::wstring key, name;
    std::optional<DWORD> before;
  };
  std::vector<ThemeValue> themesSet;
  void restoreThemes();
  // A top-level window named in the script: `second` (the second host's
  // frame), `other` (the other program's window), or what findFrame knows.
  HWND frame(const std::string& selector);

 private:
  static LRESULT CALLBACK timerProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  void tick();
  bool playAction(ULONGLONG now);
  void runLine(ULONGLONG now);
  Outcome dispatch(const ScriptLine& line);
  bool applies(const std::string& condition) const;
  void finish(int code);

  Host& host_;
  AddinLoader& loader_;
  std::vector<ScriptLine> lines_;
  RunOptions options_;
  HWND timerWindow_ = nullptr;
  size_t pc_ = 0;
  ULONGLONG resumeAt_ = 0, deadline_ = 0;
  std::deque<std::pair<std::function<void()>, int>> actions_;
  bool inTick_ = false, finished_ = false;
  int exitCode_ = 0;
};

// Argument helpers for the command tables; a missing or bad argument is a
// ScriptError naming the line.
const std::string& word(const ScriptLine& line, size_t i);
std::wstring wword(const ScriptLine& line, size_t i);
int number(const ScriptLine& line, size_t i);
[[noreturn]] void badLine(const ScriptLine& line, const std::string& why);

}  // namespace hostsim
