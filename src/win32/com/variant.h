#pragma once
// VARIANT and BSTR that clean up after themselves.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace brelm::win32 {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text);
  ~Bstr() { reset(); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : s_(other.release()) {}
  Bstr& operator=(Bstr&& other) noexcept;

  BSTR get() const { return s_; }
  BSTR* out() {
    reset();
    return &s_;
  }
  BSTR release() {
    BSTR s = s_;
    s_ = nullptr;
    return s;
  }
  void reset();
  std::wstring str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

 private:
  BSTR s_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;

  static Variant fromInt(long value);
  static Variant fromDouble(double value);
  static Variant fromBool(bool value);
  static Variant fromString(std::wstring_view text);
  static Variant fromDispatch(IDispatch* object);
  // An optional argument the caller leaves out.
  static Variant missing();

  VARTYPE type() const { return V_VT(&v_); }
  const VARIANT& get() const { return v_; }
  VARIANT* out() {
    VariantClear(&v_);
    return &v_;
  }
  // Takes ownership of a VARIANT (its contents are moved, `from` becomes empty).
  void attach(VARIANT& from);

  // Conversions; each returns false when the value cannot be converted.
  bool toLong(long& out) const;
  bool toLongLong(long long& out) const;
  bool toDouble(double& out) const;
  bool toBool(bool& out) const;
  bool toString(std::wstring& out) const;
  // The object held (AddRef'ed), or nullptr for none.
  IDispatch* toDispatch() const;
  // The same, but a value that holds an IDispatch gives up its own reference
  // and is left empty: no AddRef or QueryInterface on the host's object for
  // a result only passed on.
  IDispatch* takeDispatch();

 private:
  VARIANT v_;
};

}  // namespace brelm::win32
