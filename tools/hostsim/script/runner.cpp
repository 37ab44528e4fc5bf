#include "script/runner.h"

#include <cstdio>

#include "common/text.h"
#include "host/host.h"
#include "script/screenshot.h"
#include "script/window_query.h"
#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr wchar_t kTimerClass[] = L"HostSimScript";
constexpr UINT_PTR kTimerId = 1;
constexpr int kRetryMs = 25;
constexpr ULONGLONG kStepBudgetMs = 30;
}  // namespace

const std::string& word(const ScriptLine& line, size_t i) {
  if (i >= line.words.size()) badLine(line, "missing argument " + std::to_string(i));
  return line.words[i];
}

std::wstring wword(const ScriptLine& line, size_t i) { return widen(word(line, i)); }

int number(const ScriptLine& line, size_t i) {
  const std::string& w = word(line, i);
  try {
    size_t used = 0;
    int n = std::stoi(w, &used);
    if (used == w.size()) return n;
  } catch (const std::exception&) {
  }
  badLine(line, "not a number: " + w);
}

void badLine(const ScriptLine& line, const std::string& why) {
  throw ScriptError("line " + std::to_string(line.number) + ": " + why + "  [" + line.text() + "]");
}

Runner::Runner(Host& host, AddinLoader& loader, std::vector<ScriptLine> lines, RunOptions options)
    : host_(host), loader_(loader), lines_(std::move(lines)), options_(std::move(options)) {
  bool hasStart = false;
  for (const ScriptLine& l : lines_) hasStart = hasStart || l.words[0] == "start";
  if (!hasStart) lines_.insert(lines_.begin(), ScriptLine{0, {"start"}});
}

Runner::~Runner() {
  restoreThemes();
  if (timerWindow_) DestroyWindow(timerWindow_);
}

void Runner::restoreThemes() {
  for (auto it = themesSet.rbegin(); it != themesSet.rend(); ++it) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, it->key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
    if (it->before)
      RegSetValueExW(key, it->name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*it->before), sizeof(DWORD));
    else
      RegDeleteValueW(key, it->name.c_str());
    RegCloseKey(key);
  }
  themesSet.clear();
}

bool Runner::start() {
  if (!registerClassOnce(kTimerClass, timerProc, nullptr)) return false;
  timerWindow_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (!timerWindow_) return false;
  SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return SetTimer(timerWindow_, kTimerId, 10, nullptr) != 0;
}

HWND Runner::frame(const std::string& selector) {
  if (selector == "second") return secondHost.running() ? secondHost.window() : nullptr;
  if (selector == "other") return otherProgram.running() ? otherProgram.window() : nullptr;
  return findFrame(host_, selector);
}

int Runner::currentLine() const { return pc_ < lines_.size() ? lines_[pc_].number : -1; }

void Runner::queue(std::function<void()> action, int delayAfterMs) {
  actions_.emplace_back(std::move(action), delayAfterMs);
}

void Runner::pause() { KillTimer(timerWindow_, kTimerId); }

void Runner::resume() {
  resumeAt_ = 0;
  if (!finished_) SetTimer(timerWindow_, kTimerId, 10, nullptr);
}

LRESULT CALLBACK Runner::timerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<Runner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_TIMER && self) {
    self->tick();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Steps run only from here; a step that pumps messages (a host call that
// shows a modal window) does not let a nested tick start another step.
void Runner::tick() {
  if (inTick_ || finished_) return;
  inTick_ = true;
  ULONGLONG start = GetTickCount64();
  try {
    while (!finished_) {
      ULONGLONG now = GetTickCount64();
      if (now < resumeAt_ || now - start > kStepBudgetMs) break;
      if (playAction(now)) continue;
      if (pc_ >= lines_.size()) {
        finish(0);
        break;
      }
      runLine(now);
    }
  } catch (const ScriptError& e) {
    std::fprintf(stderr, "hostsim: %s\n", e.what());
    finish(2);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hostsim: line %d: %s\n", currentLine(), e.what());
    finish(2);
  }
  inTick_ = false;
}

bool Runner::playAction(ULONGLONG now) {
  if (actions_.empty()) return false;
  auto [action, delay] = std::move(actions_.front());
  actions_.pop_front();
  action();
  resumeAt_ = now + static_cast<ULONGLONG>(delay);
  return true;
}

void Runner::runLine(ULONGLONG now) {
  const ScriptLine& line = lines_[pc_];
  Outcome outcome = dispatch(line);
  if (outcome.kind == Outcome::Check && outcome.mismatch) {
    if (deadline_ == 0) deadline_ = now + static_cast<ULONGLONG>(options_.expectTimeoutMs);
    if (now < deadline_) {
      resumeAt_ = now + kRetryMs;
      return;
    }
    std::fprintf(stderr, "FAILED line %d: %s\n  %s\n", line.number, line.text().c_str(), outcome.mismatch->c_str());
    saveScreenshot(options_.screenshotDir + L"\\failed-line-" + std::to_wstring(line.number) + L".bmp");
    finish(1);
    return;
  }
  deadline_ = 0;
  ++pc_;
  if (outcome.kind == Outcome::Wait) resumeAt_ = now + static_cast<ULONGLONG>(outcome.waitMs);
}

// A line may start with a condition: `sheet:`, `slide:`, `frames:` (a
// presentation host with one frame per document), `noframes:`, `v12:` and
// so on (exact major version), `v<14:` or `v>=14:`. `imitation:` marks a
// line that holds only in hostsim (its own texts, pixels or records):
// brelm-check skips such lines on the hosts it drives.
bool Runner::applies(const std::string& condition) const {
  const HostConfig& c = host_.config();
  if (condition == "imitation") return true;
  if (condition == "sheet") return c.sheet();
  if (condition == "slide") return !c.sheet();
  if (condition == "frames") return c.framePerDocument();
  if (condition == "noframes") return !c.framePerDocument();
  try {
    if (condition.rfind("v>=", 0) == 0) return c.versionNumber() >= std::stod(condition.substr(3));
    if (condition.rfind("v<", 0) == 0) return c.versionNumber() < std::stod(condition.substr(2));
    if (condition.rfind("v", 0) == 0) return c.major() == std::stoi(condition.substr(1));
  } catch (const std::exception&) {
  }
  throw ScriptError("unknown condition " + condition + ":");
}

Outcome Runner::dispatch(const ScriptLine& original) {
  ScriptLine line = original;
  while (!line.words.empty() && line.words[0].size() > 1 && line.words[0].back() == ':') {
    if (!applies(line.words[0].substr(0, line.words[0].size() - 1))) return Outcome::done();
    line.words.erase(line.words.begin());
  }
  if (line.words.empty()) return Outcome::done();
  for (auto table : {hostCommands(), inputCommands(), expectCommands(), toolCommands(), benchCommands()})
    for (const CommandEntry& entry : table)
      if (line.words[0] == entry.name) return entry.run(*this, line);
  badLine(line, "unknown command");
}

void Runner::finish(int code) {
  finished_ = true;
  exitCode_ = code;
  KillTimer(timerWindow_, kTimerId);
  if (code == 0) std::fprintf(stderr, "hostsim: script passed\n");
  // A popup menu of the window system still up (an expectation failed under
  // the add-in's list) is closed as Escape would: its loop does not end for
  // the quit message, and would hold the host until the watchdog.
  EndMenu();
  PostQuitMessage(code);
}

}  // namespace hostsim
