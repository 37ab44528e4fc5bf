#include "sim/sim_toolkit.h"

#include "tabstrip/twips.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace brelm::sim {

namespace {

const Element* element(const FormState& s, Target t) {
  auto at = [&](const std::vector<Element>& v) -> const Element* {
    return t.index >= 0 && t.index < static_cast<int>(v.size()) ? &v[t.index] : nullptr;
  };
  switch (t.kind) {
    case ElementKind::Image1: return at(s.image1);
    case ElementKind::Image2: return at(s.image2);
    case ElementKind::Image3: return at(s.image3);
    case ElementKind::Label2: return at(s.label2);
    case ElementKind::Ileft: return &s.ileft;
    case ElementKind::Iright: return &s.iright;
    case ElementKind::Ilist: return &s.ilist;
    case ElementKind::Form: return nullptr;
  }
  return nullptr;
}

bool perTab(ElementKind k) {
  return k == ElementKind::Image1 || k == ElementKind::Image2 || k == ElementKind::Image3 ||
         k == ElementKind::Label2;
}

// UTF-16 code units of a UTF-8 string: one per sequence, two above U+FFFF.
int utf16Length(const std::string& text) {
  int n = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;
    n += c >= 0xF0 ? 2 : 1;
  }
  return n;
}

const char* timerName(TimerId t) {
  switch (t) {
    case TimerId::Mouse: return "mouseTimer";
    case TimerId::Left: return "leftTimer";
    case TimerId::Right: return "rightTimer";
  }
  return "?";
}

}  // namespace

std::string targetName(Target t) {
  switch (t.kind) {
    case ElementKind::Image1: return "Image1(" + std::to_string(t.index) + ")";
    case ElementKind::Image2: return "Image2(" + std::to_string(t.index) + ")";
    case ElementKind::Image3: return "Image3(" + std::to_string(t.index) + ")";
    case ElementKind::Label2: return "Label2(" + std::to_string(t.index) + ")";
    case ElementKind::Ileft: return "Ileft";
    case ElementKind::Iright: return "Iright";
    case ElementKind::Ilist: return "Ilist";
    case ElementKind::Form: return "form";
  }
  return "?";
}

SimToolkit::SimToolkit(WindowTree& tree, SimWindowSystem& windows, SimLog& log)
    : tree_(tree), windows_(windows), log_(log), dpi_(windows.dpi()) {}

SimToolkit::~SimToolkit() {
  if (window_ != kNoWindow) {
    tree_.listen(window_, nullptr);
    windows_.watchSize(kNoWindow, nullptr);
  }
}

template <class F>
void SimToolkit::deliver(const std::string& what, F&& f) {
  if (!events_) return;
  try {
    f(*events_);
  } catch (const std::exception& e) {
    log_.escaped(what, e.what());
  } catch (...) {
    log_.escaped(what, "unknown exception");
  }
}

bool SimToolkit::failing(const char* call) {
  if (!faults_ || !faults_->fail(FaultSite::Toolkit)) return false;
  log_.action(std::string(call) + " (fails)");
  return true;
}

Hwnd SimToolkit::create(const FormState* state, FormEvents* events) {
  if (window_ == kNoWindow && failing("CreateWindow")) return kNoWindow;
  state_ = state;
  events_ = events;
  if (window_ != kNoWindow) return window_;
  makeWindow();
  log_.action("CreateWindow " + std::string(kStripClass));
  return window_;
}

void SimToolkit::makeWindow() {
  const FormState* state = state_;
  int cx = state ? twipsToPixels(static_cast<long long>(state->width), dpi_) : 0;
  int cy = state ? twipsToPixels(static_cast<long long>(state->height), dpi_) : 0;
  window_ = tree_.create(kNoWindow, kStripClass, "", {0, 0, cx, cy}, 0, false);
  tree_.listen(window_, this);
  windows_.watchSize(window_, this);
}

bool SimToolkit::recreateIfLost() {
  if (!lost_) return false;
  if (failing("CreateWindow (again)")) return false;  // still lost: the next call tries again
  lost_ = false;
  makeWindow();
  log_.action("CreateWindow " + std::string(kStripClass) + " (again)");
  return true;
}

void SimToolkit::stopAll() {
  for (TimerState& t : timers_) t.enabled = false;
  drag_.reset();
}

