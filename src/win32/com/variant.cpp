#include "com/variant.h"

#include <utility>

namespace brelm::win32 {

Bstr::Bstr(std::wstring_view text)
    : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    reset();
    s_ = other.release();
  }
  return *this;
}

void Bstr::reset() {
  if (s_) SysFreeString(s_);
  s_ = nullptr;
}

Variant::Variant(const Variant& other) {
  VariantInit(&v_);
  VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    VariantClear(&v_);
    VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
  }
  return *this;
}

Variant::Variant(Variant&& other) noexcept {
  v_ = other.v_;
  VariantInit(&other.v_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

void Variant::attach(VARIANT& from) {
  VariantClear(&v_);
  v_ = from;
  VariantInit(&from);
}

Variant Variant::fromInt(long value) {
  Variant v;
  V_VT(&v.v_) = VT_I4;
  V_I4(&v.v_) = value;
  return v;
}

Variant Variant::fromDouble(double value) {
  Variant v;
  V_VT(&v.v_) = VT_R8;
  V_R8(&v.v_) = value;
  return v;
}

Variant Variant::fromBool(bool value) {
  Variant v;
  V_VT(&v.v_) = VT_BOOL;
  V_BOOL(&v.v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::fromString(std::wstring_view text) {
  Variant v;
  V_VT(&v.v_) = VT_BSTR;
  V_BSTR(&v.v_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

Variant Variant::fromDispatch(IDispatch* object) {
  Variant v;
  V_VT(&v.v_) = VT_DISPATCH;
  V_DISPATCH(&v.v_) = object;
  if (object) object->AddRef();
  return v;
}

Variant Variant::missing() {
  Variant v;
  V_VT(&v.v_) = VT_ERROR;
  V_ERROR(&v.v_) = DISP_E_PARAMNOTFOUND;
  return v;
}

namespace {

bool convert(const VARIANT& from, VARTYPE to, VARIANT& out) {
  VariantInit(&out);
  // VARIANT_ALPHABOOL off: "True" is not a number; locale-neutral parsing of strings.
  return SUCCEEDED(VariantChangeTypeEx(&out, const_cast<VARIANT*>(&from), LOCALE_INVARIANT, 0, to));
}

}  // namespace

bool Variant::toLong(long& out) const {
  VARIANT tmp;
  if (!convert(v_, VT_I4, tmp)) return false;
  out = V_I4(&tmp);
  return true;
}

bool Variant::toLongLong(long long& out) const {
  VARIANT tmp;
  if (!convert(v_, VT_I8, tmp)) return false;
  out = V_I8(&tmp);
  return true;
}

bool Variant::toDouble(double& out) const {
  VARIANT tmp;
  if (!convert(v_, VT_R8, tmp)) return false;
  out = V_R8(&tmp);
  return true;
}

bool Variant::toBool(bool& out) const {
  VARIANT tmp;
  if (!convert(v_, VT_BOOL, tmp)) return false;
  out = V_BOOL(&tmp) != VARIANT_FALSE;
  return true;
}

bool Variant::toString(std::wstring& out) const {
  // Captions and names come as strings already: no copy through the converter.
  if (V_VT(&v_) == VT_BSTR) {
    out.assign(V_BSTR(&v_) ? V_BSTR(&v_) : L"", V_BSTR(&v_) ? SysStringLen(V_BSTR(&v_)) : 0);
    return true;
  }
  VARIANT tmp;
  if (!convert(v_, VT_BSTR, tmp)) return false;
  out.assign(V_BSTR(&tmp) ? V_BSTR(&tmp) : L"", V_BSTR(&tmp) ? SysStringLen(V_BSTR(&tmp)) : 0);
  VariantClear(&tmp);
  return true;
}

IDispatch* Variant::takeDispatch() {
  if (V_VT(&v_) != VT_DISPATCH) return toDispatch();
  IDispatch* dispatch = V_DISPATCH(&v_);
  V_VT(&v_) = VT_EMPTY;
  return dispatch;
}

IDispatch* Variant::toDispatch() const {
  const VARIANT* v = &v_;
  if (V_VT(v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(v)) v = V_VARIANTREF(v);
  IUnknown* unknown = nullptr;
  switch (V_VT(v)) {
    case VT_DISPATCH: unknown = V_DISPATCH(v); break;
    case VT_UNKNOWN: unknown = V_UNKNOWN(v); break;
    case VT_DISPATCH | VT_BYREF: unknown = V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr; break;
    case VT_UNKNOWN | VT_BYREF: unknown = V_UNKNOWNREF(v) ? *V_UNKNOWNREF(v) : nullptr; break;
    default: return nullptr;
  }
  if (!unknown) return nullptr;
  IDispatch* dispatch = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    return nullptr;
  return dispatch;
}

}  // namespace brelm::win32
