// Registration into scratch keys standing for the classes, user and machine
// roots, and the registry reader. Everything happens below one test key that
// is removed afterwards.
#include <gtest/gtest.h>

#include "com/registration.h"
#include "failing_allocations.h"
#include "system/reg_key.h"
#include "system/registry_reader.h"

namespace brelm::win32::test {
namespace {

const std::wstring kScratch = L"Software\\BrelmTests";

std::wstring readString(HKEY root, const std::wstring& key, const wchar_t* name) {
  RegKey k;
  if (k.open(root, key, KEY_READ) != ERROR_SUCCESS) return L"<no key>";
  wchar_t buf[512] = {};
  DWORD size = sizeof buf, type = 0;
  if (RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
      ERROR_SUCCESS)
    return L"<no value>";
  return type == REG_SZ ? std::wstring(buf) : L"<not a string>";
}

DWORD readDword(HKEY root, const std::wstring& key, const wchar_t* name) {
  RegKey k;
  DWORD value = 0, size = sizeof value, type = 0;
  if (k.open(root, key, KEY_READ) != ERROR_SUCCESS ||
      RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS || type != REG_DWORD)
    return 0xFFFFFFFF;
  return value;
}

bool exists(HKEY root, const std::wstring& key) {
  RegKey k;
  return k.open(root, key, KEY_READ) == ERROR_SUCCESS;
}

DWORD subKeyCount(HKEY key) {
  DWORD n = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  return n;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    deleteKeyTree(HKEY_CURRENT_USER, kScratch);
    ASSERT_EQ(classes_.create(HKEY_CURRENT_USER, kScratch + L"\\classes"), ERROR_SUCCESS);
    ASSERT_EQ(user_.create(HKEY_CURRENT_USER, kScratch + L"\\user"), ERROR_SUCCESS);
    ASSERT_EQ(machine_.create(HKEY_CURRENT_USER, kScratch + L"\\machine"), ERROR_SUCCESS);
  }
  void TearDown() override {
    classes_.reset();
    user_.reset();
    machine_.reset();
    deleteKeyTree(HKEY_CURRENT_USER, kScratch);
  }
  RegistrationRoots roots() const { return {classes_.get(), user_.get(), machine_.get()}; }

