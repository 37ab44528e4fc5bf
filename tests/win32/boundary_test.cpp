// Nothing thrown crosses from the library into the host or the system: a
// failure inside a COM method or an entry point, running out of memory
// included, comes back as an HRESULT.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "com/com_ptr.h"
#include "failing_allocations.h"
#include "ui/accessible.h"
#include "window_helpers.h"

namespace brelm::win32::test {
namespace {

// Two tabs and the arrows, as the strip window would describe them.
struct FixedSource final : AccessibleSource {
  HWND window = nullptr;
  std::vector<AccessibleItem> items;
  int queued = 0;
  HWND accessibleWindow() const override { return window; }
  std::vector<AccessibleItem> accessibleItems() const override { return items; }
  void queueDefaultAction(const AccessibleItem&) override { ++queued; }
};

AccessibleItem item(long role, const wchar_t* name, long left) {
  AccessibleItem i;
  i.role = role;
  i.name = name;
  i.rect = RECT{left, 2, left + 60, 22};
  return i;
}

VARIANT child(long id) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = id;
  return v;
}

struct Call {
  const char* name;
  std::function<HRESULT(IAccessible&, VARIANT)> run;
};

std::vector<Call> everyCall() {
  return {
      {"get_accChildCount", [](IAccessible& a, VARIANT) { long n = 0; return a.get_accChildCount(&n); }},
      {"get_accChild", [](IAccessible& a, VARIANT c) {
         IDispatch* d = nullptr;
         return a.get_accChild(c, &d);
       }},
      {"get_accName", [](IAccessible& a, VARIANT c) {
         BSTR b = nullptr;
         const HRESULT hr = a.get_accName(c, &b);
         SysFreeString(b);
         return hr;
       }},
      {"get_accValue", [](IAccessible& a, VARIANT c) {
         BSTR b = nullptr;
         return a.get_accValue(c, &b);
       }},
      {"get_accRole", [](IAccessible& a, VARIANT c) { VARIANT r; return a.get_accRole(c, &r); }},
      {"get_accState", [](IAccessible& a, VARIANT c) { VARIANT r; return a.get_accState(c, &r); }},
      {"get_accSelection", [](IAccessible& a, VARIANT) { VARIANT r; return a.get_accSelection(&r); }},
      {"get_accDefaultAction", [](IAccessible& a, VARIANT c) {
         BSTR b = nullptr;
         const HRESULT hr = a.get_accDefaultAction(c, &b);
         SysFreeString(b);
         return hr;
       }},
      {"accLocation", [](IAccessible& a, VARIANT c) {
         long x, y, w, h;
         return a.accLocation(&x, &y, &w, &h, c);
       }},
      {"accHitTest", [](IAccessible& a, VARIANT) { VARIANT r; return a.accHitTest(45, 50, &r); }},
      {"accDoDefaultAction", [](IAccessible& a, VARIANT c) { return a.accDoDefaultAction(c); }},
  };
}

TEST(Boundaries, TheAccessibleObjectAnswersWhenMemoryRunsOut) {
  HostWindow host;
  FixedSource source;
  source.window = host.get();
  source.items = {item(ROLE_SYSTEM_PAGETAB, L"First workbook.xlsx", 0),
                  item(ROLE_SYSTEM_PAGETAB, L"Second workbook.xlsx", 60),
                  item(ROLE_SYSTEM_PUSHBUTTON, L"Close First workbook.xlsx", 40)};
  ComPtr<StripAccessible> acc = adopt(new StripAccessible(&source));
  const std::vector<Call> calls = everyCall();
  for (long id : {static_cast<long>(CHILDID_SELF), 1L, 3L, 99L}) {
    for (const Call& call : calls) {
      HRESULT hr = S_OK;
      int refused = 0;
      {
        FailingAllocations failing;
        hr = call.run(*acc.Get(), child(id));
        refused = FailingAllocations::refused();
      }
      if (refused > 0) {
        EXPECT_EQ(hr, E_OUTOFMEMORY) << call.name << " of child " << id;
      }
    }
  }
  EXPECT_EQ(source.queued, 0);
  VARIANT none;
  VariantInit(&none);
  EXPECT_EQ(acc->Invoke(DISPID_VALUE, IID_IDispatch, 0, DISPATCH_METHOD, nullptr, &none, nullptr,
                        nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

}  // namespace
}  // namespace brelm::win32::test
