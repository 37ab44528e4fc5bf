// The strip as accessibility clients see it.
#include <gtest/gtest.h>
#include <oleacc.h>

#include "com/com_ptr.h"
#include "ui/accessible.h"
#include "recording_events.h"
#include "ui/accessible_model.h"
#include "ui/form_toolkit.h"
#include "ui/window_system.h"
#include "window_helpers.h"
#include "form_fixtures.h"

namespace brelm::win32::test {
namespace {

// Three tabs; element 3 stands first in the strip (it was dragged there),
// element 1 is scrolled out of view to the right.
FormState threeTabs() {
  FormState f;
  f.width = 3000;
  const float lefts[] = {0, 3300, 1200, 60};
  const char* const captions[] = {"", "Far.xlsx", "Middle.xlsx", "First.xlsx"};
  for (int e = 1; e <= 3; ++e) {
    const float x = lefts[e];
    f.image1.push_back(at(x, 60, 900, 270, e == 3 ? picture::kNone : picture::kTab));
    f.image3.push_back(at(x + 15, 105, 240, 240, picture::kDocIcon));
    Element label = at(x + 285, 60, 360, 270);
    label.caption = captions[e];
    f.label2.push_back(label);
    f.image2.push_back(at(x + 675, 105, 210, 210, picture::kClose));
  }
  f.ileft = at(0, 60, 285, 285);
  f.ileft.visible = false;
  f.iright = at(2715, 60, 285, 285);
  return f;
}

TEST(AccessibleModel, TabsInStripOrderThenCloseImagesThenArrows) {
  const FormState f = threeTabs();
  FormState unsavedMiddle = f;
  unsavedMiddle.image2[2].unsaved = true;
  const auto items = accessibleItems(unsavedMiddle, TwipsScale::forDpi(96, 96), RECT{0, 0, 200, 24});
  ASSERT_EQ(items.size(), 9u);
  const wchar_t* const names[] = {L"First.xlsx",       L"Middle.xlsx, unsaved", L"Far.xlsx",
                                  L"Close First.xlsx", L"Close Middle.xlsx",    L"Close Far.xlsx",
                                  L"Scroll left",      L"Scroll right",         L"All documents"};
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].name, names[i]) << i;
  EXPECT_EQ(items[0].role, ROLE_SYSTEM_PAGETAB);
  EXPECT_EQ(items[3].role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_TRUE(items[0].state & STATE_SYSTEM_SELECTED);
  EXPECT_FALSE(items[1].state & STATE_SYSTEM_SELECTED);
  EXPECT_FALSE(items[1].state & STATE_SYSTEM_INVISIBLE);
  EXPECT_TRUE(items[2].state & STATE_SYSTEM_OFFSCREEN) << "beyond the right arrow";
  EXPECT_TRUE(items[6].state & STATE_SYSTEM_INVISIBLE) << "hidden left arrow";
  EXPECT_FALSE(items[7].state & STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(items[1].rect.left, 80);
  EXPECT_EQ(items[1].rect.right, 140);
  EXPECT_EQ(items[1].target, (Target{ElementKind::Label2, 2}));
}

// The list button stands beside the right arrow, drawn over the tabs: a tab
// whose whole visible part is under it is out of view.
TEST(AccessibleModel, ATabUnderTheListButtonIsOutOfView) {
  FormState f = threeTabs();
  f.ilist = at(2430, 60, 285, 285);
  f.ilist.visible = true;
  f.ilist.picture = picture::kList;
  for (Element* e : {&f.image1[1], &f.image3[1], &f.label2[1], &f.image2[1]}) e->left += 2460 - 3300;
  auto items = accessibleItems(f, TwipsScale::forDpi(96, 96), RECT{0, 0, 200, 24});
  ASSERT_EQ(items.size(), 9u);
  EXPECT_EQ(items[2].name, L"Far.xlsx");
  EXPECT_TRUE(items[2].state & STATE_SYSTEM_INVISIBLE) << "under the list button and the right arrow";
  EXPECT_FALSE(items[8].state & STATE_SYSTEM_INVISIBLE) << "the list button itself";
  f.ilist.visible = false;
  items = accessibleItems(f, TwipsScale::forDpi(96, 96), RECT{0, 0, 200, 24});
  EXPECT_FALSE(items[2].state & STATE_SYSTEM_INVISIBLE) << "no list button: in view up to the arrow";
}

TEST(AccessibleModel, TheSelectedTabUnderThePointerShowsTheHoverPicture) {
  FormState f = threeTabs();
  f.image1[3].picture = picture::kTabHover;  // pointer resting on the selected tab
  auto tabs = tabsInStripOrder(f);
  EXPECT_EQ(selectedTabOf(f, tabs), 3);
  f.image1[3].picture = picture::kNone;
  f.image1[2].picture = picture::kTabHover;  // pointer on another tab
  EXPECT_EQ(selectedTabOf(f, tabs), 3);
}

struct AccessibleTest : ::testing::Test {
  HostWindow host;
  FormState form = threeTabs();
  RecordingEvents events;
  Win32FormToolkit toolkit{L"Brelm test"};
  Win32WindowSystem windows;
  HWND strip = nullptr;
  ComPtr<IAccessible> acc;

  void SetUp() override {
    for (int e = 1; e <= 3; ++e) events.windows[e] = std::make_shared<StubWindow>();
    strip = reinterpret_cast<HWND>(toolkit.create(&form, &events));
    windows.setParent(reinterpret_cast<Hwnd>(strip), reinterpret_cast<Hwnd>(host.get()));
    SetWindowPos(strip, HWND_TOP, 0, 10, 200, 24, SWP_NOACTIVATE);
    toolkit.show(true);
    ASSERT_EQ(AccessibleObjectFromWindow(strip, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                         reinterpret_cast<void**>(acc.GetAddressOf())),
              S_OK);
    events.take();
  }
  static VARIANT child(long id) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
  }
  std::wstring nameOf(long id) {
    BSTR b = nullptr;
    if (FAILED(acc->get_accName(child(id), &b))) return L"<failed>";
    std::wstring s(b ? b : L"");
    SysFreeString(b);
    return s;
  }
  long longOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) {
    VARIANT v;
    VariantInit(&v);
    if (FAILED((acc.Get()->*get)(child(id), &v)) || V_VT(&v) != VT_I4) return -1;
    return V_I4(&v);
  }
};

