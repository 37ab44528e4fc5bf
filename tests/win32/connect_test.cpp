// The add-in library as a host meets it: created by its ProgID (registered
// by tests/win32/run.sh with regsvr32 before this program runs), connected to
// a hand-made Application object with a main window, and disconnected again.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <memory>

#include "com/com_ptr.h"
#include "failing_allocations.h"
#include "fake_dispatch.h"
#include "server/connect.h"
#include "server/extensibility.h"
#include "system/module.h"
#include "system/text.h"
#include "ui/accessible.h"
#include "trace_capture.h"
#include "window_helpers.h"

namespace brelm::win32::test {
namespace {

constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000,
                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kSlideEvents = {0x914934C2, 0x5A91, 0x11CF,
                              {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};

ComPtr<FakeObject> emptyCollection() {
  auto c = FakeObject::make();
  c->set(L"Count", Variant::fromInt(0));
  c->method(L"Item", [](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    return raise(info, DISP_E_BADINDEX, L"Subscript out of range");
  });
  return c;
}

// The host's command bars: "tabPopup" exists once added; its buttons take
// any setting and raise Click.
struct FakeCommandBars {
  ComPtr<FakeObject> bars = FakeObject::make();
  ComPtr<FakeObject> bar = FakeObject::make();
  ComPtr<FakeObject> controls = FakeObject::make();
  std::vector<ComPtr<FakeObject>> buttons;
  bool added = false;

  FakeCommandBars() {
    bars->method(L"Item", [this](std::vector<Variant>&, Variant& result, EXCEPINFO* info) {
      if (!added) return raise(info, E_INVALIDARG, L"Invalid procedure call or argument");
      result = Variant::fromDispatch(bar.Get());
      return S_OK;
    });
    bars->method(L"Add", [this](std::vector<Variant>&, Variant& result, EXCEPINFO*) {
      added = true;
      result = Variant::fromDispatch(bar.Get());
      return S_OK;
    });
    bar->method(L"Delete", [this](std::vector<Variant>&, Variant&, EXCEPINFO*) {
      added = false;
      return S_OK;
    });
    bar->method(L"ShowPopup", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
    bar->setObject(L"Controls", controls);
    controls->method(L"Add", [this](std::vector<Variant>&, Variant& result, EXCEPINFO*) {
      auto button = FakeObject::make();
      button->acceptAnyName();
      button->addEvents(kButtonEvents);
      buttons.push_back(button);
      result = Variant::fromDispatch(button.Get());
      return S_OK;
    });
  }
  size_t advised() const {
    size_t n = 0;
    for (const auto& b : buttons) n += b->sinkCount(kButtonEvents);
    return n;
  }
};

// Members both hosts' Application objects share.
ComPtr<FakeObject> fakeApplication(FakeCommandBars& bars, const wchar_t* documents) {
  auto app = FakeObject::make();
  app->set(L"Version", Variant::fromString(L"14.0"));
  app->set(L"Width", Variant::fromDouble(600));
  app->set(L"ShowWindowsInTaskbar", Variant::fromBool(true));
  app->set(L"ActiveWindow", Variant());
  app->setObject(L"Windows", emptyCollection());
  app->setObject(documents, emptyCollection());
  app->setObject(L"CommandBars", bars.bars);
  return app;
}

struct Addin {
  ComPtr<IDispatch> dispatch;
  ComPtr<IDTExtensibility2> ext;
};

Addin create(const wchar_t* progId) {
  Addin a;
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  EXPECT_EQ(hr, S_OK) << "register the libraries first (tests/win32/run.sh does)";
  if (FAILED(hr)) return a;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(a.dispatch.GetAddressOf()));
  EXPECT_EQ(hr, S_OK);
  if (SUCCEEDED(hr))
    a.dispatch->QueryInterface(kIID_IDTExtensibility2, reinterpret_cast<void**>(a.ext.GetAddressOf()));
  EXPECT_TRUE(a.ext) << "the connection interface by vtable";
  return a;
}

HWND stripOf(HWND host) { return FindWindowExW(host, nullptr, L"BrelmTabStrip", nullptr); }

std::wstring errorText() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.GetAddressOf()) != S_OK || !info) return L"";
  BSTR b = nullptr;
  info->GetDescription(&b);
  std::wstring s(b ? b : L"");
  SysFreeString(b);
  return s;
}

