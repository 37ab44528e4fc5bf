#pragma once
// COM plumbing shared by every subsystem: smart pointers, an owning VARIANT,
// and the fault a host member raises (turned into DISP_E_EXCEPTION at the
// IDispatch boundary).
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace hostsim {

using Microsoft::WRL::ComPtr;

// Objects start with one reference; this adopts it. (MinGW's ComPtr::Attach
// adds a reference of its own, so it cannot be used to adopt one.)
template <class T, class... A>
ComPtr<T> makeCom(A&&... args) {
  T* raw = new T(std::forward<A>(args)...);
  ComPtr<T> p(raw);
  raw->Release();
  return p;
}

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
  Variant& operator=(Variant&& o) noexcept {
    if (this != std::addressof(o)) {
      VariantClear(&v_);
      v_ = o.v_;
      VariantInit(&o.v_);
    }
    return *this;
  }

  VARIANT* operator&() { return &v_; }
  VARIANT& get() { return v_; }
  const VARIANT& get() const { return v_; }
  VARIANT release() {
    VARIANT r = v_;
    VariantInit(&v_);
    return r;
  }

 private:
  VARIANT v_;
};

// A host member failed: reported to the caller with this HRESULT and text.
class HostFault : public std::runtime_error {
 public:
  HostFault(HRESULT hr, const std::string& message) : std::runtime_error(message), hr_(hr) {}
  HRESULT hr() const { return hr_; }

 private:
  HRESULT hr_;
};

// Result setters for IDispatch::Invoke; each tolerates a null result.
void setLong(VARIANT* out, long value);
void setDouble(VARIANT* out, double value);
void setBool(VARIANT* out, bool value);
void setString(VARIANT* out, const std::wstring& value);
void setObject(VARIANT* out, IDispatch* value);

std::string hresultText(HRESULT hr);

}  // namespace hostsim
