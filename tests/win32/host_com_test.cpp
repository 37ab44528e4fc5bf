// The hosts' object models over late binding: what each wrapper asks of the
// host object, the events it receives, and the references it gives back.
#include <gtest/gtest.h>

#include "fake_dispatch.h"
#include "host/com_host.h"

namespace brelm::win32::test {
namespace {

constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000,
                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kSlideEvents = {0x914934C2, 0x5A91, 0x11CF,
                              {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

ComPtr<FakeObject> collection(std::vector<ComPtr<FakeObject>> items) {
  auto c = FakeObject::make();
  c->set(L"Count", Variant::fromInt(static_cast<long>(items.size())));
  c->method(L"Item", [items](std::vector<Variant>& args, Variant& result, EXCEPINFO* info) {
    long i = 0;
    if (args.size() != 1 || !args[0].toLong(i) || i < 1 || i > static_cast<long>(items.size()))
      return raise(info, DISP_E_BADINDEX, L"Invalid index.");
    result = Variant::fromDispatch(items[static_cast<size_t>(i - 1)].Get());
    return S_OK;
  });
  return c;
}

ComPtr<FakeObject> docWindow(const wchar_t* caption) {
  auto w = FakeObject::make();
  w->set(L"Caption", Variant::fromString(caption));
  return w;
}

TEST(HostCom, SheetAppReadsItsMembersAndWindowsInHostOrder) {
  auto app = FakeObject::make();
  app->set(L"Version", Variant::fromString(L"14.0"));
  app->set(L"Width", Variant::fromDouble(1000.5));
  app->set(L"Hwnd", Variant::fromInt(-2));  // a handle with the top bit set
  app->set(L"DisplayFormulaBar", Variant::fromBool(false));
  auto books = collection({docWindow(L"Book1"), docWindow(L"Book2")});
  app->setObject(L"Windows", books);
  {
    auto sheet = makeSheetApp(app.Get());
    EXPECT_EQ(sheet->version(), "14.0");
    EXPECT_DOUBLE_EQ(sheet->width(), 1000.5);
    EXPECT_EQ(sheet->hwnd(), static_cast<Hwnd>(static_cast<std::intptr_t>(-2)))
        << "window handles are sign-extended";
    EXPECT_FALSE(sheet->displayFormulaBar());
    sheet->setDisplayFormulaBar(true);
    EXPECT_EQ(sheet->windowCount(), 2);
    EXPECT_EQ(sheet->window(2)->caption(), "Book2");
    EXPECT_THROW(sheet->window(3), HostError);
    EXPECT_TRUE(sheet->window(1)->sameObject(*sheet->window(1)));
    EXPECT_FALSE(sheet->window(1)->sameObject(*sheet->window(2)));
  }
  bool shown = false;
  ASSERT_TRUE(app->value(L"DisplayFormulaBar").toBool(shown));
  EXPECT_TRUE(shown);
  EXPECT_EQ(app->refs(), 1u) << "the wrappers hold no reference once gone";
  EXPECT_EQ(books->refs(), 2u) << "the Application's own and the test's";
}

TEST(HostCom, NoActiveWindowIsAFailure) {
  auto app = FakeObject::make();
  app->set(L"ActiveWindow", Variant());  // the spreadsheet host answers Nothing
  auto sheet = makeSheetApp(app.Get());
  EXPECT_THROW(sheet->activeWindow(), HostError);
  app->setObject(L"ActiveWindow", docWindow(L"Book1"));
  EXPECT_EQ(sheet->activeWindow()->caption(), "Book1");
}

TEST(HostCom, UnicodeCaptionsTravelAsUtf8) {
  auto app = FakeObject::make();
  app->setObject(L"ActiveWindow", docWindow(L"Bilan \u00e9t\u00e9 \u65e5\u672c"));
  auto sheet = makeSheetApp(app.Get());
  EXPECT_EQ(sheet->activeWindow()->caption(), "Bilan \xc3\xa9t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac");
}

struct Clicks : ButtonClickSink {
  std::vector<std::string> parameters;
  bool fail = false;
  void onButtonClick(const std::string& p) override {
    parameters.push_back(p);
    if (fail) throw std::runtime_error("handler failed");
  }
};

TEST(HostCom, PopupBarButtonsAreAddedAndTheirClicksArrive) {
  auto app = FakeObject::make();
  auto bars = FakeObject::make();
  auto bar = FakeObject::make();
  auto controls = FakeObject::make();
  auto button = FakeObject::make();
  button->addEvents(kButtonEvents);
  button->acceptAnyName();
  std::vector<std::wstring> addArgs;
  controls->method(L"Add", [&](std::vector<Variant>& args, Variant& result, EXCEPINFO*) {
    addArgs.clear();
    for (const Variant& a : args) {
      std::wstring s = L"missing";
      if (!(a.type() == VT_ERROR)) a.toString(s);
      addArgs.push_back(s);
    }
    result = Variant::fromDispatch(button.Get());
    return S_OK;
  });
  bar->setObject(L"Controls", controls);
  bars->method(L"Add", [&](std::vector<Variant>& args, Variant& result, EXCEPINFO*) {
    EXPECT_EQ(args.size(), 2u);
    result = Variant::fromDispatch(bar.Get());
    return S_OK;
  });
  app->setObject(L"CommandBars", bars);
  auto sheet = makeSheetApp(app.Get());

  auto popup = sheet->addPopupBar("tabPopup");
  auto first = popup->addButton(std::nullopt);
  EXPECT_EQ(addArgs, (std::vector<std::wstring>{L"1", L"1", L"missing", L"missing", L"-1"}));
  auto second = popup->addButton(1);
  EXPECT_EQ(addArgs, (std::vector<std::wstring>{L"1", L"1", L"missing", L"1", L"-1"}));
  first->setParameter("website");
  first->setTag("Quorvane");

  Clicks clicks;
  first->bindClick(&clicks);
  EXPECT_EQ(button->sinkCount(kButtonEvents), 1u);
  // Click(Ctrl, CancelDefault): the control and a by-reference flag.
  auto clicked = FakeObject::make();
  clicked->set(L"Parameter", Variant::fromString(L"SaveAll"));
  VARIANT_BOOL cancel = VARIANT_FALSE;
  Variant cancelRef;
  V_VT(cancelRef.out()) = VT_BOOL | VT_BYREF;
  V_BOOLREF(const_cast<VARIANT*>(&cancelRef.get())) = &cancel;
  EXPECT_EQ(button->fire(kButtonEvents, 1, {Variant::fromDispatch(clicked.Get()), cancelRef}), S_OK);
  EXPECT_EQ(clicks.parameters, std::vector<std::string>{"SaveAll"});
  EXPECT_EQ(cancel, VARIANT_FALSE) << "the cancel flag is left alone";

  clicks.fail = true;
  EXPECT_EQ(button->fire(kButtonEvents, 1, {Variant::fromDispatch(clicked.Get()), cancelRef}), S_OK)
      << "a failing handler still answers the host with success";

  first->unbindClick();
  EXPECT_EQ(button->sinkCount(kButtonEvents), 0u);
  first->bindClick(&clicks);
  first.reset();
  EXPECT_EQ(button->sinkCount(kButtonEvents), 0u) << "a destroyed button unsubscribes";
}

struct SlideEvents : SlideAppEvents {
  std::vector<std::string> seen;
  void onPresentationClose() override { seen.push_back("close"); }
  void onPresentationOpen() override { seen.push_back("open"); }
  void onNewPresentation() override { seen.push_back("new"); }
  void onWindowActivate(const std::shared_ptr<DocWindow>& w) override {
    seen.push_back("activate " + w->caption());
  }
  void onWindowDeactivate(const std::shared_ptr<DocWindow>& w) override {
    seen.push_back("deactivate " + w->caption());
    throw HostError(hresult::kFail, "handler failed");
  }
};

TEST(HostCom, PresentationEventsReachTheSubscriberUntilItLeaves) {
  auto app = FakeObject::make();
  app->addEvents(kSlideEvents);
  auto pres = FakeObject::make();
  auto window = docWindow(L"Deck.pptx");
  SlideEvents events;
  {
    auto slide = makeSlideApp(app.Get());
    slide->subscribe(&events);
    EXPECT_EQ(app->sinkCount(kSlideEvents), 1u);
    const Variant p = Variant::fromDispatch(pres.Get()), w = Variant::fromDispatch(window.Get());
    EXPECT_EQ(app->fire(kSlideEvents, 2009, {p, w}), S_OK);
    EXPECT_EQ(app->fire(kSlideEvents, 2010, {p, w}), S_OK);
    EXPECT_EQ(app->fire(kSlideEvents, 2004, {p}), S_OK);
    EXPECT_EQ(app->fire(kSlideEvents, 2006, {p}), S_OK);
    EXPECT_EQ(app->fire(kSlideEvents, 2007, {p}), S_OK);
    EXPECT_EQ(app->fire(kSlideEvents, 2001, {p}), S_OK) << "other events are ignored";
    slide->subscribe(nullptr);
    EXPECT_EQ(app->sinkCount(kSlideEvents), 0u);
    slide->subscribe(&events);
  }
  EXPECT_EQ(app->sinkCount(kSlideEvents), 0u) << "the wrapper unsubscribes when destroyed";
  EXPECT_EQ(events.seen, (std::vector<std::string>{"activate Deck.pptx", "deactivate Deck.pptx",
                                                   "close", "open", "new"}));
  EXPECT_EQ(app->refs(), 1u);
  EXPECT_EQ(window->refs(), 1u);
}

TEST(HostCom, SubscribingWithoutConnectionPointsFails) {
  auto app = FakeObject::make();
  SlideEvents events;
  auto slide = makeSlideApp(app.Get());
  EXPECT_THROW(slide->subscribe(&events), HostError);
}

TEST(HostCom, SaveAsDialogAndDocuments) {
  auto app = FakeObject::make();
  auto dialog = FakeObject::make();
  dialog->method(L"Show", [](std::vector<Variant>&, Variant& result, EXCEPINFO*) {
    result = Variant::fromInt(-1);
    return S_OK;
  });
  dialog->method(L"Execute", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
  dialog->set(L"InitialFileName", Variant());
  long dialogType = 0;
  app->method(L"FileDialog", [&](std::vector<Variant>& args, Variant& result, EXCEPINFO*) {
    args.at(0).toLong(dialogType);
    result = Variant::fromDispatch(dialog.Get());
    return S_OK;
  });
  auto pres = FakeObject::make();
  pres->set(L"Name", Variant::fromString(L"Deck"));
  pres->set(L"Path", Variant::fromString(L""));
  pres->set(L"Saved", Variant::fromBool(false));
  auto first = docWindow(L"Deck");
  first->method(L"Activate", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
  pres->setObject(L"Windows", collection({first, docWindow(L"Deck:2")}));
  app->setObject(L"Presentations", collection({pres}));
  auto slide = makeSlideApp(app.Get());
  auto d = slide->saveAsDialog();
  EXPECT_EQ(dialogType, 2);
  d->setInitialFileName("Deck");
  EXPECT_EQ(d->show(), -1);
  d->execute();
  std::wstring initial;
  dialog->value(L"InitialFileName").toString(initial);
  EXPECT_EQ(initial, L"Deck");
  EXPECT_EQ(slide->documentCount(), 1);
  auto doc = slide->document(1);
  EXPECT_EQ(doc->name(), "Deck");
  EXPECT_EQ(doc->path(), "");
  EXPECT_FALSE(doc->saved());
  EXPECT_EQ(doc->windowCount(), 2);
  doc->activate();
  EXPECT_EQ(first->count(L"call activate"), 1) << "a presentation is activated through its first window";

  auto book = FakeObject::make();
  book->method(L"Activate", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
  auto sheetWindow = docWindow(L"Book1");
  sheetWindow->setObject(L"Parent", book);
  auto sheetApp = FakeObject::make();
  sheetApp->setObject(L"ActiveWindow", sheetWindow);
  makeSheetApp(sheetApp.Get())->activeWindow()->parent()->activate();
  EXPECT_EQ(book->count(L"call activate"), 1) << "a workbook activates itself";
}

// Hidden windows stay in the host's lists: the add-in asks each window
// whether the user can see it, and a workbook for its windows.
TEST(HostCom, WindowsAnswerWhetherTheyAreVisibleAndWorkbooksListTheirWindows) {
  auto personal = docWindow(L"PERSONAL.XLSB");
  personal->set(L"Visible", Variant::fromBool(false));
  auto shown = docWindow(L"Book1");
  shown->set(L"Visible", Variant::fromBool(true));
  auto book = FakeObject::make();
  book->setObject(L"Windows", collection({shown}));
  auto app = FakeObject::make();
  app->setObject(L"Windows", collection({personal, shown}));
  app->setObject(L"Workbooks", collection({book}));
  auto sheet = makeSheetApp(app.Get());
  EXPECT_FALSE(sheet->window(1)->visible());
  EXPECT_TRUE(sheet->window(2)->visible());
  auto doc = sheet->document(1);
  EXPECT_EQ(doc->windowCount(), 1);
  EXPECT_EQ(doc->window(1)->caption(), "Book1");
  EXPECT_THROW(doc->window(2), HostError);
}

}  // namespace
}  // namespace brelm::win32::test