TEST_F(AccessibleTest, TheWindowAnswersWithItsTabs) {
  long count = 0;
  ASSERT_EQ(acc->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 9);
  EXPECT_EQ(longOf(&IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_PAGETABLIST);
  EXPECT_EQ(nameOf(1), L"First.xlsx");
  EXPECT_EQ(nameOf(5), L"Close Middle.xlsx");
  EXPECT_EQ(nameOf(8), L"Scroll right");
  EXPECT_EQ(longOf(&IAccessible::get_accRole, 2), ROLE_SYSTEM_PAGETAB);
  EXPECT_TRUE(longOf(&IAccessible::get_accState, 1) & STATE_SYSTEM_SELECTED);
  EXPECT_EQ(nameOf(9), L"All documents");
  EXPECT_EQ(nameOf(10), L"<failed>") << "no such child";

  long x = -1, y = -1, cx = -1, cy = -1;
  ASSERT_EQ(acc->accLocation(&x, &y, &cx, &cy, child(2)), S_OK);
  POINT origin{0, 0};
  ClientToScreen(strip, &origin);
  EXPECT_EQ(x, origin.x + 80);
  EXPECT_EQ(y, origin.y + 4);
  EXPECT_EQ(cx, 60);
  EXPECT_EQ(cy, 18);

  VARIANT hit;
  VariantInit(&hit);
  ASSERT_EQ(acc->accHitTest(origin.x + 85, origin.y + 10, &hit), S_OK);
  EXPECT_EQ(V_I4(&hit), 2);
}

TEST_F(AccessibleTest, DefaultActionsClickLikeTheMouse) {
  ASSERT_EQ(acc->accDoDefaultAction(child(2)), S_OK);
  ASSERT_EQ(acc->accDoDefaultAction(child(6)), S_OK);
  ASSERT_EQ(acc->accDoDefaultAction(child(8)), S_OK);
  EXPECT_TRUE(events.lines.empty()) << "carried out from the message loop, not inside the call";
  pump(30);
  EXPECT_EQ(events.take(), (Lines{"down Label2 2 1", "up Label2 2 1", "click Label2 2",
                                  "down Image2 1 1", "up Image2 1 1", "click Image2 1",
                                  "down Iright 1", "right", "up Iright 1"}));
}

TEST_F(AccessibleTest, ADefaultActionReachesTheTabItNamedOrNothing) {
  // "Close Middle.xlsx" is asked for; before the strip's messages run, a tick
  // removes that tab and its element is reused for another document.
  ASSERT_EQ(nameOf(5), L"Close Middle.xlsx");
  ASSERT_EQ(acc->accDoDefaultAction(child(5)), S_OK);
  events.windows[2] = std::make_shared<StubWindow>();
  pump(30);
  EXPECT_TRUE(events.take().empty()) << "the other document's tab is not closed";

  // "First.xlsx" is asked for, and its tab is gone by then.
  ASSERT_EQ(acc->accDoDefaultAction(child(1)), S_OK);
  events.windows.erase(3);
  pump(30);
  EXPECT_TRUE(events.take().empty());

  // "Middle.xlsx" is asked for; meanwhile its tab went to another element.
  ASSERT_EQ(nameOf(2), L"Middle.xlsx");
  ASSERT_EQ(acc->accDoDefaultAction(child(2)), S_OK);
  events.windows[4] = events.windows[2];
  events.windows.erase(2);
  pump(30);
  EXPECT_EQ(events.take(), (Lines{"down Label2 4 1", "up Label2 4 1", "click Label2 4"}));
}

TEST_F(AccessibleTest, AnObjectKeptAfterTheWindowIsGoneAnswersDisconnected) {
  toolkit.destroy();
  long count = 0;
  EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  BSTR b = nullptr;
  EXPECT_EQ(acc->get_accName(child(1), &b), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(b, nullptr);
}

}  // namespace
}  // namespace brelm::win32::test
