#include "com/dispatch.h"

#include <cstdio>
#include <cstring>
#include <cwctype>
#include <iterator>

#include "system/text.h"

namespace brelm::win32 {

namespace {

// Member names are ASCII; this runs on every host call, so it spares them
// the runtime's locale-aware towlower.
std::wstring lower(const wchar_t* name) {
  std::wstring s(name);
  for (auto& c : s) {
    if (c >= L'A' && c <= L'Z')
      c = static_cast<wchar_t>(c - L'A' + L'a');
    else if (c > 0x7F)
      c = static_cast<wchar_t>(std::towlower(c));
  }
  return s;
}

// The type GUID of an object that describes itself, if it does.
bool typeOf(IDispatch* object, GUID& out) {
  ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || !info) return false;
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr)) || !attr) return false;
  out = attr->guid;
  info->ReleaseTypeAttr(attr);
  return out != GUID_NULL;
}

}  // namespace

bool DispidCache::Key::operator<(const Key& other) const {
  const int c = std::memcmp(&type, &other.type, sizeof(GUID));
  if (c != 0) return c < 0;
  return name < other.name;
}

bool DispidCache::find(const GUID& type, const std::wstring& name, DISPID& out) const {
  const auto it = ids_.find(Key{type, name});
  if (it == ids_.end()) return false;
  out = it->second;
  return true;
}

void DispidCache::store(const GUID& type, const std::wstring& name, DISPID id) {
  ids_[Key{type, name}] = id;
}

HostError hostErrorFrom(HRESULT hr, const EXCEPINFO* info, const wchar_t* member) {
  std::string text;
  HRESULT code = hr;
  if (info) {
    EXCEPINFO filled = *info;
    if (filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
    if (filled.bstrDescription) text = narrow(filled.bstrDescription);
    // A host exception carries its own code; it is what says "busy".
    if (hr == DISP_E_EXCEPTION && FAILED(filled.scode)) code = filled.scode;
  }
  if (text.empty()) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "failed (0x%08lX)", static_cast<unsigned long>(code));
    text = buf;
  }
  return HostError(static_cast<std::int32_t>(code), narrow(member) + ": " + text);
}

DispatchObject::DispatchObject(ComPtr<IDispatch> object, std::shared_ptr<DispidCache> cache)
    : object_(std::move(object)), cache_(std::move(cache)) {
  if (!object_) throw HostError(hresult::kFail, "no object");
  if (!cache_) cache_ = std::make_shared<DispidCache>();
  typed_ = typeOf(object_.Get(), type_);
}

DispatchObject DispatchObject::wrap(IDispatch* other) const {
  return DispatchObject(ComPtr<IDispatch>(other), cache_);
}

DISPID DispatchObject::lookup(const wchar_t* name) const {
  const std::wstring key = lower(name);
  DISPID id = DISPID_UNKNOWN;
  if (typed_) {
    if (cache_->find(type_, key, id)) return id;
  } else if (const auto it = ownIds_.find(key); it != ownIds_.end()) {
    return it->second;
  }
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw hostErrorFrom(hr, nullptr, name);
  if (typed_)
    cache_->store(type_, key, id);
  else
    ownIds_[key] = id;
  return id;
}

Variant DispatchObject::invoke(const wchar_t* name, WORD flags,
                               std::initializer_list<Variant> args,
                               const Variant* putValue) const {
  const DISPID id = lookup(name);
  // DISPPARAMS takes arguments last to first. No member takes more than a
  // few; a longer list is refused rather than overrunning the array.
  VARIANT params[8];
  const size_t count = args.size() + (putValue ? 1 : 0);
  if (count > std::size(params)) throw HostError(hresult::kFail, narrow(name) + ": too many arguments");
  size_t n = 0;
  if (putValue) params[n++] = putValue->get();
  for (auto it = args.end(); it != args.begin();) params[n++] = (--it)->get();

  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS dp{};
  dp.cArgs = static_cast<UINT>(n);
  dp.rgvarg = n == 0 ? nullptr : params;
  if (putValue) {
    dp.cNamedArgs = 1;
    dp.rgdispidNamedArgs = &named;
  }
  Variant result;
  EXCEPINFO info{};
  UINT argErr = 0;
  const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp,
                                     putValue ? nullptr : result.out(), &info, &argErr);
  if (FAILED(hr)) {
    HostError error = hostErrorFrom(hr, &info, name);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    throw error;
  }
  return result;
}

Variant DispatchObject::get(const wchar_t* name, std::initializer_list<Variant> args) const {
  return invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, nullptr);
}

void DispatchObject::put(const wchar_t* name, const Variant& value) const {
  invoke(name, DISPATCH_PROPERTYPUT, {}, &value);
}

Variant DispatchObject::call(const wchar_t* name, std::initializer_list<Variant> args) const {
  return invoke(name, DISPATCH_METHOD, args, nullptr);
}

DispatchObject DispatchObject::asObject(Variant&& value, const wchar_t* name) const {
  ComPtr<IDispatch> object;
  object = adopt(value.toDispatch());
  if (!object) throw HostError(hresult::kFail, narrow(name) + ": no object");
  return DispatchObject(std::move(object), cache_);
}

DispatchObject DispatchObject::getObject(const wchar_t* name,
                                         std::initializer_list<Variant> args) const {
  return asObject(get(name, args), name);
}

DispatchObject DispatchObject::callObject(const wchar_t* name,
                                          std::initializer_list<Variant> args) const {
  return asObject(call(name, args), name);
}

namespace {
[[noreturn]] void badType(const wchar_t* name) {
  throw HostError(static_cast<std::int32_t>(DISP_E_TYPEMISMATCH),
                  narrow(name) + ": unexpected type of value");
}
}  // namespace

std::wstring DispatchObject::getString(const wchar_t* name) const {
  std::wstring s;
  if (!get(name).toString(s)) badType(name);
  return s;
}

long DispatchObject::getLong(const wchar_t* name) const {
  long v = 0;
  if (!get(name).toLong(v)) badType(name);
  return v;
}

double DispatchObject::getDouble(const wchar_t* name) const {
  double v = 0;
  if (!get(name).toDouble(v)) badType(name);
  return v;
}

bool DispatchObject::getBool(const wchar_t* name) const {
  bool v = false;
  if (!get(name).toBool(v)) badType(name);
  return v;
}

}  // namespace brelm::win32
