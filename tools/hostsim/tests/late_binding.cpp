#include "tests/late_binding.h"

namespace hostsim::test {

std::wstring Reply::text() const {
  Variant s;
  if (FAILED(VariantChangeType(&s, const_cast<VARIANT*>(&value.get()), 0, VT_BSTR)) || !s.get().bstrVal) return L"<none>";
  return std::wstring(s.get().bstrVal, SysStringLen(s.get().bstrVal));
}

long Reply::number() const {
  Variant n;
  if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&value.get()), 0, VT_I4))) return -12345;
  return n.get().lVal;
}

VARIANT v(long n) {
  VARIANT x;
  VariantInit(&x);
  x.vt = VT_I4;
  x.lVal = n;
  return x;
}

VARIANT v(const wchar_t* text) {
  VARIANT x;
  VariantInit(&x);
  x.vt = VT_BSTR;
  x.bstrVal = SysAllocString(text);
  return x;
}

VARIANT vbool(bool b) {
  VARIANT x;
  VariantInit(&x);
  x.vt = VT_BOOL;
  x.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  return x;
}

Reply invoke(IDispatch* target, const wchar_t* name, WORD kind, std::vector<VARIANT> args) {
  Reply r;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  r.hr = target ? target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) : E_POINTER;
  if (SUCCEEDED(r.hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) params.rgdispidNamedArgs = &putId, params.cNamedArgs = 1;
    EXCEPINFO excep{};
    r.hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &r.value, &excep, nullptr);
    if (excep.bstrDescription) r.description.assign(excep.bstrDescription, SysStringLen(excep.bstrDescription));
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
  }
  for (VARIANT& a : args) VariantClear(&a);
  return r;
}

void pumpIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace hostsim::test
