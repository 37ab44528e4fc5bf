// What an automation client (brelm-check) uses beyond the add-ins' members:
// documents added, saved as, closed and opened again, the add-ins listed in
// COMAddIns and switched on and off there.
#include <gtest/gtest.h>

#include "host/host.h"
#include "objects/dispatch_object.h"
#include "tests/late_binding.h"

namespace hostsim::test {
namespace {

struct FakeRegistry final : AddinRegistry {
  std::vector<Entry> registered() const override { return {{L"first.Connect", L"First"}, {L"second.Connect", L"Second"}}; }
  bool connected(const std::wstring& progId) const override { return progId == L"first.Connect" && firstOn; }
  HRESULT setConnected(const std::wstring& progId, bool on) override {
    calls.push_back(progId + (on ? L" on" : L" off"));
    if (progId != L"first.Connect") return E_FAIL;
    firstOn = on;
    return S_OK;
  }
  bool firstOn = true;
  std::vector<std::wstring> calls;
};

struct Fixture {
  explicit Fixture(HostKind kind) : host({kind, L"16.0"}, log) { host.onQuit = [] {}; }
  IDispatch* app() { return &host.app(); }
  CallLog log;
  Host host;
};

std::wstring tempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, dir);
  return std::wstring(dir) + name;
}

TEST(AutomationMembers, ComAddInsListAndSwitchTheAddins) {
  Fixture f(HostKind::Sheet);
  EXPECT_EQ(get(get(f.app(), L"COMAddIns").object(), L"Count").number(), 0) << "no add-ins loaded: none listed";
  FakeRegistry registry;
  f.host.setAddinRegistry(&registry);
  Reply list = get(f.app(), L"COMAddIns");
  EXPECT_EQ(get(list.object(), L"Count").number(), 2);
  EXPECT_EQ(get(get(list.object(), L"Item", {v(2L)}).object(), L"ProgId").text(), L"second.Connect");
  Reply first = get(f.app(), L"COMAddIns", {v(L"FIRST.connect")});
  ASSERT_EQ(first.hr, S_OK) << "ProgIDs are found without regard to case";
  EXPECT_EQ(get(first.object(), L"Connect").number(), -1);
  EXPECT_EQ(put(first.object(), L"Connect", vbool(false)).hr, S_OK);
  EXPECT_EQ(get(first.object(), L"Connect").number(), 0);
  // An add-in that fails to connect fails the assignment.
  Reply second = get(f.app(), L"COMAddIns", {v(L"second.Connect")});
  EXPECT_NE(put(second.object(), L"Connect", vbool(true)).hr, S_OK);
  EXPECT_EQ(registry.calls, (std::vector<std::wstring>{L"first.Connect off", L"second.Connect on"}));
  EXPECT_EQ(get(f.app(), L"COMAddIns", {v(L"missing.Connect")}).hr, DISP_E_EXCEPTION);
  f.host.setAddinRegistry(nullptr);
}

TEST(AutomationMembers, DocumentsAddedSavedClosedAndOpenedAgain) {
  for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
    Fixture f(kind);
    const bool sheet = kind == HostKind::Sheet;
    Reply docs = get(f.app(), sheet ? L"Workbooks" : L"Presentations");
    Reply added = call(docs.object(), L"Add");
    ASSERT_EQ(added.hr, S_OK);
    EXPECT_EQ(get(added.object(), L"Name").text(), sheet ? L"Book1" : L"Presentation1");
    EXPECT_EQ(get(call(docs.object(), L"Add").object(), L"Name").text(), sheet ? L"Book2" : L"Presentation2");

    std::wstring path = tempPath(L"hostsim saved.bin");
    DeleteFileW(path.c_str());
    EXPECT_EQ(call(added.object(), L"SaveAs", {v(path.c_str())}).hr, S_OK);
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "Open finds what SaveAs wrote";
    EXPECT_NE(f.host.findWindow(L"hostsim saved.bin"), nullptr) << "the window takes the file's name";

    f.host.findDocument(L"hostsim saved.bin")->setSaved(false);
    Reply closed = sheet ? call(added.object(), L"Close", {vbool(false)}) : call(added.object(), L"Close");
    EXPECT_EQ(closed.hr, S_OK);
    EXPECT_EQ(f.host.findWindow(L"hostsim saved.bin"), nullptr) << "closed without being asked";
    EXPECT_EQ(get(docs.object(), L"Count").number(), 1);

    Reply opened = call(docs.object(), L"Open", {v(path.c_str())});
    ASSERT_EQ(opened.hr, S_OK);
    EXPECT_EQ(get(opened.object(), L"Name").text(), L"hostsim saved.bin");
    EXPECT_EQ(get(get(f.app(), L"ActiveWindow").object(), L"Caption").text(), L"hostsim saved.bin");
    DeleteFileW(path.c_str());
    EXPECT_NE(call(docs.object(), L"Open", {v(path.c_str())}).hr, S_OK) << "no file, nothing opened";
    EXPECT_EQ(get(docs.object(), L"Count").number(), 2);
  }
}

