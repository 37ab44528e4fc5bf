#pragma once
// Late-bound calls into a host's object model across processes: members by
// name through IDispatch, failures as exceptions carrying the host's own
// description, so a check can say exactly which call failed and why.
#include <windows.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "common/com.h"

namespace brelmcheck {

using hostsim::ComPtr;
using hostsim::Variant;

class AutomationError : public std::runtime_error {
 public:
  AutomationError(HRESULT hr, const std::string& what) : std::runtime_error(what), hr_(hr) {}
  HRESULT hr() const { return hr_; }

 private:
  HRESULT hr_;
};

Variant arg(long n);
Variant arg(const std::wstring& text);
Variant argBool(bool b);
Variant argNumber(double n);

// One object of the host, and the path that reached it ("Application.Windows")
// for messages.
class Obj {
 public:
  Obj() = default;
  Obj(ComPtr<IDispatch> object, std::string path) : object_(std::move(object)), path_(std::move(path)) {}

  explicit operator bool() const { return object_ != nullptr; }
  IDispatch* raw() const { return object_.Get(); }
  const std::string& path() const { return path_; }

  // Each throws AutomationError when the call fails.
  Obj object(const wchar_t* name, std::vector<Variant> args = {}) const;
  Variant value(const wchar_t* name, std::vector<Variant> args = {}) const;
  std::wstring text(const wchar_t* name) const;
  long number(const wchar_t* name) const;
  bool truth(const wchar_t* name) const;
  void put(const wchar_t* name, Variant value) const;
  Variant call(const wchar_t* name, std::vector<Variant> args = {}) const;
  // As `call`, but the result is an object.
  Obj callObject(const wchar_t* name, std::vector<Variant> args = {}) const;

  // The raw outcome, for callers that expect failure as an answer.
  HRESULT invoke(const wchar_t* name, WORD kind, std::vector<Variant>& args, Variant& result,
                 std::wstring* description = nullptr) const;

 private:
  Variant invokeOrThrow(const wchar_t* name, WORD kind, std::vector<Variant> args) const;
  ComPtr<IDispatch> object_;
  std::string path_;
};

// Text of any simple value (numbers, booleans, strings); empty for others.
std::wstring textOf(const VARIANT& v);
// "0x800A03EC" and, where Windows knows one, its message.
std::string describeHresult(HRESULT hr);

// Retries calls the host rejects while it is busy (a dialog open, a cell
// being edited) instead of failing them at once; installed for the thread's
// lifetime.
class BusyRetry {
 public:
  explicit BusyRetry(DWORD giveUpAfterMs);
  ~BusyRetry();
  BusyRetry(const BusyRetry&) = delete;
  BusyRetry& operator=(const BusyRetry&) = delete;

 private:
  IMessageFilter* filter_ = nullptr;
  IMessageFilter* previous_ = nullptr;
};

}  // namespace brelmcheck
