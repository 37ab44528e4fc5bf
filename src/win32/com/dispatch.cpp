#include "com/dispatch.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <iterator>

#include "system/text.h"

namespace brelm::win32 {

namespace {

// A member name in lower case, in `buffer` when it fits (every name the
// add-in uses does), so that a call whose id is known allocates nothing.
// Names are ASCII; this runs on every host call, so it spares them the
// runtime's locale-aware towlower.
class LowerName {
 public:
  explicit LowerName(const wchar_t* name) {
    const size_t n = std::wcslen(name);
    wchar_t* out = buffer_;
    if (n > std::size(buffer_)) {
      long_.resize(n);
      out = long_.data();
    }
    for (size_t i = 0; i < n; ++i) out[i] = lowerChar(name[i]);
    view_ = std::wstring_view(out, n);
  }
  LowerName(const LowerName&) = delete;
  LowerName& operator=(const LowerName&) = delete;
  std::wstring_view view() const { return view_; }

 private:
  static wchar_t lowerChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
    if (c > 0x7F) return static_cast<wchar_t>(std::towlower(c));
    return c;
  }
  wchar_t buffer_[32];
  std::wstring long_;
  std::wstring_view view_;
};

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

int DispidCache::Less::compare(const GUID& a, std::wstring_view an, const GUID& b,
                               std::wstring_view bn) {
  const int c = std::memcmp(&a, &b, sizeof(GUID));
  if (c != 0) return c;
  return an.compare(bn);
}

bool DispidCache::find(const GUID& type, std::wstring_view name, DISPID& out) const {
  const auto it = ids_.find(KeyView{type, name});
  if (it == ids_.end()) return false;
  out = it->second;
  return true;
}

void DispidCache::store(const GUID& type, std::wstring_view name, DISPID id) {
  ids_[Key{type, std::wstring(name)}] = id;
}

ExcepInfo::~ExcepInfo() {
  SysFreeString(info_.bstrSource);
  SysFreeString(info_.bstrDescription);
  SysFreeString(info_.bstrHelpFile);
}

const EXCEPINFO& ExcepInfo::filled() {
  if (const auto fill = info_.pfnDeferredFillIn) {
    info_.pfnDeferredFillIn = nullptr;  // once
    fill(&info_);
  }
  return info_;
}

HostError hostErrorFrom(HRESULT hr, ExcepInfo* info, const wchar_t* member) {
  std::string text;
  HRESULT code = hr;
  if (info) {
    const EXCEPINFO& filled = info->filled();
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
}

bool DispatchObject::typed() const {
  if (typing_ == Typing::Unknown)
    typing_ = typeOf(object_.Get(), type_) ? Typing::Typed : Typing::Untyped;
  return typing_ == Typing::Typed;
}

DispatchObject DispatchObject::wrap(IDispatch* other) const {
  return DispatchObject(ComPtr<IDispatch>(other), cache_);
}

DISPID DispatchObject::lookup(const wchar_t* name) const {
  const LowerName lowered(name);
  const std::wstring_view key = lowered.view();
  const bool isTyped = typed();
  DISPID id = DISPID_UNKNOWN;
  if (isTyped) {
    if (cache_->find(type_, key, id)) return id;
  } else if (const auto it = ownIds_.find(key); it != ownIds_.end()) {
    return it->second;
  }
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw hostErrorFrom(hr, nullptr, name);
  if (isTyped)
    cache_->store(type_, key, id);
  else
    ownIds_.insert_or_assign(std::wstring(key), id);
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
  ExcepInfo info;
  UINT argErr = 0;
  const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp,
                                     putValue ? nullptr : result.out(), info.out(), &argErr);
  if (FAILED(hr)) throw hostErrorFrom(hr, &info, name);
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
  object = adopt(value.takeDispatch());
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