void SimToolkit::destroy() {
  if (window_ != kNoWindow) {
    Hwnd w = window_;
    window_ = kNoWindow;
    tree_.listen(w, nullptr);
    windows_.watchSize(kNoWindow, nullptr);
    tree_.destroy(w);
    log_.action("DestroyWindow " + std::string(kStripClass));
  }
  stopAll();
  lost_ = false;
  state_ = nullptr;
  events_ = nullptr;
}

// The strip went down with the window it was a child of, as Win32 destroys
// child windows with their parent. The timers belong to the toolkit, not to
// the strip window, and go on; a drag in progress ends.
void SimToolkit::windowDestroyed(Hwnd window) {
  if (window != window_) return;
  window_ = kNoWindow;
  lost_ = true;
  windows_.watchSize(kNoWindow, nullptr);
  drag_.reset();
  log_.action("DestroyWindow " + std::string(kStripClass) + " (with its parent)");
}

void SimToolkit::windowSized(Hwnd window, int cx, int cy) {
  if (window != window_) return;
  deliver("Form_Resize", [&](FormEvents& e) {
    e.onResize(static_cast<float>(pixelsToTwips(cx, dpi_)), static_cast<float>(pixelsToTwips(cy, dpi_)));
  });
}

void SimToolkit::show(bool visible) {
  if (window_ != kNoWindow) tree_.setVisible(window_, visible);
}

void SimToolkit::resize(float width, float height) {
  if (window_ == kNoWindow) return;
  Rect r = tree_.localRect(window_);
  tree_.place(window_, r.left, r.top, twipsToPixels(static_cast<long long>(width), dpi_),
              twipsToPixels(static_cast<long long>(height), dpi_));
}

float SimToolkit::textWidth(const std::string& caption) {
  if (failing("GetTextExtent")) throw std::runtime_error("the caption could not be measured");
  return charWidth_ * static_cast<float>(utf16Length(caption));
}

float SimToolkit::textHeight() {
  if (failing("GetTextMetrics")) throw std::runtime_error("the font could not be measured");
  return 270;
}

void SimToolkit::setTimer(TimerId timer, bool enabled, int intervalMs) {
  timers_[index(timer)] = {enabled, intervalMs};
}

bool SimToolkit::timerEnabled(TimerId timer) const { return timers_[index(timer)].enabled; }

void SimToolkit::beginDrag(int index) {
  if (failing("Drag")) return;
  log_.action("Drag Image1(" + std::to_string(index) + ")");
  drag_ = index;
}

int SimToolkit::messageBox(const std::string& text) {
  if (failing("MsgBox")) return msgbox::kCancel;
  int answer = msgbox::kCancel;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  const char* name = answer == msgbox::kYes ? "yes" : answer == msgbox::kNo ? "no" : "cancel";
  log_.action("MsgBox \"" + text + "\" -> " + name);
  return answer;
}

int SimToolkit::chooseFromList(const std::vector<std::string>& items, int checked) {
  int choice = -1;
  if (!listChoices_.empty()) {
    choice = listChoices_.front();
    listChoices_.pop_front();
  }
  if (choice >= static_cast<int>(items.size())) choice = -1;
  std::string shown;
  for (std::size_t i = 0; i < items.size(); ++i) {
    shown += (i ? ", " : "") + items[i] + (static_cast<int>(i) == checked ? " (checked)" : "");
  }
  log_.action("List [" + shown + "] -> " + (choice < 0 ? std::string("none") : items[choice]));
  return choice;
}

std::string SimToolkit::tooltipOf(int index) {
  std::string text;
  if (events_) deliver("Tooltip", [&](FormEvents& e) { text = e.tooltipText(index); });
  return text;
}

void SimToolkit::showMessage(const std::string& text) {
  log_.action("Message \"" + text + "\"");
}

int SimToolkit::fire(TimerId timer, int n) {
  int delivered = 0;
  for (int i = 0; i < n && timers_[index(timer)].enabled && events_ != nullptr; ++i) {
    deliver(timerName(timer), [&](FormEvents& e) { e.onTimer(timer); });
    ++delivered;
  }
  return delivered;
}

std::string SimToolkit::unreachable(Target t) const {
  if (window_ == kNoWindow || !state_ || !events_) return "the strip does not exist";
  if (!tree_.shown(window_)) return "the strip is not shown";
  if (t.kind == ElementKind::Form) return t.index == 0 ? "" : "form has no index";
  if (!perTab(t.kind) && t.index != 0) return targetName(t) + " has no index";
  const Element* e = element(*state_, t);
  if (!e) return targetName(t) + " is not loaded";
  if (!e->visible) return targetName(t) + " is not visible";
  return "";
}

