#pragma once
// Calls host members by name the way an add-in does, for the tests.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "common/com.h"

namespace hostsim::test {

struct Reply {
  HRESULT hr = E_FAIL;
  Variant value;
  std::wstring description;  // from EXCEPINFO
  IDispatch* object() const { return value.get().vt == VT_DISPATCH ? value.get().pdispVal : nullptr; }
  std::wstring text() const;
  long number() const;
};

VARIANT v(long n);
VARIANT v(const wchar_t* text);
VARIANT vbool(bool b);

// Arguments left to right.
Reply invoke(IDispatch* target, const wchar_t* name, WORD kind, std::vector<VARIANT> args = {});
inline Reply get(IDispatch* t, const wchar_t* n, std::vector<VARIANT> a = {}) { return invoke(t, n, DISPATCH_PROPERTYGET, std::move(a)); }
inline Reply call(IDispatch* t, const wchar_t* n, std::vector<VARIANT> a = {}) { return invoke(t, n, DISPATCH_METHOD, std::move(a)); }
inline Reply put(IDispatch* t, const wchar_t* n, VARIANT value) { return invoke(t, n, DISPATCH_PROPERTYPUT, {value}); }

// Pumps the thread's messages until none is left.
void pumpIdle();

}  // namespace hostsim::test
