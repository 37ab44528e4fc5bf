#include "dispatch_call.h"

namespace testaddin {

std::wstring Result::text() const {
  VARIANT s;
  VariantInit(&s);
  std::wstring out;
  if (SUCCEEDED(VariantChangeType(&s, const_cast<VARIANT*>(&value), 0, VT_BSTR)) && s.bstrVal)
    out.assign(s.bstrVal, SysStringLen(s.bstrVal));
  VariantClear(&s);
  return out;
}

long Result::number() const {
  VARIANT n;
  VariantInit(&n);
  long out = 0;
  if (SUCCEEDED(VariantChangeType(&n, const_cast<VARIANT*>(&value), 0, VT_I4))) out = n.lVal;
  return out;
}

ComPtr<IDispatch> Result::object() const {
  ComPtr<IDispatch> out;
  if (value.vt == VT_DISPATCH) out = value.pdispVal;
  return out;
}

VARIANT arg(long value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT arg(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

VARIANT argBool(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

void call(IDispatch* target, const wchar_t* name, WORD kind, std::vector<VARIANT> args, Result& out) {
  VariantClear(&out.value);
  out.hr = E_POINTER;
  if (target) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(out.hr)) {
      std::vector<VARIANT> reversed(args.rbegin(), args.rend());
      DISPID put = DISPID_PROPERTYPUT;
      DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
      if (kind == DISPATCH_PROPERTYPUT) params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
      out.hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                              kind == DISPATCH_PROPERTYPUT ? nullptr : &out.value, nullptr, nullptr);
    }
  }
  for (VARIANT& v : args) VariantClear(&v);
}

}  // namespace testaddin
