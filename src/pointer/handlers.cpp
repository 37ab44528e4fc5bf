// The tab bar's event handlers: what a press, release, click, move or drop on
// each element does. Every handler keeps its exceptions to itself.
#include "addin/addin.h"

namespace brelm {

namespace {

bool isTabPart(ElementKind kind) {
  return kind == ElementKind::Image1 || kind == ElementKind::Image3 || kind == ElementKind::Label2;
}

// Runs one handler; a failing host or control call ends it, nothing more.
// Under a modal window of ours the strip takes no input: a second close or
// a switch started there would run inside the first one's wait.
template <class F>
void guarded(Addin& addin, F&& handler) noexcept {
  try {
    if (addin.waitingForUser()) return;
    handler();
  } catch (...) {
    addin.trace().failure("strip event", caughtFailureCode());
  }
  addin.requestRepaint();
}

}  // namespace

void Addin::onMouseDown(Target t, int button) {
  const UserClick click(*this);
  guarded(*this, [&] { dispatchMouseDown(t, button); });
}
void Addin::onMouseUp(Target t, int button) {
  const UserClick click(*this);
  guarded(*this, [&] { dispatchMouseUp(t, button); });
}
void Addin::onClick(Target t) {
  const UserClick click(*this);
  guarded(*this, [&] { dispatchClick(t); });
}
void Addin::onDblClick(Target t) {
  const UserClick click(*this);
  guarded(*this, [&] { dispatchDblClick(t); });
}
void Addin::onMouseMove(Target t) {
  guarded(*this, [&] { dispatchMouseMove(t); });
}
void Addin::onDragDrop(int source, Target t, float x, float y) {
  const UserClick click(*this);
  guarded(*this, [&] { dispatchDragDrop(source, t, x, y); });
}

void Addin::onTimer(TimerId timer) {
  if (timer == TimerId::Mouse) return mouseTimer_Timer();
  guarded(*this, [&] {
    if (!connected_) return;
    if (timer == TimerId::Left) bar_.moveleft();
    if (timer == TimerId::Right) bar_.moveright();
  });
}

void Addin::onResize(float width, float height) {
  bar_.form.width = width;
  bar_.form.height = height;
}

void Addin::dispatchMouseDown(Target t, int button) {
  if (!connected_) return;
  if (t.kind == ElementKind::Form) {
    giveFocusBack();
    if (button == mouse::kRight) menu_.showTabPopup();
    return;
  }
  if (button == mouse::kRight) return menu_.showTabPopup();
  if (button != mouse::kLeft) return;
  if (isTabPart(t.kind)) bar_.pointer.pressedTab = t.index;
  if (t.kind == ElementKind::Ileft) toolkit().setTimer(TimerId::Left, true, 100);
  if (t.kind == ElementKind::Iright) toolkit().setTimer(TimerId::Right, true, 100);
}

void Addin::dispatchMouseUp(Target t, int /*button*/) {
  if (isTabPart(t.kind)) bar_.pointer.pressedTab = 0;
  if (!connected_) return;
  if (t.kind == ElementKind::Ileft || t.kind == ElementKind::Iright) {
    toolkit().setTimer(t.kind == ElementKind::Ileft ? TimerId::Left : TimerId::Right, false, 100);
    giveFocusBack();
  }
}

void Addin::dispatchClick(Target t) {
  if (!connected_) return;
  switch (t.kind) {
    case ElementKind::Label2:
    case ElementKind::Image1:
      return host_->selectByClick(t.index, true);
    case ElementKind::Image3:
      return host_->selectByClick(t.index, false);
    case ElementKind::Image2:
      return host_->closeByImage(t.index);
    case ElementKind::Form:
      return giveFocusBack();
    default:
      return;
  }
}

void Addin::dispatchDblClick(Target t) {
  if (!connected_) return;
  if (isTabPart(t.kind) || t.kind == ElementKind::Form) giveFocusBack();
}

void Addin::dispatchMouseMove(Target t) {
  switch (t.kind) {
    case ElementKind::Form:
    case ElementKind::Ileft:
    case ElementKind::Iright:
      bar_.mmove(0);
      bar_.cmove();
      return;
    case ElementKind::Image2:
      bar_.mmove(t.index);
      bar_.cmmove(t.index);
      return;
    default:
      bar_.MouseM(t.index);
  }
}

void Addin::dispatchDragDrop(int s, Target t, float x, float y) {
  if (!connected_) return;
  const auto& model = bar_.model;
  // The tick may have removed the dragged tab (its window closed) mid-drag.
  if (!bar_.inUse(s)) return;
  switch (t.kind) {
    case ElementKind::Image1:
    case ElementKind::Image3:
    case ElementKind::Label2:
      if (!bar_.inUse(t.index)) return;
      bar_.movetab(s, t.index);
      return host_->activateAfterDrop(s, DropOn::Tab);
    case ElementKind::Image2:
      if (!bar_.inUse(t.index)) return;
      return bar_.movetab(s, t.index);
    case ElementKind::Ileft:
      bar_.movetab(s, model.tabOrder[1]);
      return host_->activateAfterDrop(s, DropOn::Arrow);
    case ElementKind::Iright:
      bar_.movetab(s, model.tabOrder[model.tabCount]);
      return host_->activateAfterDrop(s, DropOn::Arrow);
    case ElementKind::Form:
      bar_.formdrag(s, x, y);
      return host_->activateAfterDrop(s, DropOn::Bar);
  }
}

}  // namespace brelm