  RegKey classes_, user_, machine_;
};

TEST_F(Registration, WritesTheClassAndBothAddinEntries) {
  const AddinIdentity& id = sheetIdentity();
  ASSERT_EQ(registerAddin(id, L"C:\\Brelm\\BrelmSheet.dll", roots()), S_OK);
  const std::wstring clsid = L"CLSID\\{92892CAD-BEBB-4672-AB77-EB5B5CE965E3}";
  EXPECT_EQ(readString(classes_.get(), clsid + L"\\InprocServer32", nullptr),
            L"C:\\Brelm\\BrelmSheet.dll");
  EXPECT_EQ(readString(classes_.get(), clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(readString(classes_.get(), clsid + L"\\ProgID", nullptr), L"quorvanesheet.Connect");
  EXPECT_EQ(readString(classes_.get(), L"quorvanesheet.Connect\\CLSID", nullptr),
            L"{92892CAD-BEBB-4672-AB77-EB5B5CE965E3}");

  const std::wstring entry = L"Software\\Microsoft\\Office\\Excel\\Addins\\quorvanesheet.Connect";
  EXPECT_EQ(readString(user_.get(), entry, L"FriendlyName"), L"BrelmSheet");
  EXPECT_EQ(readString(user_.get(), entry, L"Description"), L"BrelmSheet");
  EXPECT_EQ(readDword(user_.get(), entry, L"LoadBehavior"), 3u);
  EXPECT_EQ(readString(machine_.get(), entry, L"FriendlyName"), L"Brelmsheet");
  EXPECT_EQ(readString(machine_.get(), entry, L"Description"), L"Brelmsheet");
  EXPECT_EQ(readDword(machine_.get(), entry, L"LoadBehavior"), 3u);
}

TEST_F(Registration, PresentationEntriesHaveTheirOwnNames) {
  const AddinIdentity& id = slideIdentity();
  ASSERT_EQ(registerAddin(id, L"C:\\Brelm\\BrelmSlide.dll", roots()), S_OK);
  const std::wstring user = L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\quorvaneslide.Connect";
  EXPECT_EQ(readString(user_.get(), user, L"FriendlyName"), L"Brelmslide");
  EXPECT_EQ(readString(user_.get(), user, L"Description"), L"Brelm Slide");
  EXPECT_EQ(readString(machine_.get(), user, L"Description"), L"Brelmslide");
  EXPECT_EQ(readString(classes_.get(), L"quorvaneslide.Connect\\CLSID", nullptr),
            L"{1D5F8DE7-8C02-47BB-8CA2-D7A7F9BFB735}");
}

TEST_F(Registration, UnregisteringRemovesExactlyWhatWasWritten) {
  // Other classes stay, and so does the CLSID key holding them.
  RegKey other;
  ASSERT_EQ(other.create(classes_.get(), L"CLSID\\{00000000-0000-0000-0000-000000000001}"),
            ERROR_SUCCESS);
  other.reset();
  // Something of the user's own already under the Office key stays.
  RegKey own;
  ASSERT_EQ(own.create(user_.get(), L"Software\\Microsoft\\Office\\Excel\\Options"), ERROR_SUCCESS);
  own.reset();
  ASSERT_EQ(registerAddin(sheetIdentity(), L"x.dll", roots()), S_OK);
  ASSERT_EQ(registerAddin(slideIdentity(), L"y.dll", roots()), S_OK);
  ASSERT_EQ(unregisterAddin(sheetIdentity(), roots()), S_OK);
  EXPECT_TRUE(exists(classes_.get(), L"quorvaneslide.Connect")) << "the other library stays";
  ASSERT_EQ(unregisterAddin(slideIdentity(), roots()), S_OK);

  RegKey clsids;
  ASSERT_EQ(clsids.open(classes_.get(), L"CLSID", KEY_READ), ERROR_SUCCESS);
  EXPECT_EQ(subKeyCount(clsids.get()), 1u);
  EXPECT_EQ(subKeyCount(classes_.get()), 1u);
  EXPECT_TRUE(exists(user_.get(), L"Software\\Microsoft\\Office\\Excel\\Options"));
  EXPECT_FALSE(exists(user_.get(), L"Software\\Microsoft\\Office\\Excel\\Addins"));
  EXPECT_FALSE(exists(user_.get(), L"Software\\Microsoft\\Office\\PowerPoint"));
  EXPECT_TRUE(exists(machine_.get(), L"Software\\Microsoft")) << "never above the Office key";
  EXPECT_FALSE(exists(machine_.get(), L"Software\\Microsoft\\Office"));
  EXPECT_EQ(unregisterAddin(sheetIdentity(), roots()), S_OK) << "twice is no error";
}

TEST_F(Registration, AMachineRootThatCannotBeWrittenIsSkipped) {
  const RegistrationRoots limited{classes_.get(), user_.get(), nullptr};
  ASSERT_EQ(registerAddin(sheetIdentity(), L"x.dll", limited), S_OK);
  EXPECT_EQ(readDword(user_.get(), L"Software\\Microsoft\\Office\\Excel\\Addins\\quorvanesheet.Connect",
                      L"LoadBehavior"),
            3u);
  EXPECT_EQ(subKeyCount(machine_.get()), 0u);
  EXPECT_EQ(unregisterAddin(sheetIdentity(), limited), S_OK);
  EXPECT_FALSE(exists(user_.get(), L"Software\\Microsoft\\Office"));
  EXPECT_EQ(subKeyCount(classes_.get()), 0u) << "a CLSID key left empty goes too";
}

TEST_F(Registration, ClassesThatCannotBeWrittenFailTheRegistration) {
  const RegistrationRoots limited{nullptr, user_.get(), machine_.get()};
  EXPECT_TRUE(FAILED(registerAddin(sheetIdentity(), L"x.dll", limited)));
  EXPECT_EQ(subKeyCount(user_.get()), 0u) << "nothing is left half written";
  EXPECT_EQ(subKeyCount(machine_.get()), 0u);
}

// Registration into the system's own roots, as regsvr32 makes the library
// do it, for a class of the tests' own: its entries live below
// "Software\BrelmTests" of both roots, removed afterwards.
const AddinIdentity& scratchIdentity() {
  static const AddinIdentity identity{
      {0x5d0c4a51, 0x7b7e, 0x4d55, {0x9c, 0x31, 0x2f, 0x6a, 0x0e, 0x41, 0x8b, 0x17}},
      L"BrelmTests.Connect",
      L"BrelmTests Connect",
      {kScratch + L"\\Office\\Addins\\BrelmTests.Connect", L"User", L"User", 3},
      {kScratch + L"\\Office\\Addins\\BrelmTests.Connect", L"Machine", L"Machine", 3},
  };
  return identity;
}

class SystemRegistration : public ::testing::Test {
 protected:
  void SetUp() override { clean(); }
  void TearDown() override { clean(); }
  static void clean() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      deleteKeyTree(root, kScratch);
      deleteKeyTree(root, L"Software\\Classes\\BrelmTests.Connect");
      deleteKeyTree(root, L"Software\\Classes\\CLSID\\" + guidString(scratchIdentity().clsid));
    }
  }
  static std::wstring classKey() {
    return L"Software\\Classes\\CLSID\\" + guidString(scratchIdentity().clsid) + L"\\InprocServer32";
  }
  static std::wstring entry() { return scratchIdentity().userEntry.key; }
};

TEST_F(SystemRegistration, PerUserWritesTheUsersKeysOnly) {
  // Also from a process that may write the machine's keys (an administrator's
  // prompt; any process under Wine): a machine-wide entry would name a class
  // only this user has.
  ASSERT_EQ(registerIn(scratchIdentity(), Scope::User), S_OK);
  EXPECT_NE(readString(HKEY_CURRENT_USER, classKey(), nullptr), L"<no key>");
  EXPECT_EQ(readDword(HKEY_CURRENT_USER, entry(), L"LoadBehavior"), 3u);
  EXPECT_EQ(readString(HKEY_CURRENT_USER, entry(), L"FriendlyName"), L"User");
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, kScratch)) << "no machine-wide add-in entry";
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, classKey()));
  ASSERT_EQ(unregisterIn(scratchIdentity(), Scope::User), S_OK);
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, classKey()));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, entry()));
}

