#include "automation.h"

#include <atomic>
#include <cstdio>

#include "common/text.h"

namespace brelmcheck {

using hostsim::narrow;

Variant arg(long n) {
  Variant v;
  v.get().vt = VT_I4;
  v.get().lVal = n;
  return v;
}

Variant argNumber(double n) {
  Variant v;
  v.get().vt = VT_R8;
  v.get().dblVal = n;
  return v;
}

Variant arg(const std::wstring& text) {
  Variant v;
  v.get().vt = VT_BSTR;
  v.get().bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

Variant argBool(bool b) {
  Variant v;
  v.get().vt = VT_BOOL;
  v.get().boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

std::string describeHresult(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  std::string out = code;
  wchar_t* message = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  if (n > 0 && message) {
    std::wstring text(message, n);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (!text.empty()) out += " (" + narrow(text) + ")";
  }
  if (message) LocalFree(message);
  return out;
}

std::wstring textOf(const VARIANT& v) {
  if (v.vt == VT_BSTR) return v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
  if (v.vt == VT_BOOL) return v.boolVal ? L"True" : L"False";
  Variant copy;
  if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR)) || !copy.get().bstrVal) return L"";
  return std::wstring(copy.get().bstrVal, SysStringLen(copy.get().bstrVal));
}

HRESULT Obj::invoke(const wchar_t* name, WORD kind, std::vector<Variant>& args, Variant& result,
                    std::wstring* description) const {
  if (!object_) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // IDispatch takes its arguments right to left.
  std::vector<VARIANT> reversed;
  for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->get());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (kind == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO excep{};
  UINT argErr = 0;
  hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, kind == DISPATCH_PROPERTYPUT ? nullptr : &result,
                       &excep, &argErr);
  if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
  if (hr == DISP_E_EXCEPTION && excep.scode != 0) hr = excep.scode;
  if (description && excep.bstrDescription) description->assign(excep.bstrDescription, SysStringLen(excep.bstrDescription));
  SysFreeString(excep.bstrSource);
  SysFreeString(excep.bstrDescription);
  SysFreeString(excep.bstrHelpFile);
  return hr;
}

Variant Obj::invokeOrThrow(const wchar_t* name, WORD kind, std::vector<Variant> args) const {
  Variant result;
  std::wstring description;
  HRESULT hr = invoke(name, kind, args, result, &description);
  if (FAILED(hr)) {
    std::string what = path_ + "." + narrow(name) + " failed: " + describeHresult(hr);
    if (!description.empty()) what += " \"" + narrow(description) + "\"";
    throw AutomationError(hr, what);
  }
  return result;
}

Obj Obj::object(const wchar_t* name, std::vector<Variant> args) const {
  std::string path = path_ + "." + narrow(name);
  if (!args.empty()) path += "(" + narrow(textOf(args.front().get())) + (args.size() > 1 ? ", ..." : "") + ")";
  Variant v = invokeOrThrow(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
  if (v.get().vt != VT_DISPATCH || !v.get().pdispVal) throw AutomationError(E_NOINTERFACE, path + " is not an object");
  return Obj(ComPtr<IDispatch>(v.get().pdispVal), path);
}

Obj Obj::callObject(const wchar_t* name, std::vector<Variant> args) const {
  std::string path = path_ + "." + narrow(name) + "()";
  Variant v = invokeOrThrow(name, DISPATCH_METHOD, std::move(args));
  if (v.get().vt != VT_DISPATCH || !v.get().pdispVal) throw AutomationError(E_NOINTERFACE, path + " is not an object");
  return Obj(ComPtr<IDispatch>(v.get().pdispVal), path);
}

Variant Obj::value(const wchar_t* name, std::vector<Variant> args) const {
  return invokeOrThrow(name, DISPATCH_PROPERTYGET, std::move(args));
}

std::wstring Obj::text(const wchar_t* name) const { return textOf(value(name).get()); }

long Obj::number(const wchar_t* name) const {
  Variant v = value(name);
  Variant n;
  HRESULT hr = VariantChangeType(&n, &v.get(), 0, VT_I4);
  if (FAILED(hr)) throw AutomationError(hr, path_ + "." + narrow(name) + " is not a number");
  return n.get().lVal;
}

// Booleans come as VARIANT_BOOL from one host and as a tri-state number
// from the other; both are true when not zero.
bool Obj::truth(const wchar_t* name) const {
  Variant v = value(name);
  Variant n;
  HRESULT hr = VariantChangeType(&n, &v.get(), 0, VT_I4);
  if (FAILED(hr)) throw AutomationError(hr, path_ + "." + narrow(name) + " is not true or false");
  return n.get().lVal != 0;
}

void Obj::put(const wchar_t* name, Variant value) const {
  std::vector<Variant> args;
  args.push_back(std::move(value));
  invokeOrThrow(name, DISPATCH_PROPERTYPUT, std::move(args));
}

Variant Obj::call(const wchar_t* name, std::vector<Variant> args) const {
  return invokeOrThrow(name, DISPATCH_METHOD, std::move(args));
}

namespace {

class RetryFilter final : public IMessageFilter {
 public:
  explicit RetryFilter(DWORD giveUpAfterMs) : giveUp_(giveUpAfterMs) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IMessageFilter) return E_NOINTERFACE;
    *out = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override { return SERVERCALL_ISHANDLED; }
  // Try again in a quarter of a second until the time is up.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD type) override {
    if (type == SERVERCALL_REJECTED || elapsedMs >= giveUp_) return static_cast<DWORD>(-1);
    return 250;
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  DWORD giveUp_;
  std::atomic<ULONG> refs_{1};
};
}  // namespace

BusyRetry::BusyRetry(DWORD giveUpAfterMs) : filter_(new RetryFilter(giveUpAfterMs)) {
  if (FAILED(CoRegisterMessageFilter(filter_, &previous_))) previous_ = nullptr;
}

BusyRetry::~BusyRetry() {
  IMessageFilter* ours = nullptr;
  if (SUCCEEDED(CoRegisterMessageFilter(previous_, &ours)) && ours) ours->Release();
  if (previous_) previous_->Release();
  filter_->Release();
}

}  // namespace brelmcheck
