#pragma once
// The form toolkit of the simulated platform. The strip is a window of class
// "BrelmTabStrip" in the simulated desktop; text is measured by a fixed metric
// (60 twips per UTF-16 code unit, 270 twips high) so expected geometry can be
// worked out by hand; timers tick only when a test says so; message boxes
// answer from a queue. Pointer input is raised on the core's FormEvents the
// way a real toolkit does: only on loaded, visible elements, and not at all
// (apart from the drop) while a manual drag is in progress.
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/form.h"
#include "sim/fault_plan.h"
#include "sim/sim_log.h"
#include "sim/sim_window_system.h"
#include "sim/window_tree.h"

namespace brelm::sim {

struct TimerState {
  bool enabled = false;
  int intervalMs = 0;
};

class SimToolkit final : public FormToolkit, private WindowListener, private SizeListener {
 public:
  static constexpr const char* kStripClass = "BrelmTabStrip";

  SimToolkit(WindowTree& tree, SimWindowSystem& windows, SimLog& log);
  ~SimToolkit() override;
  SimToolkit(const SimToolkit&) = delete;
  SimToolkit& operator=(const SimToolkit&) = delete;

  // FormToolkit
  Hwnd create(const FormState* state, FormEvents* events) override;
  void destroy() override;
  Hwnd window() const override { return window_; }
  void show(bool visible) override;
  void resize(float width, float height) override;
  void setDpi(int dpi) override { dpi_ = dpi > 0 ? dpi : 96; }
  int dpi() const { return dpi_; }
  float textWidth(const std::string& caption) override;
  float textHeight() override;
  void setTimer(TimerId timer, bool enabled, int intervalMs) override;
  bool timerEnabled(TimerId timer) const override;
  void tickOnForeground(TimerId timer) override { tickOnForeground_.push_back(timer); }
  // Each time the core asked for ticks when a window comes to the front.
  const std::vector<TimerId>& ticksOnForeground() const { return tickOnForeground_; }
  void invalidate() override { ++invalidations_; }
  void beginDrag(int index) override;
  int messageBox(const std::string& text) override;
  int chooseFromList(const std::vector<std::string>& items, int checked) override;
  bool recreateIfLost() override;
  void showMessage(const std::string& text) override;

  // Failures injected into the toolkit calls that can fail; nullptr for none.
  // The process is out of window or GDI resources: creating the window gives
  // no window, measuring text throws, a window lost with its parent is not
  // made again yet; a drag does not start; a message box that cannot be shown
  // answers Cancel.
  void setFaults(FaultPlan* faults) { faults_ = faults; }

  // Driving the toolkit, as the user and the clock would. Pointer methods
  // throw std::invalid_argument for an element the user could not reach.
  void setCharWidth(float twips) { charWidth_ = twips; }
  // The next message box's answer; `meanwhile` runs while the box is up, as
  // whatever the host's message loop dispatches then would (a tick, a host
  // event, a click on the strip, the host switching the add-in off).
  void queueAnswer(int answer, std::function<void()> meanwhile = {}) {
    answers_.push_back({answer, std::move(meanwhile)});
  }
  // Runs `meanwhile` while the next information message is up.
  void whileNextMessageShows(std::function<void()> meanwhile) {
    duringMessage_.push_back(std::move(meanwhile));
  }
  // The item the user picks from the next list shown (-1: none, Escape).
  void queueListChoice(int item) { listChoices_.push_back(item); }
  // The tooltip the toolkit would show over tab element `index`.
  std::string tooltipOf(int index);
  // Fires the timer up to n times, stopping once it is disabled; returns the
  // number of ticks delivered.
  int fire(TimerId timer, int n);
  void mouseDown(Target target, int button);
  void mouseUp(Target target, int button);  // over an element during a drag: the drop
  void click(Target target);                // down, up, click
  void dblClick(Target target);             // down, up, click, dblclick, up
  void mouseMove(Target target);
  void drop(int source, Target target, std::optional<Point> formTwips);
  void releaseOutside();  // the button goes up outside the strip: no event

  const TimerState& timer(TimerId timer) const { return timers_[index(timer)]; }
  std::optional<int> dragSource() const { return drag_; }
  int invalidations() const { return invalidations_; }
  const FormState* state() const { return state_; }
  // Why the user could not reach the element, or empty when they can.
  std::string unreachable(Target target) const;

 private:
  static int index(TimerId timer) { return static_cast<int>(timer); }
  void windowDestroyed(Hwnd window) override;
  void windowSized(Hwnd window, int cx, int cy) override;
  void stopAll();
  // Logs `call` as failing when the fault plan says so.
  bool failing(const char* call);
  void makeWindow();
  void require(Target target) const;
  void pointAt(Target target);
  bool swallowedByDrag(const std::string& what);
  void raiseDown(Target target, int button);
  void raiseUp(Target target, int button);
  void raiseClick(Target target);
  void raiseDrop(int source, Target target, std::optional<Point> formTwips);
  template <class F>
  void deliver(const std::string& what, F&& f);

  WindowTree& tree_;
  SimWindowSystem& windows_;
  SimLog& log_;
  const FormState* state_ = nullptr;
  FormEvents* events_ = nullptr;
  Hwnd window_ = kNoWindow;
  TimerState timers_[3];
  std::optional<int> drag_;
  bool lost_ = false;  // the strip window went down with its parent
  struct Answer {
    int answer;
    std::function<void()> meanwhile;
  };
  std::deque<Answer> answers_;
  std::deque<std::function<void()>> duringMessage_;
  std::deque<int> listChoices_;
  std::vector<TimerId> tickOnForeground_;
  float charWidth_ = 60;
  int invalidations_ = 0;
  FaultPlan* faults_ = nullptr;
  int dpi_;  // the form's: the screen's until the core sets it
};

std::string targetName(Target target);

}  // namespace brelm::sim
