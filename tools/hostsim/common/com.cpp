#include "common/com.h"

#include <cstdio>

namespace hostsim {

void setLong(VARIANT* out, long value) {
  if (!out) return;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
}

void setDouble(VARIANT* out, double value) {
  if (!out) return;
  VariantInit(out);
  out->vt = VT_R8;
  out->dblVal = value;
}

void setBool(VARIANT* out, bool value) {
  if (!out) return;
  VariantInit(out);
  out->vt = VT_BOOL;
  out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void setString(VARIANT* out, const std::wstring& value) {
  if (!out) return;
  VariantInit(out);
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  if (!out->bstrVal) throw HostFault(E_OUTOFMEMORY, "out of memory");
}

void setObject(VARIANT* out, IDispatch* value) {
  if (!out) return;
  VariantInit(out);
  out->vt = VT_DISPATCH;
  out->pdispVal = value;
  if (value) value->AddRef();
}

std::string hresultText(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

}  // namespace hostsim
