#pragma once
// IUnknown and the empty type information shared by the test host's small
// COM objects (event sinks, the test add-in's objects): counted from one
// reference, answering IUnknown, IDispatch and at most one further interface.
// Each object keeps its own GetIDsOfNames and Invoke.
#include <windows.h>
#include <oaidl.h>

#include <atomic>

namespace hostsim {

template <class Interface>
class SmallDispatch : public Interface {
 public:
  explicit SmallDispatch(const IID& also = IID_NULL) : also_(also) {}
  virtual ~SmallDispatch() = default;
  SmallDispatch(const SmallDispatch&) = delete;
  SmallDispatch& operator=(const SmallDispatch&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    const bool known = iid == IID_IUnknown || iid == IID_IDispatch || (also_ != IID_NULL && iid == also_);
    *out = known ? static_cast<Interface*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return n ? (*n = 0, S_OK) : E_POINTER; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

 private:
  std::atomic<ULONG> refs_{1};
  IID also_;
};

}  // namespace hostsim
