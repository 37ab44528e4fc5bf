#pragma once
// The hosts' add-in connection interface, declared here because the
// cross compiler's headers do not carry it. Dual: the host may call it by
// vtable or through IDispatch with these DISPIDs.
#include <windows.h>
#include <oaidl.h>

namespace brelm::win32 {

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
constexpr IID kIID_IDTExtensibility2 = {0xB65AD801, 0xABAF, 0x11D0,
                                        {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

namespace ext_dispid {
constexpr DISPID kOnConnection = 1;
constexpr DISPID kOnDisconnection = 2;
constexpr DISPID kOnAddInsUpdate = 3;
constexpr DISPID kOnStartupComplete = 4;
constexpr DISPID kOnBeginShutdown = 5;
// The add-in's own public method.
constexpr DISPID kAa = 0x60030000;
}  // namespace ext_dispid

struct IDTExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

}  // namespace brelm::win32
