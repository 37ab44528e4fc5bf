// The object models as the add-ins reach them: by name through IDispatch.
#include <gtest/gtest.h>

#include "common/live_objects.h"
#include "host/host.h"
#include "tests/late_binding.h"
#include "windows/host_windows.h"

namespace hostsim::test {
namespace {

struct HostFixture {
  explicit HostFixture(HostKind kind, const wchar_t* version = L"14.0") : host({kind, version}, log) {
    host.onQuit = [] {};
  }
  IDispatch* app() { return &host.app(); }
  CallLog log;
  Host host;
};

std::vector<std::wstring> captions(IDispatch* app) {
  Reply windows = get(app, L"Windows");
  long n = get(windows.object(), L"Count").number();
  std::vector<std::wstring> out;
  for (long i = 1; i <= n; ++i) out.push_back(get(get(windows.object(), L"Item", {v(i)}).object(), L"Caption").text());
  return out;
}

TEST(ObjectModel, SpreadsheetWindowsListTheMostRecentlyActiveFirst) {
  HostFixture f(HostKind::Sheet);
  f.host.openDocument(L"Book1", true);
  f.host.openDocument(L"Book2", true);
  WindowObj& book3 = f.host.openDocument(L"Book3", false);
  EXPECT_EQ(captions(f.app()), (std::vector<std::wstring>{L"Book3", L"Book2", L"Book1"}));
  f.host.activate(*f.host.findWindow(L"Book1"));
  EXPECT_EQ(captions(f.app()), (std::vector<std::wstring>{L"Book1", L"Book3", L"Book2"}));
  EXPECT_EQ(get(get(f.app(), L"ActiveWindow").object(), L"Caption").text(), L"Book1");
  // Workbooks stay in opening order.
  Reply third = get(f.app(), L"Workbooks", {v(3L)});
  ASSERT_EQ(third.hr, S_OK);
  EXPECT_EQ(get(third.object(), L"Name").text(), L"Book3");
  EXPECT_EQ(get(third.object(), L"Path").text(), L"");
  EXPECT_NE(book3.document(), nullptr);
}

TEST(ObjectModel, PresentationWindowsListInOpeningOrder) {
  HostFixture f(HostKind::Slide, L"12.0");
  f.host.openDocument(L"Deck1", true);
  f.host.openDocument(L"Deck2", true);
  f.host.activate(*f.host.findWindow(L"Deck1"));
  EXPECT_EQ(captions(f.app()), (std::vector<std::wstring>{L"Deck1", L"Deck2"}));
  Reply pres = get(f.app(), L"Presentations", {v(2L)});
  EXPECT_EQ(get(get(pres.object(), L"Windows").object(), L"Count").number(), 1);
}

TEST(ObjectModel, CollectionsAreOneBasedAndAlsoTakeNames) {
  HostFixture f(HostKind::Sheet);
  f.host.openDocument(L"Book1", true);
  Reply windows = get(f.app(), L"Windows");
  EXPECT_EQ(get(windows.object(), L"Item", {v(0L)}).hr, DISP_E_EXCEPTION);
  EXPECT_EQ(get(windows.object(), L"Item", {v(2L)}).hr, DISP_E_EXCEPTION);
  EXPECT_EQ(get(get(windows.object(), L"Item", {v(L"book1")}).object(), L"Caption").text(), L"Book1");
  // The collection's default member answers an argument given to the property.
  EXPECT_EQ(get(get(f.app(), L"Windows", {v(1L)}).object(), L"Caption").text(), L"Book1");
}

TEST(ObjectModel, AClosedWindowFailsAndIsLetGoOf) {
  HostFixture f(HostKind::Sheet);
  f.host.openDocument(L"Book1", true);
  int before = LiveObjects::instance().count("Window");
  Reply held = get(f.app(), L"ActiveWindow");
  f.host.closeWindow(*f.host.findWindow(L"Book1"), false);
  Reply caption = get(held.object(), L"Caption");
  EXPECT_EQ(caption.hr, DISP_E_EXCEPTION);
  EXPECT_FALSE(caption.description.empty());
  EXPECT_EQ(LiveObjects::instance().count("Window"), before) << "only the test still holds it";
}

// The soak's "references as at baseline" rests on this count.
TEST(ObjectModel, ReferencesOnHostObjectsAreCountedAsTakenAndGivenBack) {
  HostFixture f(HostKind::Sheet);
  f.host.openDocument(L"Book1", true);
  const auto before = LiveObjects::instance().references();
  {
    Reply held = get(f.app(), L"ActiveWindow");
    Reply again = get(f.app(), L"Windows", {v(1L)});
    EXPECT_EQ(LiveObjects::instance().references().at("Window"), before.at("Window") + 2);
    held.value.get().pdispVal->AddRef();
    EXPECT_EQ(LiveObjects::instance().references().at("Window"), before.at("Window") + 3);
    held.value.get().pdispVal->Release();
  }
  EXPECT_EQ(LiveObjects::instance().references(), before);
}

TEST(ObjectModel, ActiveWindowFailsWhenThereIsNone) {
  HostFixture f(HostKind::Slide);
  EXPECT_EQ(get(f.app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);
  f.host.openDocument(L"Deck1", true);
  EXPECT_EQ(get(f.app(), L"ActiveWindow").hr, S_OK);
  f.host.setNoActive();
  EXPECT_EQ(get(f.app(), L"ActiveWindow").hr, DISP_E_EXCEPTION);
}

TEST(ObjectModel, BusyHostRejectsEveryCall) {
  HostFixture f(HostKind::Sheet);
  f.host.setBusy(true);
  EXPECT_EQ(get(f.app(), L"Version").hr, static_cast<HRESULT>(0x800AC472));
  f.host.setBusy(false);
  EXPECT_EQ(get(f.app(), L"Version").text(), L"14.0");
}

TEST(ObjectModel, NamesIgnoreCaseAndEachHostHasOnlyItsOwnMembers) {
  HostFixture sheet(HostKind::Sheet);
  HostFixture slide(HostKind::Slide);
  EXPECT_EQ(get(sheet.app(), L"vERSION").hr, S_OK);
  EXPECT_EQ(get(sheet.app(), L"Hwnd").number(), static_cast<long>(reinterpret_cast<LONG_PTR>(sheet.host.tree().mainWindow())));
  EXPECT_EQ(get(slide.app(), L"Hwnd").hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(get(sheet.app(), L"Presentations").hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(get(slide.app(), L"Workbooks").hr, DISP_E_UNKNOWNNAME);
}

TEST(ObjectModel, InvocationKindsAreChecked) {
  HostFixture f(HostKind::Slide);
  f.host.openDocument(L"Deck1", true);
  IDispatch* window = get(f.app(), L"ActiveWindow").object();
  EXPECT_EQ(put(f.app(), L"Version", v(L"15.0")).hr, DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(get(window, L"Activate").hr, DISP_E_MEMBERNOTFOUND) << "a method is not a property";
  EXPECT_EQ(call(window, L"Caption").hr, S_OK) << "a property may be read as a call";
  EXPECT_EQ(put(f.app(), L"ShowWindowsInTaskbar", vbool(false)).hr, S_OK);
  EXPECT_EQ(get(f.app(), L"ShowWindowsInTaskbar").number(), 0);
}

TEST(ObjectModel, SizesAreInPoints) {
  HostFixture f(HostKind::Slide);
  WindowObj& w = f.host.openDocument(L"Deck1", true);
  RECT frame;
  GetWindowRect(w.frame, &frame);
  double toPoints = 72.0 / f.host.dpi();
  EXPECT_DOUBLE_EQ(get(f.app(), L"Width").value.get().dblVal, (frame.right - frame.left) * toPoints);
  IDispatch* window = get(f.app(), L"ActiveWindow").object();
  ASSERT_EQ(put(window, L"Left", v(150L)).hr, S_OK);
  GetWindowRect(w.frame, &frame);
  EXPECT_EQ(frame.left, static_cast<LONG>(150 / toPoints + 0.5));
  EXPECT_EQ(put(window, L"WindowState", v(3L)).hr, S_OK);
  EXPECT_EQ(get(window, L"WindowState").number(), 3);
  EXPECT_EQ(put(window, L"WindowState", v(1L)).hr, S_OK);
  GetWindowRect(w.frame, &frame);
  EXPECT_EQ(frame.left, static_cast<LONG>(150 / toPoints + 0.5)) << "back where it was before maximising";
}

TEST(ObjectModel, ExecuteSavesTheActiveDocumentUnderTheChosenName) {
  HostFixture f(HostKind::Sheet);
  f.host.openDocument(L"Book1", false);
  f.host.findWindow(L"Book1")->document()->setSaved(false);
  Reply dialog = get(f.app(), L"FileDialog", {v(2L)});
  ASSERT_EQ(dialog.hr, S_OK);
  EXPECT_EQ(call(dialog.object(), L"Execute").hr, S_OK) << "nothing happens before Show";
  EXPECT_FALSE(f.host.findWindow(L"Book1")->document()->saved());
  EXPECT_EQ(get(f.app(), L"FileDialog", {v(9L)}).hr, DISP_E_EXCEPTION);
}

// FullName is what the add-ins show in their tooltips: the path and the name,
// the name alone until the first save gives the document a folder.
TEST(ObjectModel, FullNameIsThePathAndTheNameOnceSaved) {
  for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
    HostFixture f(kind, L"16.0");
    f.host.openDocument(L"Budget.xlsx", true);
    WindowObj& fresh = f.host.openDocument(L"Draft", false);
    IDispatch* budget = get(get(f.app(), L"Windows", {v(L"Budget.xlsx")}).object(), L"Parent").object();
    IDispatch* draft = get(get(f.app(), L"Windows", {v(L"Draft")}).object(), L"Parent").object();
    EXPECT_EQ(get(budget, L"FullName").text(), L"C:\\users\\Public\\Documents\\Budget.xlsx");
    EXPECT_EQ(get(draft, L"FullName").text(), L"Draft");
    EXPECT_EQ(put(draft, L"FullName", v(L"X")).hr, DISP_E_MEMBERNOTFOUND) << "read-only";
    fresh.document()->setSaved(false);
    fresh.document()->save();
    EXPECT_EQ(get(draft, L"FullName").text(), L"C:\\users\\Public\\Documents\\Draft");
    EXPECT_TRUE(fresh.document()->saved());
  }
}

}  // namespace
}  // namespace hostsim::test