TEST_F(SystemRegistration, MachineWideWritesTheClassAndBothEntries) {
  ASSERT_EQ(registerIn(scratchIdentity(), Scope::Machine), S_OK);
  EXPECT_NE(readString(HKEY_LOCAL_MACHINE, classKey(), nullptr), L"<no key>");
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, classKey()));
  EXPECT_EQ(readString(HKEY_CURRENT_USER, entry(), L"FriendlyName"), L"User");
  EXPECT_EQ(readString(HKEY_LOCAL_MACHINE, entry(), L"FriendlyName"), L"Machine");
  EXPECT_EQ(readDword(HKEY_LOCAL_MACHINE, entry(), L"LoadBehavior"), 3u);
  ASSERT_EQ(unregisterIn(scratchIdentity(), Scope::Machine), S_OK);
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, classKey()));
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, entry()));
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, entry()));
}

TEST_F(SystemRegistration, WithoutMemoryItFailsAndSaysSo) {
  for (const Scope scope : {Scope::User, Scope::Machine}) {
    HRESULT registered = S_OK, unregistered = S_OK;
    {
      FailingAllocations failing;
      registered = registerIn(scratchIdentity(), scope);
      unregistered = unregisterIn(scratchIdentity(), scope);
    }
    EXPECT_EQ(registered, E_OUTOFMEMORY);
    EXPECT_EQ(unregistered, E_OUTOFMEMORY);
  }
  EXPECT_FALSE(exists(HKEY_CURRENT_USER, kScratch));
  EXPECT_FALSE(exists(HKEY_LOCAL_MACHINE, kScratch));
}

class RegistryReading : public Registration {};

TEST_F(RegistryReading, ReadsEachTypeAsStored) {
  RegKey k;
  ASSERT_EQ(k.create(HKEY_CURRENT_USER, kScratch + L"\\Common"), ERROR_SUCCESS);
  k.setDword(L"Theme", 0xFFFFFFFE);
  k.setString(L"Name", L"\u00c9t\u00e9");
  const BYTE bytes[] = {0x00, 0xAB, 0x10};
  RegSetValueExW(k.get(), L"Blob", 0, REG_BINARY, bytes, sizeof bytes);
  const wchar_t multi[] = L"a\0bc\0";
  RegSetValueExW(k.get(), L"List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi);

  RegistryReader reader;
  const std::string key = "Software\\BrelmTests\\Common";
  RegValue v;
  ASSERT_EQ(reader.read(RegRoot::CurrentUser, key, "Theme", v), RegStatus::Ok);
  EXPECT_EQ(v.type, regtype::kDword);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  ASSERT_EQ(reader.read(RegRoot::CurrentUser, key, "Name", v), RegStatus::Ok);
  EXPECT_EQ(v.type, regtype::kSz);
  EXPECT_EQ(std::string(v.data.begin(), v.data.end()), std::string("\xc3\x89t\xc3\xa9", 5) + '\0')
      << "UTF-8, with the terminator the value has";
  ASSERT_EQ(reader.read(RegRoot::CurrentUser, key, "Blob", v), RegStatus::Ok);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{0x00, 0xAB, 0x10}));
  ASSERT_EQ(reader.read(RegRoot::CurrentUser, key, "List", v), RegStatus::Ok);
  EXPECT_EQ(std::string(v.data.begin(), v.data.end()), std::string("a\0bc\0\0", 6));

  v = RegValue{regtype::kDword, {1, 2}};
  EXPECT_EQ(reader.read(RegRoot::CurrentUser, key, "Missing", v), RegStatus::NoValue);
  EXPECT_EQ(reader.read(RegRoot::CurrentUser, key + "\\Nope", "Theme", v), RegStatus::NoKey);
  EXPECT_EQ(v.data, (std::vector<std::uint8_t>{1, 2})) << "left alone when nothing was read";
}

}  // namespace
}  // namespace brelm::win32::test
