#pragma once
// A hand-made automation object for the tests: named properties and
// methods, an observable reference count, an optional type (for the name
// cache), and connection points that fire events at advised sinks.
#include <windows.h>
#include <ocidl.h>
#include "com/com_ptr.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "com/variant.h"

namespace brelm::win32::test {

using Microsoft::WRL::ComPtr;

// Fills an EXCEPINFO the way a host reports its own errors.
HRESULT raise(EXCEPINFO* info, HRESULT scode, const wchar_t* text);
// The same, with the strings filled in only when the caller asks for them
// (pfnDeferredFillIn): source, description and help file, three strings.
HRESULT raiseLater(EXCEPINFO* info, HRESULT scode);
constexpr const wchar_t* kFilledInLater = L"Filled in later";

// Counts the blocks (strings among them) taken from the COM task allocator
// while it lives, and those of them given back. The system's string cache is
// turned off first, so that every string is really allocated and freed.
class TaskMemoryLedger {
 public:
  TaskMemoryLedger();
  ~TaskMemoryLedger();
  TaskMemoryLedger(const TaskMemoryLedger&) = delete;
  TaskMemoryLedger& operator=(const TaskMemoryLedger&) = delete;
  bool counting() const { return registered_; }
  long allocated() const;
  long freed() const;

 private:
  bool registered_ = false;
};

class FakeConnectionPoint;

class FakeObject final : public IDispatch, public IConnectionPointContainer {
 public:
  // Arguments in the order the caller wrote them (first argument first).
  using Method = std::function<HRESULT(std::vector<Variant>& args, Variant& result, EXCEPINFO* info)>;

  static ComPtr<FakeObject> make(const GUID& type = GUID_NULL);

  void set(const std::wstring& name, Variant value);
  void setObject(const std::wstring& name, const ComPtr<FakeObject>& object);
  void method(const std::wstring& name, Method body);
  Variant value(const std::wstring& name) const;
  void addEvents(const IID& events);
  // Any name is a property (as on objects with many settable members).
  void acceptAnyName() { open_ = true; }

  // What was done to this object: "get Name", "put Name", "call Name".
  const std::vector<std::wstring>& log() const { return log_; }
  int count(const std::wstring& entry) const;
  int nameLookups() const { return lookups_; }
  ULONG refs() const { return refs_; }

  // Sinks advised on the connection point for `events`.
  size_t sinkCount(const IID& events) const;
  // Calls Invoke on every sink; arguments first to last.
  HRESULT fire(const IID& events, DISPID id, std::vector<Variant> args,
               const IID& riid = IID_NULL);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override;
  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

 private:
  explicit FakeObject(const GUID& type) : type_(type) {}
  ~FakeObject();
  DISPID idOf(const std::wstring& name);

  ULONG refs_ = 1;
  GUID type_;
  int lookups_ = 0;
  bool open_ = false;
  std::vector<std::wstring> names_;  // DISPID = 1000 + position
  std::map<std::wstring, Variant> values_;
  std::map<std::wstring, Method> methods_;
  std::vector<std::wstring> log_;
  std::vector<FakeConnectionPoint*> points_;
};

}  // namespace brelm::win32::test
