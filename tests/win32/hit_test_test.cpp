// Which element a point falls on, in z-order.
#include <gtest/gtest.h>

#include "recording_events.h"
#include "ui/hit_test.h"
#include "form_fixtures.h"

namespace brelm::win32::test {
namespace {

// One tab on element 1 laid out as the core does: icon at 75, caption 60 wide.
FormState oneTab() {
  FormState f;
  f.width = 3000;
  f.image1.push_back(at(60, 60, 600, 270));
  f.image3.push_back(at(75, 105, 240, 240));
  f.label2.push_back(at(345, 60, 60, 270));
  f.image2.push_back(at(435, 105, 210, 210));
  f.ileft = at(0, 60, 285, 285);
  f.iright = at(2715, 60, 285, 285);
  f.ileft.visible = f.iright.visible = false;
  return f;
}

TEST(HitTest, ForegroundElementsLieAboveTheTabBackground) {
  const FormState f = oneTab();
  struct Case {
    float x, y;
    std::string expected;
  } cases[] = {
      {70, 70, "Image1 1"},     // background only
      {100, 200, "Image3 1"},   // icon
      {350, 100, "Label2 1"},   // caption
      {500, 200, "Image2 1"},   // close image
      {650, 320, "Image1 1"},   // background's last twip column
      {660, 200, "Form"},       // just right of the background
      {1000, 10, "Form"},       // bare strip
  };
  for (const Case& c : cases)
    EXPECT_EQ(name(hitTest(f, c.x, c.y)), c.expected) << "at " << c.x << "," << c.y;
}

TEST(HitTest, VisibleArrowsLieAboveTabsScrolledUnderThem) {
  FormState f = oneTab();
  EXPECT_EQ(name(hitTest(f, 100, 200)), "Image3 1") << "hidden arrows are not there";
  f.ileft.visible = true;
  f.iright.visible = true;
  EXPECT_EQ(name(hitTest(f, 100, 200)), "Ileft");
  EXPECT_EQ(name(hitTest(f, 2800, 100)), "Iright");
  f.ilist = at(2430, 60, 285, 285);
  EXPECT_EQ(name(hitTest(f, 2500, 100)), "Ilist") << "the list button beside the right arrow";
  f.ilist.visible = false;
  EXPECT_EQ(name(hitTest(f, 2500, 100)), "Form");
}

TEST(HitTest, HiddenElementsAndTemplatesAreNeverHit) {
  FormState f = oneTab();
  f.image1[0] = at(0, 0, 3000, 360);  // a template, even if visible, is no tab
  f.image2[1].visible = false;
  EXPECT_EQ(name(hitTest(f, 500, 200)), "Image1 1");
  f.image1[1].visible = false;
  EXPECT_EQ(name(hitTest(f, 500, 200)), "Form");
}

TEST(HitTest, LaterElementsLieAboveEarlierOnes) {
  FormState f = oneTab();
  f.image1.push_back(at(600, 60, 600, 270));  // overlapping the first tab's right end
  EXPECT_EQ(name(hitTest(f, 630, 100)), "Image1 2");
}

}  // namespace
}  // namespace brelm::win32::test
