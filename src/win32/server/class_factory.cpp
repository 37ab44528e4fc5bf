#include "server/class_factory.h"

#include <new>

#include "com/boundary.h"
#include "com/ref_count.h"
#include "com/registration.h"
#include "server/connect.h"
#include "system/module.h"

namespace brelm::win32 {

namespace {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(const AddinLibrary& library) : library_(library) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  BRELM_IUNKNOWN_REFCOUNT

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return guardedCall("CreateInstance", [&] {
      Connect* object = new Connect(library_.kind, library_.identity, library_.name);
      const HRESULT hr = object->QueryInterface(riid, out);
      object->Release();  // the caller's reference, if any, keeps it alive
      return hr;
    });
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
    if (lock)
      moduleAddRef();
    else
      moduleRelease();
    return S_OK;
  }

 private:
  ~ClassFactory() = default;
  RefCount refs_;
  const AddinLibrary& library_;
};

bool isUserScope(const wchar_t* commandLine) noexcept {
  return commandLine && lstrcmpiW(commandLine, L"user") == 0;
}

}  // namespace

HRESULT getClassObject(const AddinLibrary& library, REFCLSID clsid, REFIID riid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != library.identity.clsid) return CLASS_E_CLASSNOTAVAILABLE;
  ClassFactory* factory = new (std::nothrow) ClassFactory(library);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, out);
  factory->Release();
  return hr;
}

HRESULT canUnloadNow() noexcept { return moduleRefCount() == 0 ? S_OK : S_FALSE; }

HRESULT registerServer(const AddinLibrary& library) noexcept {
  return registerIn(library.identity, Scope::Machine);
}

HRESULT unregisterServer(const AddinLibrary& library) noexcept {
  return unregisterIn(library.identity, Scope::Machine);
}

HRESULT install(const AddinLibrary& library, bool doInstall, const wchar_t* commandLine) noexcept {
  const Scope scope = isUserScope(commandLine) ? Scope::User : Scope::Machine;
  return doInstall ? registerIn(library.identity, scope) : unregisterIn(library.identity, scope);
}

}  // namespace brelm::win32
