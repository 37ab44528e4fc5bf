// The late-binding helper against a hand-made automation object.
#include <gtest/gtest.h>

#include "com/dispatch.h"
#include "fake_dispatch.h"

namespace brelm::win32::test {
namespace {

constexpr GUID kSomeType = {0x1a2b3c4d, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST(Dispatch, ReadsWritesAndCallsByName) {
  auto app = FakeObject::make();
  app->set(L"Version", Variant::fromString(L"14.0"));
  app->set(L"Visible", Variant::fromBool(false));
  app->method(L"Activate", [](std::vector<Variant>&, Variant&, EXCEPINFO*) { return S_OK; });
  DispatchObject d(app, nullptr);

  EXPECT_EQ(d.getString(L"Version"), L"14.0");
  d.put(L"Visible", Variant::fromBool(true));
  EXPECT_TRUE(d.getBool(L"visible")) << "names are case-insensitive";
  d.call(L"Activate");
  EXPECT_EQ(app->count(L"put visible"), 1);
  EXPECT_EQ(app->count(L"call activate"), 1);
}

TEST(Dispatch, PassesArgumentsFirstToLastAndLeavesOutMissingOnes) {
  auto bar = FakeObject::make();
  std::vector<std::wstring> seen;
  bar->method(L"Add", [&](std::vector<Variant>& args, Variant& result, EXCEPINFO*) {
    for (const Variant& a : args) {
      if (a.type() == VT_ERROR && V_ERROR(&a.get()) == DISP_E_PARAMNOTFOUND) {
        seen.push_back(L"missing");
      } else {
        std::wstring s;
        a.toString(s);
        seen.push_back(s);
      }
    }
    result = Variant::fromInt(7);
    return S_OK;
  });
  DispatchObject d(bar, nullptr);
  const Variant r = d.call(L"Add", {Variant::fromInt(1), Variant::fromInt(2), Variant::missing(),
                                    Variant::fromBool(true)});
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"1", L"2", L"missing", L"-1"}));
  long n = 0;
  ASSERT_TRUE(r.toLong(n));
  EXPECT_EQ(n, 7);
}

TEST(Dispatch, AnArgumentListTooLongIsRefusedNotOverrun) {
  auto bar = FakeObject::make();
  int calls = 0;
  bar->method(L"Add", [&](std::vector<Variant>&, Variant&, EXCEPINFO*) {
    ++calls;
    return S_OK;
  });
  DispatchObject d(bar, nullptr);
  const Variant one = Variant::fromInt(1);
  EXPECT_NO_THROW(d.call(L"Add", {one, one, one, one, one, one, one, one}));
  EXPECT_THROW(d.call(L"Add", {one, one, one, one, one, one, one, one, one}), HostError);
  EXPECT_EQ(calls, 1);
}

TEST(Dispatch, AnObjectTakenFromAValueKeepsItsOneReference) {
  auto object = FakeObject::make();
  const ULONG before = object->refs();
  {
    Variant value = Variant::fromDispatch(object.Get());
    ComPtr<IDispatch> taken;
    taken = adopt(value.takeDispatch());
    EXPECT_EQ(taken.Get(), object.Get());
    EXPECT_EQ(object->refs(), before + 1);
    EXPECT_EQ(value.toDispatch(), nullptr) << "the value gave its reference up";
  }
  EXPECT_EQ(object->refs(), before);
}

TEST(Dispatch, LooksUpEachNameOncePerObjectType) {
  auto cache = std::make_shared<DispidCache>();
  auto first = FakeObject::make(kSomeType);
  auto second = FakeObject::make(kSomeType);
  for (auto& o : {first, second}) o->set(L"Caption", Variant::fromString(L"Book1"));
  DispatchObject a(first, cache), b(second, cache);
  a.getString(L"Caption");
  a.getString(L"Caption");
  b.getString(L"CAPTION");
  EXPECT_EQ(first->nameLookups(), 1);
  EXPECT_EQ(second->nameLookups(), 0) << "same type: the cached DISPID serves";

  // An object that does not tell its type keeps its own cache.
  auto untyped = FakeObject::make();
  untyped->set(L"Caption", Variant::fromString(L"x"));
  DispatchObject c(untyped, cache);
  c.getString(L"Caption");
  c.getString(L"Caption");
  EXPECT_EQ(untyped->nameLookups(), 1);

  // Names longer than the lookup's own buffer are cached the same way.
  const std::wstring longName(70, L'Q');
  std::wstring mixedCase = longName;
  mixedCase[3] = L'q';
  first->set(longName.c_str(), Variant::fromString(L"long"));
  EXPECT_EQ(a.getString(longName.c_str()), L"long");
  EXPECT_EQ(a.getString(mixedCase.c_str()), L"long");
  EXPECT_EQ(first->nameLookups(), 2);
}