void SimToolkit::require(Target t) const {
  std::string why = unreachable(t);
  if (!why.empty()) throw std::invalid_argument(why);
}

// Puts the pointer over the middle of the element, as the user's hand would be.
void SimToolkit::pointAt(Target t) {
  const SimWindow* w = tree_.get(window_);
  const Element* e = element(*state_, t);
  Point p{w->rect.right - 1, (w->rect.top + w->rect.bottom) / 2};  // bare strip
  if (e) {
    p.x = w->rect.left + twipsToPixels(static_cast<long long>(e->left + e->width / 2), dpi_);
    p.y = w->rect.top + twipsToPixels(static_cast<long long>(e->top + e->height / 2), dpi_);
  }
  p.x = std::min(std::max(p.x, w->rect.left), w->rect.right - 1);
  p.y = std::min(std::max(p.y, w->rect.top), w->rect.bottom - 1);
  windows_.setCursor(p);
}

bool SimToolkit::swallowedByDrag(const std::string& what) {
  if (!drag_) return false;
  log_.action("(dragging, no event) " + what);
  return true;
}

void SimToolkit::raiseDown(Target t, int button) {
  if (swallowedByDrag("MouseDown " + targetName(t))) return;
  deliver(targetName(t) + "_MouseDown", [&](FormEvents& e) { e.onMouseDown(t, button); });
}

// A release over an element ends a manual drag there with the drop.
void SimToolkit::raiseUp(Target t, int button) {
  if (drag_) {
    raiseDrop(*drag_, t, std::nullopt);
    return;
  }
  deliver(targetName(t) + "_MouseUp", [&](FormEvents& e) { e.onMouseUp(t, button); });
}

void SimToolkit::raiseClick(Target t) {
  if (swallowedByDrag("Click " + targetName(t))) return;
  deliver(targetName(t) + "_Click", [&](FormEvents& e) { e.onClick(t); });
}

void SimToolkit::mouseDown(Target t, int button) {
  require(t);
  pointAt(t);
  raiseDown(t, button);
}

void SimToolkit::mouseUp(Target t, int button) {
  require(t);
  pointAt(t);
  raiseUp(t, button);
}

// A click during a drag is only the release that ends it: the drop, no Click.
void SimToolkit::click(Target t) {
  require(t);
  pointAt(t);
  bool dragging = drag_.has_value();
  raiseDown(t, mouse::kLeft);
  raiseUp(t, mouse::kLeft);
  if (!dragging) raiseClick(t);
}

void SimToolkit::dblClick(Target t) {
  require(t);
  pointAt(t);
  if (drag_) {
    raiseUp(t, mouse::kLeft);
    return;
  }
  raiseDown(t, mouse::kLeft);
  raiseUp(t, mouse::kLeft);
  raiseClick(t);
  if (!swallowedByDrag("DblClick " + targetName(t))) {
    deliver(targetName(t) + "_DblClick", [&](FormEvents& e) { e.onDblClick(t); });
  }
  raiseUp(t, mouse::kLeft);
}

void SimToolkit::mouseMove(Target t) {
  require(t);
  pointAt(t);
  if (swallowedByDrag("MouseMove " + targetName(t))) return;
  deliver(targetName(t) + "_MouseMove", [&](FormEvents& e) { e.onMouseMove(t); });
}

void SimToolkit::drop(int source, Target t, std::optional<Point> formTwips) {
  require(t);
  pointAt(t);
  raiseDrop(source, t, formTwips);
}

void SimToolkit::raiseDrop(int source, Target t, std::optional<Point> formTwips) {
  if (!drag_ || *drag_ != source) {
    log_.action("(no drag of Image1(" + std::to_string(source) + "), no event) DragDrop " +
                targetName(t));
    return;
  }
  drag_.reset();
  float x = 0, y = 0;
  const Element* e = state_ ? element(*state_, t) : nullptr;
  if (formTwips) {
    x = static_cast<float>(formTwips->x);
    y = static_cast<float>(formTwips->y);
  } else if (e) {
    x = e->left + e->width / 2;
    y = e->top + e->height / 2;
  }
  deliver(targetName(t) + "_DragDrop", [&](FormEvents& ev) { ev.onDragDrop(source, t, x, y); });
}

void SimToolkit::releaseOutside() {
  if (drag_) log_.action("(drag of Image1(" + std::to_string(*drag_) + ") ended outside)");
  drag_.reset();
}

}  // namespace brelm::sim
