#pragma once
// Late binding: calls on an IDispatch object by member name. Names are looked
// up once per object type (the type's GUID) and cached; a failed call throws
// HostError with the HRESULT and the host's own error text.
#include <windows.h>
#include <oaidl.h>
#include "com/com_ptr.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "com/variant.h"
#include "platform/host_error.h"

namespace brelm::win32 {

using Microsoft::WRL::ComPtr;

// DISPIDs by (object type, member name). Shared by every object reached from
// one host application.
class DispidCache {
 public:
  // `name` in lower case: names are case-insensitive.
  bool find(const GUID& type, std::wstring_view name, DISPID& out) const;
  void store(const GUID& type, std::wstring_view name, DISPID id);
  size_t size() const { return ids_.size(); }

 private:
  struct Key {
    GUID type;
    std::wstring name;
  };
  struct KeyView {
    const GUID& type;
    std::wstring_view name;
  };
  // Looked up by a view, so that a hit allocates nothing.
  struct Less {
    using is_transparent = void;
    static int compare(const GUID& a, std::wstring_view an, const GUID& b, std::wstring_view bn);
    bool operator()(const Key& a, const Key& b) const { return compare(a.type, a.name, b.type, b.name) < 0; }
    bool operator()(const KeyView& a, const Key& b) const { return compare(a.type, a.name, b.type, b.name) < 0; }
    bool operator()(const Key& a, const KeyView& b) const { return compare(a.type, a.name, b.type, b.name) < 0; }
  };
  std::map<Key, DISPID, Less> ids_;
};

// An EXCEPINFO a call may fill, whose strings are freed with it.
class ExcepInfo {
 public:
  ExcepInfo() = default;
  ~ExcepInfo();
  ExcepInfo(const ExcepInfo&) = delete;
  ExcepInfo& operator=(const ExcepInfo&) = delete;
  EXCEPINFO* out() { return &info_; }
  // Asks the callee for what it deferred (pfnDeferredFillIn), into this very
  // structure, so that the strings it fills in are freed here too.
  const EXCEPINFO& filled();

 private:
  EXCEPINFO info_{};
};

// The text of a failed call: the host's description when it gave one.
HostError hostErrorFrom(HRESULT hr, ExcepInfo* info, const wchar_t* member);

class DispatchObject {
 public:
  DispatchObject(ComPtr<IDispatch> object, std::shared_ptr<DispidCache> cache);

  Variant get(const wchar_t* name, std::initializer_list<Variant> args = {}) const;
  void put(const wchar_t* name, const Variant& value) const;
  Variant call(const wchar_t* name, std::initializer_list<Variant> args = {}) const;

  // A property or method whose result must be an object.
  DispatchObject getObject(const wchar_t* name, std::initializer_list<Variant> args = {}) const;
  DispatchObject callObject(const wchar_t* name, std::initializer_list<Variant> args = {}) const;

  std::wstring getString(const wchar_t* name) const;
  long getLong(const wchar_t* name) const;
  double getDouble(const wchar_t* name) const;
  bool getBool(const wchar_t* name) const;

  IDispatch* raw() const { return object_.Get(); }
  const std::shared_ptr<DispidCache>& cache() const { return cache_; }
  // Wraps another object of the same host, sharing the name cache.
  DispatchObject wrap(IDispatch* other) const;

 private:
  DISPID lookup(const wchar_t* name) const;
  Variant invoke(const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
                 const Variant* putValue) const;
  DispatchObject asObject(Variant&& value, const wchar_t* name) const;

  // Whether the object tells its type, asked at its first call by name: an
  // object only compared (the active window) is never asked.
  enum class Typing { Unknown, Typed, Untyped };
  bool typed() const;

  ComPtr<IDispatch> object_;
  std::shared_ptr<DispidCache> cache_;
  mutable GUID type_{};
  mutable Typing typing_ = Typing::Unknown;
  mutable std::map<std::wstring, DISPID, std::less<>> ownIds_;  // untyped: per object
};

}  // namespace brelm::win32