TEST(Dispatch, HostErrorsCarryTheHresultAndTheHostsText) {
  auto app = FakeObject::make();
  app->method(L"Save", [](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    return raise(info, 0x800A03EC, L"Cannot access the file.");
  });
  app->method(L"Calculate", [](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    return raise(info, static_cast<HRESULT>(0x800AC472), nullptr);
  });
  app->method(L"Refresh", [](std::vector<Variant>&, Variant&, EXCEPINFO*) {
    return RPC_E_CALL_REJECTED;
  });
  DispatchObject d(app, nullptr);
  try {
    d.call(L"Save");
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_EQ(static_cast<std::uint32_t>(e.hr()), 0x800A03ECu);
    EXPECT_NE(std::string(e.what()).find("Cannot access the file."), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Save"), std::string::npos) << e.what();
    EXPECT_FALSE(e.busy());
  }
  try {
    d.call(L"Calculate");
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_TRUE(e.busy()) << std::hex << e.hr();
    EXPECT_NE(std::string(e.what()).find("800AC472"), std::string::npos) << e.what();
  }
  try {
    d.call(L"Refresh");
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_TRUE(e.busy()) << std::hex << e.hr();
  }
  EXPECT_THROW(d.get(L"NoSuchMember"), HostError);
}

TEST(Dispatch, DeferredErrorTextIsFetchedAndItsStringsFreed) {
  auto app = FakeObject::make();
  app->method(L"Quit", [](std::vector<Variant>&, Variant&, EXCEPINFO* info) {
    return raiseLater(info, E_ACCESSDENIED);
  });
  DispatchObject d(app, nullptr);
  for (int round = 0; round < 2; ++round) {  // the first call also looks the name up
    TaskMemoryLedger ledger;
    ASSERT_TRUE(ledger.counting());
    std::string text;
    std::int32_t code = 0;
    try {
      d.call(L"Quit");
    } catch (const HostError& e) {
      text = e.what();
      code = e.hr();
    }
    EXPECT_EQ(code, static_cast<std::int32_t>(E_ACCESSDENIED));
    EXPECT_NE(text.find("Filled in later"), std::string::npos) << text;
    EXPECT_EQ(ledger.allocated(), 3) << "source, description, help file";
    EXPECT_EQ(ledger.freed(), ledger.allocated()) << "every string the host filled in is freed";
  }
}

TEST(Dispatch, ObjectResultsAreWrappedAndNothingIsAnError) {
  auto app = FakeObject::make();
  auto windows = FakeObject::make();
  windows->set(L"Count", Variant::fromInt(3));
  app->setObject(L"Windows", windows);
  app->set(L"ActiveWindow", Variant::fromDispatch(nullptr));
  DispatchObject d(app, nullptr);
  EXPECT_EQ(d.getObject(L"Windows").getLong(L"Count"), 3);
  EXPECT_THROW(d.getObject(L"ActiveWindow"), HostError);
}

TEST(Dispatch, ReleasesEveryReferenceItTook) {
  auto app = FakeObject::make();
  auto windows = FakeObject::make();
  app->setObject(L"Windows", windows);
  const ULONG before = windows->refs();
  {
    DispatchObject d(app, nullptr);
    DispatchObject w = d.getObject(L"Windows");
    EXPECT_GT(windows->refs(), before);
  }
  EXPECT_EQ(windows->refs(), before);
  EXPECT_EQ(app->refs(), 1u);
}

TEST(Variant, ConvertsAndOwnsItsContents) {
  Variant s = Variant::fromString(L"12.5");
  double d = 0;
  ASSERT_TRUE(s.toDouble(d));
  EXPECT_DOUBLE_EQ(d, 12.5);
  Variant copy = s;
  std::wstring t;
  ASSERT_TRUE(copy.toString(t));
  EXPECT_EQ(t, L"12.5");
  Variant moved = std::move(copy);
  EXPECT_EQ(copy.type(), VT_EMPTY);
  EXPECT_EQ(moved.type(), VT_BSTR);
  bool b = true;
  EXPECT_TRUE(Variant::fromInt(0).toBool(b));
  EXPECT_FALSE(b);
  long n = 0;
  EXPECT_FALSE(Variant::fromString(L"not a number").toLong(n));
}

}  // namespace
}  // namespace brelm::win32::test
