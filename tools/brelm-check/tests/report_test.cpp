#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "checks.h"
#include "host_session.h"
#include "report.h"
#include "temp_folder.h"

namespace brelmcheck {
namespace {

void twoHosts(Report& r) {
  r.setMachine({{"Windows", "10.0.19045 x64"}, {"Monitor 1", "\\\\.\\DISPLAY1 1920x1080 at (0,0), 144 dpi"}});
  r.beginHost("spreadsheet host");
  r.fact("Version", "16.0");
  r.check("startup", "strip present", true, "strip (0,0)-(10,10)\nwith 2 tabs");
  r.hostCompleted();
  r.beginHost("presentation host");
  r.fact("Version", "16.0");
  r.note("The add-in is switched off.");
  r.check("add-in", "loads when the host starts", false, "LoadBehavior 2");
  r.screenshot("slide-startup.bmp");
}

TEST(Report, OneLinePerCheckUnderEachHost) {
  Report r;
  twoHosts(r);
  std::string text = r.markdown();
  EXPECT_NE(text.find("- Windows: 10.0.19045 x64\n"), std::string::npos);
  EXPECT_NE(text.find("## spreadsheet host\n\n- Version: 16.0\n"), std::string::npos);
  // Line breaks in what was seen would split the check's line.
  EXPECT_NE(text.find("- ok startup: strip present: strip (0,0)-(10,10) with 2 tabs\n"), std::string::npos);
  EXPECT_NE(text.find("> The add-in is switched off.\n"), std::string::npos);
  EXPECT_NE(text.find("- FAIL add-in: loads when the host starts: LoadBehavior 2\n"), std::string::npos);
  EXPECT_NE(text.find("Screenshots: slide-startup.bmp"), std::string::npos);
  EXPECT_NE(text.find("1 of 1 checks held."), std::string::npos);
  EXPECT_NE(text.find("0 of 1 checks held."), std::string::npos);
}

TEST(Report, HoldsOnlyWhenEveryCheckHeldAndEveryHostRanToTheEnd) {
  Report failed;
  twoHosts(failed);
  EXPECT_FALSE(failed.allHeld());
  Report empty;
  EXPECT_FALSE(empty.allHeld()) << "no check at all proves nothing";
  Report good;
  good.beginHost("spreadsheet host");
  good.check("startup", "strip present", true, "");
  EXPECT_FALSE(good.allHeld()) << "the host's suites did not run to the end";
  EXPECT_NE(good.markdown().find("- FAIL run: the checks of this host did not run to the end"), std::string::npos);
  good.hostCompleted();
  EXPECT_TRUE(good.allHeld());
}

TEST(Report, WritesReportMdIntoTheFolder) {
  TempFolder dir;
  ASSERT_TRUE(dir.create());
  Report r;
  twoHosts(r);
  ASSERT_TRUE(r.write(dir.path()));
  std::ifstream in(std::wstring(dir.path() + L"\\report.md").c_str(), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), r.markdown());
  EXPECT_FALSE(r.write(dir.path() + L"\\no such folder"));
}

TEST(TempFolder, RemovedWithEverythingInIt) {
  std::wstring path;
  {
    TempFolder dir;
    ASSERT_TRUE(dir.create());
    path = dir.path();
    ASSERT_TRUE(CreateDirectoryW((path + L"\\sub").c_str(), nullptr));
    for (const wchar_t* name : {L"\\a.xlsx", L"\\sub\\b.pptx"}) {
      HANDLE f = CreateFileW((path + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY,
                             nullptr);
      ASSERT_NE(f, INVALID_HANDLE_VALUE);
      CloseHandle(f);
    }
    TempFolder other;
    ASSERT_TRUE(other.create());
    EXPECT_NE(other.path(), path) << "two runs never share a folder";
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Frames, TheHostsFrameClasses) {
  EXPECT_TRUE(isFrameClass(HostKind::Sheet, L"XLMAIN"));
  EXPECT_FALSE(isFrameClass(HostKind::Sheet, L"XLDESK"));
  EXPECT_TRUE(isFrameClass(HostKind::Slide, L"PPTFrameClass"));
  EXPECT_TRUE(isFrameClass(HostKind::Slide, L"PP12FrameClass"));
  EXPECT_FALSE(isFrameClass(HostKind::Slide, L"PPFrameClass"));
  EXPECT_FALSE(isFrameClass(HostKind::Slide, L"PP1xFrameClass"));
  EXPECT_FALSE(isFrameClass(HostKind::Slide, L"XLMAIN"));
}

TEST(Tabs, SameDocumentsWhateverTheOrder) {
  EXPECT_TRUE(sameNames({L"Book2", L"Book1"}, {L"Book1", L"Book2"}));
  EXPECT_FALSE(sameNames({L"Book1"}, {L"Book1", L"Book2"}));
  EXPECT_FALSE(sameNames({L"Book1", L"Book1"}, {L"Book1", L"Book2"})) << "a tab twice is not a tab per window";
  EXPECT_FALSE(sameNames({L"book1"}, {L"Book1"}));
  EXPECT_EQ(joinNames({}), "(none)");
  EXPECT_EQ(joinNames({L"A", L"B"}), "A, B");
}

// The user's registration is read, and put back, where it was found.
TEST(Registration, LoadBehaviorFoundAndPutBack) {
  const std::wstring office = L"BrelmCheckTestHost", progId = L"brelmchecktest.Connect";
  const std::wstring path = L"Software\\Microsoft\\Office\\" + office + L"\\Addins\\" + progId;
  EXPECT_FALSE(findAddinRegistration(office, progId));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  DWORD two = 2;
  RegSetValueExW(key, L"LoadBehavior", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof two);
  RegCloseKey(key);
  std::optional<AddinRegistration> found = findAddinRegistration(office, progId);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->loadBehavior, 2u);
  EXPECT_EQ(found->where, "HKCU");
  EXPECT_TRUE(restoreLoadBehavior(office, progId, AddinRegistration{3, "HKCU"}));
  EXPECT_EQ(findAddinRegistration(office, progId)->loadBehavior, 3u);
  RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\Microsoft\\Office\\" + office + L"\\Addins").c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\Microsoft\\Office\\" + office).c_str());
}

}  // namespace
}  // namespace brelmcheck
