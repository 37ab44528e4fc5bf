// The simulated spreadsheet host: its window layout per version, the natural
// re-layout that undoes foreign moves, and the object model's failure modes
// (busy, no active window, closed windows) that the add-in must survive.
#include <gtest/gtest.h>

#include "sim/host_objects.h"
#include "sim/sim_platform.h"

namespace brelm::sim {
namespace {

SimOptions sheetOptions(const std::string& version = "14.0", int dpi = 96) {
  SimOptions o;
  o.host = HostKind::Sheet;
  o.version = version;
  o.dpi = dpi;
  return o;
}

Rect rectOf(SimPlatform& p, Hwnd h) {
  Rect r;
  EXPECT_TRUE(p.windows.windowRect(h, r));
  return r;
}

class SheetLayoutTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SheetLayoutTest, DocumentAreaSitsRightUnderTheFormulaBar) {
  SimPlatform p(sheetOptions(GetParam()));
  SheetHost& sheet = *p.sheet();
  Hwnd main = sheet.mainWindow();
  Rect m = rectOf(p, main);
  EXPECT_EQ(m.width(), 1333);  // 1000 points at 96 dpi
  Hwnd bar = p.windows.findChild(main, kNoWindow, "EXCEL;", std::nullopt);
  Hwnd desk = p.windows.findChild(main, kNoWindow, "XLDESK", std::nullopt);
  ASSERT_NE(bar, kNoWindow);
  ASSERT_NE(desk, kNoWindow);
  EXPECT_EQ(rectOf(p, desk).top, rectOf(p, bar).bottom);
  Hwnd top = p.windows.findChild(main, kNoWindow, "MsoCommandBarDock", "MsoDockTop");
  EXPECT_EQ(rectOf(p, bar).top, rectOf(p, top).bottom);

  bool v11 = std::string(GetParam()) == "11.0";
  Hwnd menu = p.windows.findChild(top, kNoWindow, "MsoCommandBar", "Worksheet Menu Bar");
  EXPECT_EQ(menu != kNoWindow, v11);
  if (v11) {
    // Its dock is the layout origin: the corner of the main window's client area.
    Rect origin = rectOf(p, p.windows.parent(menu));
    EXPECT_EQ(origin.left, m.left + p.tree.get(main)->border);
    EXPECT_EQ(origin.top, m.top + p.tree.get(main)->border);
  }
  for (const char* title : {"Task Pane", "Document Recovery"}) {
    Hwnd dock = kNoWindow;
    for (Hwnd h : p.tree.preorder()) {
      if (p.tree.get(h)->title == title) dock = p.windows.parent(h);
    }
    ASSERT_NE(dock, kNoWindow) << title;
    EXPECT_EQ(p.windows.className(dock), "MsoCommandBarDock");
    EXPECT_EQ(p.windows.parent(dock), main);
    EXPECT_EQ(rectOf(p, dock).top, rectOf(p, desk).top) << title;
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, SheetLayoutTest,
                         ::testing::Values("11.0", "12.0", "14.0", "15.0"));

TEST(SheetHost, BorderOfTheMainWindowMatchesTheVersionsAllowance) {
  for (auto [version, border] : {std::pair{"12.0", 2}, {"14.0", 4}, {"15.0", 4}}) {
    SimPlatform p(sheetOptions(version));
    EXPECT_EQ(p.tree.get(p.sheet()->mainWindow())->border, border) << version;
  }
}

TEST(SheetHost, ResizeAndRelayoutUndoTheMovesOfOthers) {
  SimPlatform p(sheetOptions());
  SheetHost& sheet = *p.sheet();
  Rect natural = rectOf(p, sheet.documentArea());
  Rect bar = rectOf(p, sheet.formulaBar());
  p.windows.setWindowPos(sheet.formulaBar(), ZOrder::Bottom, 0, 0, bar.width(), 44, swp::kNoMove);
  p.windows.setWindowPos(sheet.documentArea(), ZOrder::None, 0, 300, 100, 100, swp::kNoZOrder);
  sheet.relayout();
  EXPECT_EQ(rectOf(p, sheet.documentArea()), natural);
  EXPECT_EQ(rectOf(p, sheet.formulaBar()), bar);

  sheet.setWidthPoints(750);
  Rect m = rectOf(p, sheet.mainWindow());
  EXPECT_EQ(m.width(), 1000);
  EXPECT_EQ(rectOf(p, sheet.documentArea()).right, m.right - 4);
  EXPECT_EQ(rectOf(p, sheet.documentArea()).top, natural.top);
}

TEST(SheetHost, MaximisedDocumentWindowsFollowTheDocumentArea) {
  SimPlatform p(sheetOptions());
  p.host->open("Book1");
  Hwnd desk = p.sheet()->documentArea();
  Hwnd book = p.sheet()->windowOf(p.host->active()->id);
  p.windows.setWindowPos(desk, ZOrder::None, 0, 184, 1325, 590, swp::kNoZOrder);
  EXPECT_EQ(rectOf(p, book), rectOf(p, desk));
  EXPECT_EQ(rectOf(p, book).height(), 590);
}

TEST(SheetHost, HidingTheFormulaBarMovesTheDocumentAreaUp) {
  SimPlatform p(sheetOptions());
  SheetHost& sheet = *p.sheet();
  Rect bar = rectOf(p, sheet.formulaBar());
  sheet.showFormulaBar(false);
  EXPECT_EQ(rectOf(p, sheet.documentArea()).top, bar.top);
  EXPECT_FALSE(p.tree.shown(sheet.formulaBar()));
  sheet.showFormulaBar(true);
  EXPECT_EQ(rectOf(p, sheet.documentArea()).top, bar.bottom);
}

TEST(SheetHost, WindowListIsInZOrderWithOneDocumentWindowEach) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  host.open("Book1");
  host.open("Book2");
  host.open("Report.xlsx");
  auto app = host.application();
  EXPECT_EQ(app->windowCount(), 3);
  EXPECT_EQ(app->window(1)->caption(), "Report.xlsx");
  EXPECT_EQ(app->window(3)->caption(), "Book1");
  host.userActivate("Book1");
  EXPECT_EQ(app->window(1)->caption(), "Book1");
  EXPECT_EQ(app->activeWindow()->caption(), "Book1");
  // Workbooks stay in opening order; a file opened from disk has a path.
  EXPECT_EQ(app->document(3)->name(), "Report.xlsx");
  EXPECT_EQ(app->document(3)->path(), kDocumentFolder);
  EXPECT_EQ(app->document(1)->path(), "");

