#pragma once
// Turns mouse input on the strip into the toolkit's events, the way the
// form's windowless controls behave:
// - a button press goes to the element under the pointer, and that element
//   keeps the pointer (moves and the release go to it) until the release;
// - Click follows a left release over the element that was pressed;
// - a double click raises DblClick, and its release no second Click;
// - during a manual drag nothing is raised until the release, which drops on
//   the element under the pointer, or nowhere when it is outside the strip.
#include <optional>

#include "platform/form.h"

namespace brelm::win32 {

class PointerInput {
 public:
  explicit PointerInput(FormEvents* events = nullptr) : events_(events) {}

  // `under` is the element under the pointer; nullopt outside the strip.
  void buttonDown(int button, Target under);
  void doubleClick(int button, Target under);
  void buttonUp(int button, std::optional<Target> under, float x, float y);
  void move(std::optional<Target> under);
  // The window lost the pointer: releases that will not come are raised now
  // (so an arrow does not keep scrolling), and a drag ends without a drop.
  void cancel();

  void beginDrag(int source);
  bool dragging() const { return dragSource_ != 0; }
  // True while some button is held on an element: the window keeps the capture.
  bool holding() const {
    return pressed_[0].has_value() || pressed_[1].has_value() || pressed_[2].has_value();
  }

 private:
  static int slot(int button) { return button == mouse::kRight ? 1 : button == mouse::kMiddle ? 2 : 0; }
  static int buttonOf(int slot) { return slot == 1 ? mouse::kRight : slot == 2 ? mouse::kMiddle : mouse::kLeft; }

  FormEvents* events_;
  std::optional<Target> pressed_[3];  // left, right, middle
  bool afterDoubleClick_ = false;
  int dragSource_ = 0;  // Image1 index of the dragged tab; 0 = no drag
};

}  // namespace brelm::win32
