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
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  BRELM_IUNKNOWN_REFCOUNT

  // IDispatch: the connection interface's members and aa, by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argErr) override;

  // IDTExtensibility2
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode,
                                         IDispatch* addInInst, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  HRESULT aa();

 private:
  ~Connect();
  // Runs `body`, turning anything thrown into an HRESULT and error info.
  template <class Body>
  HRESULT guarded(const wchar_t* what, Body&& body);
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
