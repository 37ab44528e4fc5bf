// Mouse gestures on the strip and the toolkit events they raise.
#include <gtest/gtest.h>

#include "recording_events.h"
#include "ui/pointer_input.h"

namespace brelm::win32::test {
namespace {

const Target caption3{ElementKind::Label2, 3};
const Target back3{ElementKind::Image1, 3};
const Target close3{ElementKind::Image2, 3};
const Target back5{ElementKind::Image1, 5};
const Target bar{ElementKind::Form, 0};
const Target left{ElementKind::Ileft, 0};

struct PointerInputTest : ::testing::Test {
  RecordingEvents events;
  PointerInput input{&events};
};

TEST_F(PointerInputTest, PressAndReleaseOnOneElementIsAClick) {
  input.buttonDown(mouse::kLeft, caption3);
  input.buttonUp(mouse::kLeft, caption3, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 1", "up Label2 3 1", "click Label2 3"}));
}

TEST_F(PointerInputTest, ReleaseElsewhereGoesToThePressedElementWithoutClick) {
  input.buttonDown(mouse::kLeft, left);
  input.move(bar);  // the pressed element keeps the pointer
  input.buttonUp(mouse::kLeft, bar, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Ileft 1", "move Ileft", "up Ileft 1"}))
      << "an arrow always hears its release, so its timer stops";
  input.buttonDown(mouse::kLeft, close3);
  input.buttonUp(mouse::kLeft, std::nullopt, 0, 0);  // released outside the strip
  EXPECT_EQ(events.take(), (Lines{"down Image2 3 1", "up Image2 3 1"}));
}

// The middle button closes the tab it clicks: its release is reported where
// it happened (the bare strip when off the strip or when the pointer is
// lost), so that the core closes only a tab pressed and released on. No Click.
TEST_F(PointerInputTest, MiddleButtonReleaseIsReportedWhereItHappened) {
  input.buttonDown(mouse::kMiddle, caption3);
  input.move(bar);
  input.buttonUp(mouse::kMiddle, back3, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 4", "move Label2 3", "up Image1 3 4"}))
      << "moves still go to the element pressed";
  input.buttonDown(mouse::kMiddle, caption3);
  input.buttonUp(mouse::kMiddle, back5, 0, 0);
  input.buttonDown(mouse::kMiddle, close3);
  input.buttonUp(mouse::kMiddle, std::nullopt, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 4", "up Image1 5 4", "down Image2 3 4", "up Form 4"}));
  input.buttonDown(mouse::kMiddle, back3);
  input.cancel();
  EXPECT_EQ(events.take(), (Lines{"down Image1 3 4", "up Form 4"})) << "the pointer lost: no click";
  input.buttonUp(mouse::kMiddle, back3, 0, 0);
  EXPECT_EQ(events.take(), Lines{}) << "a release without its press";
}

TEST_F(PointerInputTest, RightButtonRaisesDownAndUpButNoClick) {
  input.buttonDown(mouse::kRight, back3);
  input.buttonUp(mouse::kRight, back3, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Image1 3 2", "up Image1 3 2"}));
}

TEST_F(PointerInputTest, DoubleClickRaisesOneClickThenDblClick) {
  input.buttonDown(mouse::kLeft, caption3);
  input.buttonUp(mouse::kLeft, caption3, 0, 0);
  input.doubleClick(mouse::kLeft, caption3);
  input.buttonUp(mouse::kLeft, caption3, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 1", "up Label2 3 1", "click Label2 3",
                                  "dblclick Label2 3", "up Label2 3 1"}));
}

TEST_F(PointerInputTest, MovesGoToTheElementUnderThePointerWhenNoButtonIsHeld) {
  input.move(back3);
  input.move(std::nullopt);
  input.move(bar);
  EXPECT_EQ(events.take(), (Lines{"move Image1 3", "move Form"}));
}

TEST_F(PointerInputTest, ADragRaisesNothingUntilItDrops) {
  events.onMove = [&](Target t) {
    if (t == caption3) input.beginDrag(3);
  };
  input.buttonDown(mouse::kLeft, caption3);
  input.move(caption3);  // the core starts the drag from here
  input.move(back5);
  input.buttonDown(mouse::kRight, back5);
  input.buttonUp(mouse::kRight, back5, 0, 0);
  input.buttonUp(mouse::kLeft, back5, 1500, 120);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 1", "move Label2 3", "drop 3 on Image1 5 at 1500,120"}));
  EXPECT_FALSE(input.dragging());
  input.move(bar);
  EXPECT_EQ(events.take(), (Lines{"move Form"})) << "events flow again after the drop";
}

TEST_F(PointerInputTest, ADragReleasedOutsideTheStripDropsNowhere) {
  input.buttonDown(mouse::kLeft, caption3);
  input.beginDrag(3);
  input.buttonUp(mouse::kLeft, std::nullopt, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 1"}));
}

TEST_F(PointerInputTest, LosingThePointerReleasesWhatWasHeldAndEndsADrag) {
  input.buttonDown(mouse::kLeft, left);
  input.cancel();
  EXPECT_EQ(events.take(), (Lines{"down Ileft 1", "up Ileft 1"}));
  input.buttonDown(mouse::kLeft, caption3);
  input.beginDrag(3);
  input.cancel();
  input.buttonUp(mouse::kLeft, back5, 0, 0);
  EXPECT_EQ(events.take(), (Lines{"down Label2 3 1"})) << "no drop after the drag was cut off";
}

}  // namespace
}  // namespace brelm::win32::test