  Hwnd desk = p.sheet()->documentArea();
  EXPECT_EQ(p.windows.windowText(p.windows.descendants(desk).at(0)), "Book1");
  host.rename("Book1", "Budget.xlsx");
  EXPECT_NE(p.windows.findChild(desk, kNoWindow, "EXCEL7", "Budget.xlsx"), kNoWindow);
  host.userClose("Book2");
  EXPECT_EQ(p.windows.findChild(desk, kNoWindow, "EXCEL7", "Book2"), kNoWindow);
  EXPECT_EQ(app->documentCount(), 2);
}

TEST(SheetHost, SecondWindowOnAWorkbookKeepsTheWorkbookOpenWhenOneCloses) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  host.open("Book1");
  host.newWindow("Book1", "Book1:2");
  auto app = host.application();
  EXPECT_EQ(app->activeWindow()->caption(), "Book1:2");
  EXPECT_EQ(app->activeWindow()->parent()->windowCount(), 2);
  host.userClose("Book1:2");
  EXPECT_EQ(app->documentCount(), 1);
  EXPECT_EQ(app->activeWindow()->caption(), "Book1");
}

TEST(SheetHost, BusyHostRefusesEveryCallUntilItIsFree) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  host.open("Book1");
  auto app = std::dynamic_pointer_cast<SheetApp>(host.application());
  auto window = app->window(1);
  host.setBusy(true);
  auto expectBusy = [](auto&& call) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const HostError& e) {
      EXPECT_TRUE(e.busy());
    }
  };
  expectBusy([&] { app->activeWindow(); });
  expectBusy([&] { app->windowCount(); });
  expectBusy([&] { app->hwnd(); });
  expectBusy([&] { app->width(); });
  expectBusy([&] { window->caption(); });
  expectBusy([&] { window->activate(); });
  expectBusy([&] { app->commandBar("tabPopup"); });
  EXPECT_EQ(p.log.countActions("Activate Book1 (busy)"), 1);
  // Identity is not an object-model call.
  EXPECT_TRUE(window->sameObject(*window));
  host.setBusy(false);
  EXPECT_EQ(window->caption(), "Book1");
}