TEST(AutomationMembers, NewWindowOnADocumentAndTheApplicationsWidth) {
  for (HostKind kind : {HostKind::Sheet, HostKind::Slide}) {
    Fixture f(kind);
    const bool sheet = kind == HostKind::Sheet;
    Reply docs = get(f.app(), sheet ? L"Workbooks" : L"Presentations");
    Reply added = call(docs.object(), L"Add");
    ASSERT_EQ(added.hr, S_OK);
    const std::wstring name = get(added.object(), L"Name").text();
    Reply made = call(added.object(), L"NewWindow");
    ASSERT_EQ(made.hr, S_OK);
    EXPECT_EQ(get(made.object(), L"Caption").text(), name + L":2");
    EXPECT_EQ(get(get(added.object(), L"Windows").object(), L"Count").number(), 2);
    EXPECT_EQ(get(get(f.app(), L"ActiveWindow").object(), L"Caption").text(), name + L":2") << "the new window is active";

    // Set as a user sizes the frame: read back, to the pixel.
    ASSERT_EQ(put(f.app(), L"Width", v(600L)).hr, S_OK);
    EXPECT_NEAR(f.host.widthPoints(), 600.0, 1.0);
  }
}

// --hang-on names one member of one kind of object; the hang itself (a call
// that never returns) is exercised by tests/check/run.sh against a client.
TEST(AutomationMembers, HangOnNamesOneMemberOfOneKindOfObject) {
  Fixture f(HostKind::Sheet);
  auto described = [](IDispatch* object) { return static_cast<DispatchObject*>(object)->describe(); };
  Reply docs = get(f.app(), L"Workbooks");
  Reply book = call(docs.object(), L"Add");
  ASSERT_EQ(book.hr, S_OK);
  Reply windows = get(book.object(), L"Windows");
  Reply window = get(windows.object(), L"Item", {v(1L)});
  EXPECT_EQ(callName(described(docs.object()), L"Add"), "Workbooks.Add");
  EXPECT_EQ(callName(described(window.object()), L"Activate"), "Window.Activate");
  EXPECT_EQ(callName(described(windows.object()), L"Item"), "Workbook.Windows.Item");
  // A caption with brackets and quotes of its own is still only the key.
  ASSERT_EQ(put(window.object(), L"Caption", v(L"a [\"b\"] c")).hr, S_OK);
  EXPECT_EQ(callName(described(window.object()), L"Caption"), "Window.Caption");

  // Only that member of that kind of object, whatever the case.
  HostContext& context = f.host.context();
  EXPECT_FALSE(context.hangsOn(described(docs.object()), L"Add")) << "nothing hangs unless asked";
  context.hangOn = "WORKBOOKS.add";
  EXPECT_TRUE(context.hangsOn(described(docs.object()), L"Add"));
  EXPECT_FALSE(context.hangsOn(described(get(f.app(), L"CommandBars").object()), L"Add"));
  EXPECT_FALSE(context.hangsOn(described(docs.object()), L"Count"));
  EXPECT_FALSE(context.hangsOn(described(windows.object()), L"Add")) << "a workbook's windows are not Workbooks";
  context.hangOn = "Window.Activate";
  EXPECT_TRUE(context.hangsOn(described(window.object()), L"Activate"));
  context.hangOn.clear();
}

}  // namespace
}  // namespace hostsim::test
