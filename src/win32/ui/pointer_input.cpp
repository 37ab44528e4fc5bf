#include "ui/pointer_input.h"

namespace brelm::win32 {

void PointerInput::buttonDown(int button, Target under) {
  if (dragging()) return;
  pressed_[slot(button)] = under;
  if (button == mouse::kLeft) afterDoubleClick_ = false;
  if (events_) events_->onMouseDown(under, button);
}

void PointerInput::doubleClick(int button, Target under) {
  if (dragging()) return;
  // The second press of a double click raises DblClick instead of MouseDown.
  pressed_[slot(button)] = under;
  if (button != mouse::kLeft) {
    if (events_) events_->onMouseDown(under, button);
    return;
  }
  afterDoubleClick_ = true;
  if (events_) events_->onDblClick(under);
}

void PointerInput::buttonUp(int button, std::optional<Target> under, float x, float y) {
  if (dragging()) {
    if (button != mouse::kLeft) return;
    const int source = dragSource_;
    dragSource_ = 0;
    if (under && events_) events_->onDragDrop(source, *under, x, y);
    return;
  }
  const std::optional<Target> pressed = pressed_[slot(button)];
  pressed_[slot(button)].reset();
  if (!pressed) return;
  if (button == mouse::kMiddle) {
    // The middle button closes the tab it clicks: its release is reported
    // where it happened, so that one ended on another tab, the bare strip or
    // off the strip closes nothing.
    if (events_) events_->onMouseUp(under.value_or(Target{}), button);
    return;
  }
  const bool click = button == mouse::kLeft && !afterDoubleClick_ && under && *under == *pressed;
  if (button == mouse::kLeft) afterDoubleClick_ = false;
  if (!events_) return;
  events_->onMouseUp(*pressed, button);
  if (click) events_->onClick(*pressed);
}

void PointerInput::move(std::optional<Target> under) {
  if (dragging() || !events_) return;
  // While a button is held the pressed element keeps the pointer.
  for (const std::optional<Target>& pressed : pressed_) {
    if (pressed) return events_->onMouseMove(*pressed);
  }
  if (under) events_->onMouseMove(*under);
}

void PointerInput::cancel() {
  dragSource_ = 0;
  afterDoubleClick_ = false;
  for (int s = 0; s < 3; ++s) {
    const std::optional<Target> pressed = pressed_[s];
    pressed_[s].reset();
    // A middle press that loses the pointer was no click: it ends on the
    // bare strip (see buttonUp).
    if (pressed && events_) events_->onMouseUp(s == 2 ? Target{} : *pressed, buttonOf(s));
  }
}

void PointerInput::beginDrag(int source) {
  if (source <= 0) return;
  dragSource_ = source;
  // The drag takes over the press: its release raises neither MouseUp nor Click.
  pressed_[0].reset();
  afterDoubleClick_ = false;
}

}  // namespace brelm::win32
