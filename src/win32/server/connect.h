#pragma once
// The add-in class the host creates: one core Addin per object, with the
// real platform beneath it. No exception leaves any of its methods.
#include <windows.h>

#include <memory>
#include <string>

#include "addin/addin.h"
#include "com/identity.h"
#include "com/ref_count.h"
#include "server/extensibility.h"
#include "system/registry_reader.h"
#include "ui/form_toolkit.h"
#include "ui/window_system.h"

namespace brelm::win32 {

class Connect final : public IDTExtensibility2, public ISupportErrorInfo {
 public:
  Connect(HostKind kind, const AddinIdentity& identity, std::wstring name);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) noexcept override;
  BRELM_IUNKNOWN_REFCOUNT

  // IDispatch: the connection interface's members and aa, by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) noexcept override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argErr) noexcept override;

  // IDTExtensibility2
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode,
                                         IDispatch* addInInst, SAFEARRAY** custom) noexcept override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) noexcept override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) noexcept override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) noexcept override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) noexcept override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) noexcept override;

  HRESULT aa() noexcept;

 private:
  ~Connect();
  // This object as the dispatches into it hold it (com/keep_alive.h).
  IUnknown* self() { return static_cast<IDTExtensibility2*>(this); }
  // Runs `body`; anything thrown is traced, described in the error info and
  // answered with its code.
  template <class Body>
  HRESULT guarded(const char* what, Body&& body) noexcept;
  // Inside a catch: the error info for the failure being handled, as far as
  // memory allows.
  void describeFailure(const char* what) noexcept;
  void setErrorInfo(const std::wstring& description);
  HRESULT invokeConnection(const DISPPARAMS& params);

  RefCount refs_;
  HostKind kind_;
  const AddinIdentity& identity_;
  std::wstring lastError_;
  Win32WindowSystem windows_;
  Win32FormToolkit toolkit_;
  RegistryReader registry_;
  ShellOpener shell_;
  std::unique_ptr<Addin> addin_;
};

}  // namespace brelm::win32
