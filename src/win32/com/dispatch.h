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
#include <utility>

#include "com/variant.h"
#include "platform/host_error.h"

namespace brelm::win32 {

using Microsoft::WRL::ComPtr;

// DISPIDs by (object type, member name). Shared by every object reached from
// one host application.
class DispidCache {
 public:
  bool find(const GUID& type, const std::wstring& name, DISPID& out) const;
  void store(const GUID& type, const std::wstring& name, DISPID id);
  size_t size() const { return ids_.size(); }

 private:
  struct Key {
    GUID type;
    std::wstring name;  // lower case: names are case-insensitive
    bool operator<(const Key& other) const;
  };
  std::map<Key, DISPID> ids_;
};

// The text of a failed call: the host's description when it gave one.
HostError hostErrorFrom(HRESULT hr, const EXCEPINFO* info, const wchar_t* member);

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
  const ComPtr<IDispatch>& ptr() const { return object_; }
  const std::shared_ptr<DispidCache>& cache() const { return cache_; }
  // Wraps another object of the same host, sharing the name cache.
  DispatchObject wrap(IDispatch* other) const;

 private:
  DISPID lookup(const wchar_t* name) const;
  Variant invoke(const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
                 const Variant* putValue) const;
  DispatchObject asObject(Variant&& value, const wchar_t* name) const;

  ComPtr<IDispatch> object_;
  std::shared_ptr<DispidCache> cache_;
  GUID type_{};
  bool typed_ = false;  // the object told us its type; otherwise cache per object
  mutable std::map<std::wstring, DISPID> ownIds_;
};

}  // namespace brelm::win32