struct SheetAddin : ::testing::Test {
  HostWindow main{L"XLMAIN"};  // the strip goes only into a frame of the host's class
  FakeCommandBars bars;
  ComPtr<FakeObject> app = fakeApplication(bars, L"Workbooks");
  Addin addin = create(L"quorvanesheet.Connect");

  void SetUp() override {
    ASSERT_TRUE(addin.ext);
    app->set(L"Hwnd", Variant::fromInt(static_cast<long>(reinterpret_cast<std::intptr_t>(main.get()))));
    app->set(L"DisplayFormulaBar", Variant::fromBool(true));
    app->set(L"Visible", Variant::fromBool(true));
  }
};

TEST_F(SheetAddin, ConnectsIntoTheHostWindowAndLetsGoOfEverything) {
  const ULONG before = app->refs();
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  const HWND strip = stripOf(main.get());
  ASSERT_NE(strip, nullptr) << "the strip is a child of the host's main window";
  EXPECT_EQ(GetParent(strip), main.get());
  EXPECT_TRUE(IsWindowVisible(strip));
  EXPECT_EQ(bars.advised(), 1u) << "the menu's button is listened to";
  EXPECT_GT(app->refs(), before);
  pump(350);  // a few polling ticks against the host
  EXPECT_GE(app->count(L"get windows"), 2) << "the polling tick asks for the host's windows";

  EXPECT_TRUE(bars.added);
  ASSERT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
  EXPECT_EQ(stripOf(main.get()), nullptr);
  EXPECT_EQ(bars.advised(), 0u);
  EXPECT_FALSE(bars.added) << "the popup goes with the add-in";
  EXPECT_EQ(app->refs(), before) << "no reference to the Application is left behind";
  const int calls = static_cast<int>(app->log().size());
  pump(250);
  EXPECT_EQ(static_cast<int>(app->log().size()), calls) << "no tick after disconnection";

  // A second connection in the same process starts afresh.
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  EXPECT_NE(stripOf(main.get()), nullptr);
  ASSERT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
  EXPECT_EQ(app->refs(), before);
}

