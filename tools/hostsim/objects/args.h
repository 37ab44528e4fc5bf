#pragma once
// The arguments of one IDispatch::Invoke, in natural (left to right) order,
// with conversions that fail the way the hosts do (type mismatch).
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace hostsim {

class Args {
 public:
  // For a property put the last positional argument is the value assigned.
  Args(const DISPPARAMS* params, bool isPut);

  size_t size() const { return positional_.size(); }
  // Present and not the "missing optional" marker.
  bool has(size_t i) const;
  long toLong(size_t i) const;
  double toDouble(size_t i) const;
  bool toBool(size_t i) const;
  std::wstring toString(size_t i) const;
  const VARIANT& raw(size_t i) const { return *positional_.at(i); }

  bool hasValue() const { return value_ != nullptr; }
  const VARIANT& value() const;
  long valueLong() const { return convertLong(value()); }
  double valueDouble() const { return convertDouble(value()); }
  bool valueBool() const { return convertBool(value()); }
  std::wstring valueString() const { return convertString(value()); }

  // For the call log: `(1, "tabPopup")`, empty when there are none.
  std::string describe() const;
  static std::string describeValue(const VARIANT& v);

 private:
  static long convertLong(const VARIANT& v);
  static double convertDouble(const VARIANT& v);
  static bool convertBool(const VARIANT& v);
  static std::wstring convertString(const VARIANT& v);

  std::vector<const VARIANT*> positional_;
  const VARIANT* value_ = nullptr;
};

}  // namespace hostsim
