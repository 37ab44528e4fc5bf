#include "objects/args.h"

#include <cstdio>

#include "common/com.h"
#include "common/text.h"

namespace hostsim {

Args::Args(const DISPPARAMS* params, bool isPut) {
  if (!params) return;
  UINT named = params->cNamedArgs;
  // Named arguments come first in rgvarg; only DISPID_PROPERTYPUT is expected.
  for (UINT i = 0; i < named; ++i)
    if (params->rgdispidNamedArgs && params->rgdispidNamedArgs[i] == DISPID_PROPERTYPUT)
      value_ = &params->rgvarg[i];
  for (UINT i = params->cArgs; i > named; --i) positional_.push_back(&params->rgvarg[i - 1]);
  if (isPut && !value_ && !positional_.empty()) {
    value_ = positional_.back();
    positional_.pop_back();
  }
}

bool Args::has(size_t i) const {
  if (i >= positional_.size()) return false;
  const VARIANT& v = *positional_[i];
  if (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND) return false;
  return v.vt != VT_EMPTY;
}

const VARIANT& Args::value() const {
  if (!value_) throw HostFault(DISP_E_PARAMNOTFOUND, "no value assigned");
  return *value_;
}

long Args::toLong(size_t i) const {
  if (!has(i)) throw HostFault(DISP_E_PARAMNOTFOUND, "argument missing");
  return convertLong(*positional_[i]);
}

double Args::toDouble(size_t i) const {
  if (!has(i)) throw HostFault(DISP_E_PARAMNOTFOUND, "argument missing");
  return convertDouble(*positional_[i]);
}

bool Args::toBool(size_t i) const {
  if (!has(i)) throw HostFault(DISP_E_PARAMNOTFOUND, "argument missing");
  return convertBool(*positional_[i]);
}

std::wstring Args::toString(size_t i) const {
  if (!has(i)) throw HostFault(DISP_E_PARAMNOTFOUND, "argument missing");
  return convertString(*positional_[i]);
}

namespace {
Variant convert(const VARIANT& v, VARTYPE vt) {
  Variant out;
  HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(&v), 0, vt);
  if (FAILED(hr)) throw HostFault(DISP_E_TYPEMISMATCH, "Type mismatch");
  return out;
}
}  // namespace

long Args::convertLong(const VARIANT& v) { return convert(v, VT_I4).get().lVal; }
double Args::convertDouble(const VARIANT& v) { return convert(v, VT_R8).get().dblVal; }
bool Args::convertBool(const VARIANT& v) { return convert(v, VT_BOOL).get().boolVal != VARIANT_FALSE; }

std::wstring Args::convertString(const VARIANT& v) {
  Variant s = convert(v, VT_BSTR);
  BSTR b = s.get().bstrVal;
  return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}

std::string Args::describeValue(const VARIANT& v) {
  VARTYPE vt = static_cast<VARTYPE>(v.vt & ~VT_BYREF);
  if (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND) return "-";
  if (vt == VT_DISPATCH || vt == VT_UNKNOWN) return "<object>";
  if (vt == VT_BOOL) return convertBool(v) ? "True" : "False";
  if (vt == VT_BSTR) return "\"" + narrow(convertString(v)) + "\"";
  try {
    return narrow(convertString(v));
  } catch (const HostFault&) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "<vt %u>", static_cast<unsigned>(v.vt));
    return buf;
  }
}

std::string Args::describe() const {
  if (positional_.empty()) return {};
  std::string out = "(";
  for (size_t i = 0; i < positional_.size(); ++i) {
    if (i) out += ", ";
    out += describeValue(*positional_[i]);
  }
  return out + ")";
}

}  // namespace hostsim