TEST(SheetHost, NoActiveWindowUntilTheNextActivation) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  auto app = host.application();
  EXPECT_THROW(app->activeWindow(), HostError);  // nothing open
  host.open("Book1");
  host.open("Book2");
  host.setNoActive();
  try {
    app->activeWindow();
    ADD_FAILURE() << "no error";
  } catch (const HostError& e) {
    EXPECT_FALSE(e.busy());
  }
  EXPECT_EQ(app->windowCount(), 2);
  app->window(2)->activate();
  EXPECT_EQ(app->activeWindow()->caption(), "Book1");
}

TEST(SheetHost, ClosedWindowFailsEveryMemberAndReleasesItsWorkbook) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  host.open("Book1");
  host.open("Book2");
  auto app = host.application();
  auto book1 = app->window(2);
  auto workbook = book1->parent();
  book1->close();
  for (auto call : std::initializer_list<std::function<void()>>{
           [&] { book1->caption(); }, [&] { book1->activate(); }, [&] { book1->close(); },
           [&] { book1->parent(); }, [&] { workbook->name(); }, [&] { workbook->saved(); }}) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const HostError& e) {
      EXPECT_FALSE(e.busy());
    }
  }
  EXPECT_EQ(app->windowCount(), 1);
  EXPECT_EQ(app->activeWindow()->caption(), "Book2");
  EXPECT_THROW(app->window(2), HostError);
}

TEST(SheetHost, CountsTheHostObjectsStillHeld) {
  SimPlatform p(sheetOptions());
  p.host->open("Book1");
  {
    auto app = p.host->application();
    auto w = app->window(1);
    auto d = w->parent();
    auto dialog = app->saveAsDialog();
    EXPECT_EQ(p.host->liveObjects(), 4);
  }
  EXPECT_EQ(p.host->liveObjects(), 0);
}

class Sink : public ButtonClickSink {
 public:
  void onButtonClick(const std::string& parameter) override { clicks.push_back(parameter); }
  std::vector<std::string> clicks;
};

TEST(SheetHost, ButtonClickReachesTheBindingOfAnyButtonWithTheSameTag) {
  SimPlatform p(sheetOptions());
  auto app = p.host->application();
  auto bar = app->addPopupBar("tabPopup", true);
  EXPECT_THROW(app->addPopupBar("tabPopup", true), HostError);
  auto website = bar->addButton(std::nullopt);
  website->setTag("T");
  website->setParameter("website");
  website->setCaption("Visit");
  auto saveAll = bar->addButton(1);
  saveAll->setTag("T");
  saveAll->setParameter("SaveAll");
  saveAll->setCaption("Save All");
  const auto& controls = p.host->commandBars().at(p.host->findBar("tabPopup")).controls;
  ASSERT_EQ(controls.size(), 2u);
  EXPECT_EQ(controls[0].parameter, "SaveAll");  // inserted at position 1

  Sink sink;
  website->bindClick(&sink);
  p.host->clickButton("SaveAll");
  p.host->clickButton("website");
  EXPECT_EQ(sink.clicks, (std::vector<std::string>{"SaveAll", "website"}));
  EXPECT_THROW(p.host->clickButton("Nothing"), std::invalid_argument);

  website.reset();  // the binding ends with the button object
  p.host->clickButton("SaveAll");
  EXPECT_EQ(sink.clicks.size(), 2u);

  app->commandBar("tabPopup")->deleteBar();
  EXPECT_THROW(app->commandBar("tabPopup"), HostError);
  EXPECT_THROW(saveAll->setCaption("x"), HostError);
  EXPECT_THROW(app->commandBar("Worksheet Menu Bar")->deleteBar(), HostError);
}

TEST(SheetHost, SaveAsDialogAnswersFromTheQueueAndSavesTheActiveWorkbook) {
  SimPlatform p(sheetOptions());
  HostModel& host = *p.host;
  host.open("Book1");
  host.modify("Book1");
  auto app = host.application();
  auto cancelled = app->saveAsDialog();
  EXPECT_EQ(cancelled->show(), 0);  // nothing queued: the user cancels
  EXPECT_THROW(cancelled->execute(), HostError);
  host.queueDialogAnswer(true);
  auto dialog = app->saveAsDialog();
  dialog->setInitialFileName("Book1");
  EXPECT_EQ(dialog->show(), -1);
  dialog->execute();
  auto book = app->document(1);
  EXPECT_TRUE(book->saved());
  EXPECT_EQ(book->path(), kDocumentFolder);
  EXPECT_EQ(p.log.countActions("Execute SaveAs Book1"), 1);
}

}  // namespace
}  // namespace brelm::sim