TEST_F(SheetAddin, TheDualInterfaceWorksByNameWithAaAmongItsMembers) {
  DISPID ids[1] = {};
  LPOLESTR names[1] = {const_cast<LPOLESTR>(L"aa")};
  ASSERT_EQ(addin.dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
  const DISPID aa = ids[0];
  names[0] = const_cast<LPOLESTR>(L"ONCONNECTION");
  ASSERT_EQ(addin.dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 1);
  names[0] = const_cast<LPOLESTR>(L"Quit");
  EXPECT_EQ(addin.dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, ids), DISP_E_UNKNOWNNAME);

  const ULONG before = app->refs();
  // OnConnection(Application, ConnectMode, AddInInst, custom), last first.
  VARIANT args[4];
  for (VARIANT& v : args) VariantInit(&v);
  V_VT(&args[3]) = VT_DISPATCH;
  V_DISPATCH(&args[3]) = app.Get();
  V_VT(&args[2]) = VT_I4;
  V_I4(&args[2]) = 0;
  V_VT(&args[1]) = VT_DISPATCH;
  V_DISPATCH(&args[1]) = nullptr;
  V_VT(&args[0]) = VT_ERROR;
  V_ERROR(&args[0]) = DISP_E_PARAMNOTFOUND;
  DISPPARAMS dp{args, nullptr, 4, 0};
  EXCEPINFO info{};
  // Only the default interface is known: a caller naming another gets nothing done.
  EXPECT_EQ(addin.dispatch->Invoke(1, IID_IDispatch, 0, DISPATCH_METHOD, &dp, nullptr, &info, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(stripOf(main.get()), nullptr);
  names[0] = const_cast<LPOLESTR>(L"aa");
  EXPECT_EQ(addin.dispatch->GetIDsOfNames(IID_IDispatch, names, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
  ASSERT_EQ(addin.dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, &info, nullptr), S_OK);
  EXPECT_NE(stripOf(main.get()), nullptr);

  DISPPARAMS none{};
  EXPECT_EQ(addin.dispatch->Invoke(aa, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
  for (DISPID other : {3, 4, 5})
    EXPECT_EQ(addin.dispatch->Invoke(other, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(addin.ext->OnStartupComplete(nullptr), S_OK);
  EXPECT_EQ(addin.ext->OnBeginShutdown(nullptr), S_OK);
  EXPECT_EQ(addin.ext->OnAddInsUpdate(nullptr), S_OK);
  EXPECT_EQ(addin.dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(stripOf(main.get()), nullptr);
  EXPECT_EQ(app->refs(), before);
}

// A connection that fails gets the add-in switched off by the host for good:
// calls the host refuses at connection do not fail it; the tick asks again.
TEST_F(SheetAddin, AHostThatRefusesStartUpCallsStillGetsAWorkingAddin) {
  const ULONG before = app->refs();
  int refusals = 0;
  app->method(L"DisplayFormulaBar", [&](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    ++refusals;
    return raise(info, static_cast<HRESULT>(0x800A03EC), L"The host refused.");
  });
  app->method(L"ShowWindowsInTaskbar", [](std::vector<Variant>& args, Variant& result, EXCEPINFO* info) {
    if (!args.empty()) return raise(info, E_ACCESSDENIED, L"Read-only.");
    result = Variant::fromBool(true);
    return S_OK;
  });
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  const HWND strip = stripOf(main.get());
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(IsWindowVisible(strip));
  EXPECT_EQ(bars.advised(), 1u) << "the menu was built all the same";
  pump(350);
  EXPECT_GE(refusals, 2) << "asked again by the tick";
  ASSERT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
  EXPECT_EQ(stripOf(main.get()), nullptr);
  EXPECT_EQ(bars.advised(), 0u);
  EXPECT_EQ(app->refs(), before);
}

TEST_F(SheetAddin, AClickOnTheMenuReachesTheAddin) {
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  auto workbooks = app->value(L"Workbooks");
  ComPtr<IDispatch> books = adopt(workbooks.toDispatch());
  auto* fakeBooks = static_cast<FakeObject*>(books.Get());
  const int counted = fakeBooks->count(L"get count");
  auto clicked = FakeObject::make();
  clicked->set(L"Parameter", Variant::fromString(L"SaveAll"));
  VARIANT_BOOL cancel = VARIANT_FALSE;
  Variant cancelRef;
  V_VT(cancelRef.out()) = VT_BOOL | VT_BYREF;
  V_BOOLREF(const_cast<VARIANT*>(&cancelRef.get())) = &cancel;
  for (const auto& b : bars.buttons) {
    if (b->sinkCount(kButtonEvents)) {
      EXPECT_EQ(b->fire(kButtonEvents, 1, {Variant::fromDispatch(clicked.Get()), cancelRef}), S_OK);
    }
  }
  EXPECT_EQ(fakeBooks->count(L"get count"), counted + 1) << "Save All walked the workbooks";
  ASSERT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
}

// The add-in class built into this program, where allocations can be made to fail.
ComPtr<IDispatch> inProcessSheetAddin() {
  ComPtr<IDispatch> dispatch;
  dispatch = adopt(static_cast<IDispatch*>(
      static_cast<IDTExtensibility2*>(new Connect(HostKind::Sheet, sheetIdentity(), L"BrelmSheet"))));
  return dispatch;
}

TEST_F(SheetAddin, RunningOutOfMemoryInAHostCallIsAnsweredNotThrown) {
  ComPtr<IDispatch> inProcess = inProcessSheetAddin();
  const ULONG before = app->refs();
  // Start-up asks the host for its version first; the host answers, and from
  // then on no memory is left: not for the strip, nor for the error's text,
  // nor for reporting it. The connection fails and leaves nothing behind.
  app->method(L"Version", [](std::vector<Variant>&, Variant& result, EXCEPINFO*) {
    result = Variant::fromString(L"14.0");
    FailingAllocations::arm();
    return S_OK;
  });
  VARIANT arg;
  V_VT(&arg) = VT_DISPATCH;
  V_DISPATCH(&arg) = app.Get();
  DISPPARAMS dp{&arg, nullptr, 1, 0};
  EXCEPINFO info{};
  TraceCapture trace;
  HRESULT hr = S_OK;
  int refused = 0;
  {
    struct Disarm {
      ~Disarm() { FailingAllocations::disarm(); }
    } disarm;
    hr = inProcess->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, &info, nullptr);
    refused = FailingAllocations::refused();
  }
  EXPECT_GT(refused, 0);
  EXPECT_EQ(hr, E_OUTOFMEMORY);
  EXPECT_EQ(info.bstrDescription, nullptr);
  EXPECT_EQ(trace.take(), (std::vector<std::wstring>{
                             L"Brelm: reading the host's version failed (0x8007000E)",
                             L"Brelm: OnConnection failed (0x8007000E)"}));
  EXPECT_EQ(stripOf(main.get()), nullptr);
  EXPECT_EQ(app->refs(), before);
}

// What the core swallows on purpose reaches the library's trace: a start-up
// step the host refuses leaves one line each time it is tried.
TEST_F(SheetAddin, TheCoresFailuresReachTheLibrarysTrace) {
  ComPtr<IDispatch> inProcess = inProcessSheetAddin();
  int refusals = 0;
  app->method(L"DisplayFormulaBar", [&](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    ++refusals;
    return raise(info, static_cast<HRESULT>(0x800A03EC), L"The host refused.");
  });
  TraceCapture trace;
  VARIANT arg;
  V_VT(&arg) = VT_DISPATCH;
  V_DISPATCH(&arg) = app.Get();
  DISPPARAMS dp{&arg, nullptr, 1, 0};
  ASSERT_EQ(inProcess->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr), S_OK);
  pump(250);
  DISPPARAMS none{};
  ASSERT_EQ(inProcess->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
  const std::vector<std::wstring> lines = trace.take();
  ASSERT_GE(refusals, 2);
  std::wstring all;
  for (const auto& l : lines) all += l + L"\n";
  // The start-up step, tried at connection and again by the ticks; the tick
  // itself reads the setting too, and fails with it.
  EXPECT_GE(std::count(lines.begin(), lines.end(),
                       std::wstring(L"Brelm: showing the formula bar failed (0x800A03EC)")),
            2)
      << narrow(all);
  EXPECT_EQ(static_cast<int>(lines.size()), refusals) << "one line per failure:\n" << narrow(all);
}

TEST(SlideAddin, SubscribesToTheHostsEventsAndLeavesThemAtDisconnection) {
  HostWindow frame{L"PPTFrameClass"};
  FakeCommandBars bars;
  auto app = fakeApplication(bars, L"Presentations");
  app->addEvents(kSlideEvents);
  app->method(L"Activate", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
  Addin addin = create(L"quorvaneslide.Connect");
  ASSERT_TRUE(addin.ext);
  const ULONG before = app->refs();
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  EXPECT_EQ(GetParent(stripOf(frame.get())), frame.get());
  EXPECT_EQ(app->sinkCount(kSlideEvents), 1u);
  pump(100);

  auto pres = FakeObject::make();
  auto window = FakeObject::make();
  window->set(L"Caption", Variant::fromString(L"Deck.pptx"));
  window->setObject(L"Parent", pres);
  EXPECT_EQ(app->fire(kSlideEvents, 2009, {Variant::fromDispatch(pres.Get()),
                                           Variant::fromDispatch(window.Get())}),
            S_OK);
  EXPECT_EQ(app->fire(kSlideEvents, 2010, {Variant::fromDispatch(pres.Get()),
                                           Variant::fromDispatch(window.Get())}),
            S_OK);
  EXPECT_EQ(app->fire(kSlideEvents, 2004, {Variant::fromDispatch(pres.Get())}), S_OK);

  ASSERT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
  EXPECT_EQ(app->sinkCount(kSlideEvents), 0u);
  EXPECT_EQ(bars.advised(), 0u);
  EXPECT_EQ(stripOf(frame.get()), nullptr);
  EXPECT_EQ(app->refs(), before);
  EXPECT_EQ(window->refs(), 1u) << "event arguments are not kept";
}

ComPtr<FakeObject> collectionOf(const ComPtr<FakeObject>& item) {
  auto c = FakeObject::make();
  c->set(L"Count", Variant::fromInt(1));
  c->method(L"Item", [item](std::vector<Variant>&, Variant& result, EXCEPINFO*) {
    result = Variant::fromDispatch(item.Get());
    return S_OK;
  });
  return c;
}

HRESULT succeed(std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; }

// What the prompt's watcher saw and did while the prompt was up.
struct UnderThePrompt {
  IDTExtensibility2* addin = nullptr;  // the host's one reference, let go of under the prompt
  HWND frames[2] = {};                  // the host's frames
  bool framesEnabled[2] = {true, true};
  bool answered = false;
  long objectsBeforeLettingGo = -1;
  long objectsAfterLettingGo = -1;
};
UnderThePrompt* underThePrompt = nullptr;

BOOL CALLBACK findPrompt(HWND hwnd, LPARAM out) {
  wchar_t cls[16] = {};
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Runs in the prompt's own message loop: the host disconnects the add-in,
// lets go of it, and the user answers Yes.
void CALLBACK disconnectUnderThePrompt(HWND, UINT, UINT_PTR timer, DWORD) {
  UnderThePrompt& s = *underThePrompt;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findPrompt, reinterpret_cast<LPARAM>(&box));
  if (!box || s.answered) return;
  KillTimer(nullptr, timer);
  s.answered = true;
  for (int i = 0; i < 2; ++i) s.framesEnabled[i] = IsWindowEnabled(s.frames[i]) != FALSE;
  s.addin->OnDisconnection(0, nullptr);
  s.objectsBeforeLettingGo = moduleRefCount();
  s.addin->Release();
  s.addin = nullptr;
  s.objectsAfterLettingGo = moduleRefCount();
  PostMessageW(box, WM_COMMAND, IDYES, 0);
}

// The add-in's save prompt is modal to every frame of the host. The host
// disconnects the add-in and lets go of it while the prompt is up, and the
// user then answers Yes: the object lives until the prompt's click is over,
// saves and closes nothing for a host that no longer has it, and goes then.
TEST(SlideAddin, LetGoOfUnderItsOwnPromptItLivesUntilTheClickIsOver) {
  HostWindow other;  // another frame of the host's, on the same thread
  HostWindow frame{L"PPTFrameClass"};
  FakeCommandBars bars;
  auto app = fakeApplication(bars, L"Presentations");
  app->addEvents(kSlideEvents);
  app->method(L"Activate", succeed);
  auto pres = FakeObject::make();
  auto window = FakeObject::make();
  window->set(L"Caption", Variant::fromString(L"Deck.pptx"));
  window->setObject(L"Parent", pres);
  window->method(L"Activate", succeed);
  window->method(L"Close", succeed);
  pres->setObject(L"Windows", collectionOf(window));
  pres->set(L"Saved", Variant::fromBool(false));
  pres->set(L"Path", Variant::fromString(L"C:\\Decks"));
  pres->set(L"Name", Variant::fromString(L"Deck.pptx"));
  pres->method(L"Save", succeed);
  app->set(L"ActiveWindow", Variant::fromDispatch(window.Get()));
  app->setObject(L"Windows", collectionOf(window));
  app->setObject(L"Presentations", collectionOf(pres));
  const ULONG appRefs = app->refs();
  const long objects = moduleRefCount();

  UnderThePrompt state;
  state.frames[0] = frame.get();
  state.frames[1] = other.get();
  state.addin = new Connect(HostKind::Slide, slideIdentity(), L"BrelmSlide");
  ASSERT_EQ(state.addin->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  pump(150);  // the ticks give the window its tab
  const HWND strip = stripOf(frame.get());
  ASSERT_NE(strip, nullptr);
  {
    ComPtr<IAccessible> acc;
    ASSERT_EQ(AccessibleObjectFromWindow(strip, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                         reinterpret_cast<void**>(acc.GetAddressOf())),
              S_OK);
    VARIANT close;
    V_VT(&close) = VT_I4;
    V_I4(&close) = 2;  // the tab, then its close image
    BSTR name = nullptr;
    ASSERT_EQ(acc->get_accName(close, &name), S_OK);
    EXPECT_STREQ(name, L"Close Deck.pptx");
    SysFreeString(name);
    ASSERT_EQ(acc->accDoDefaultAction(close), S_OK);
  }
  underThePrompt = &state;
  ASSERT_NE(SetTimer(nullptr, 0, 20, disconnectUnderThePrompt), 0u);
  pump(400);
  underThePrompt = nullptr;

  ASSERT_TRUE(state.answered) << "the prompt showed";
  EXPECT_FALSE(state.framesEnabled[0]) << "the prompt's own frame takes no input";
  EXPECT_FALSE(state.framesEnabled[1]) << "nor does any other frame of the host";
  EXPECT_TRUE(IsWindowEnabled(frame.get()) && IsWindowEnabled(other.get())) << "after the prompt";
  EXPECT_EQ(state.objectsAfterLettingGo, state.objectsBeforeLettingGo)
      << "the add-in object was freed under its own prompt";
  EXPECT_EQ(moduleRefCount(), objects) << "and is gone once the click is over";
  EXPECT_EQ(pres->count(L"call Save"), 0) << "saved for an add-in that is gone";
  EXPECT_EQ(window->count(L"call Close"), 0);
  EXPECT_EQ(app->refs(), appRefs);
  EXPECT_EQ(stripOf(frame.get()), nullptr);
}

bool moduleHasClass(HMODULE module, const wchar_t* cls) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExW(module, cls, &wc) != FALSE;
}

// Connects to a fresh host window and ticks a few times; the host's window
// is closed with the strip in it before the disconnection when `loseStrip`.
void connectOnce(bool loseStrip) {
  auto main = std::make_unique<HostWindow>(L"XLMAIN");
  FakeCommandBars bars;
  auto app = fakeApplication(bars, L"Workbooks");
  app->set(L"Hwnd", Variant::fromInt(static_cast<long>(reinterpret_cast<std::intptr_t>(main->get()))));
  app->set(L"DisplayFormulaBar", Variant::fromBool(true));
  Addin addin = create(L"quorvanesheet.Connect");
  ASSERT_TRUE(addin.ext);
  ASSERT_EQ(addin.ext->OnConnection(app.Get(), 0, nullptr, nullptr), S_OK) << errorText();
  EXPECT_NE(stripOf(main->get()), nullptr);
  pump(250);
  EXPECT_GE(app->count(L"get windows"), 2) << "the polling tick runs";
  if (loseStrip) main.reset();
  EXPECT_EQ(addin.ext->OnDisconnection(0, nullptr), S_OK);
}

TEST(AddinLibrary, UnloadsWithItsWindowClassesAndLoadsAgain) {
  connectOnce(true);
  const HMODULE first = GetModuleHandleW(L"BrelmSheet.dll");
  ASSERT_NE(first, nullptr);
  CoFreeUnusedLibrariesEx(0, 0);
  ASSERT_EQ(GetModuleHandleW(L"BrelmSheet.dll"), nullptr) << "the library was unloaded";
  EXPECT_FALSE(moduleHasClass(first, L"BrelmTabStrip")) << "no class outlives its library";
  EXPECT_FALSE(moduleHasClass(first, L"BrelmTimers"));
  connectOnce(false);
  connectOnce(true);
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_EQ(GetModuleHandleW(L"BrelmSheet.dll"), nullptr);
}

TEST(AddinLibrary, CanUnloadOnceEveryObjectIsGone) {
  {
    Addin addin = create(L"quorvanesheet.Connect");
    ASSERT_TRUE(addin.ext);
    HMODULE library = GetModuleHandleW(L"BrelmSheet.dll");
    ASSERT_NE(library, nullptr);
    auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    addin = Addin{};
    EXPECT_EQ(canUnload(), S_OK);
  }
}

}  // namespace
}  // namespace brelm::win32::test
