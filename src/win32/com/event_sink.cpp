#include "com/event_sink.h"

#include "com/keep_alive.h"
#include "system/debug_trace.h"

namespace brelm::win32 {

HRESULT DispatchSink::QueryInterface(REFIID riid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == events_) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT DispatchSink::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT DispatchSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
  return E_NOTIMPL;
}

HRESULT DispatchSink::Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO*, UINT*) noexcept {
  if (result) VariantInit(result);
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  // Keep ourselves alive if the handler ends the subscription.
  AddRef();
  {
    const KeepAlive alive(owner_);
    try {
      DISPPARAMS none{};
      onEvent(id, params ? *params : none);
    } catch (...) {
      // An event handler's failure is ours; the host only needs to go on.
      traceCaught("host event");
    }
  }
  Release();
  return S_OK;
}

HRESULT Advise::connect(IUnknown* source, DispatchSink* sink) {
  disconnect();
  if (!source || !sink) return E_POINTER;
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = source->QueryInterface(IID_PPV_ARGS(&container));
  if (FAILED(hr)) return hr;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(sink->events(), &point);
  if (FAILED(hr)) return hr;
  DWORD cookie = 0;
  hr = point->Advise(static_cast<IDispatch*>(sink), &cookie);
  if (FAILED(hr)) return hr;
  point_ = std::move(point);
  cookie_ = cookie;
  return S_OK;
}

void Advise::disconnect() noexcept {
  if (!point_) return;
  // Take the point first: Unadvise may call back into us.
  ComPtr<IConnectionPoint> point = std::move(point_);
  const DWORD cookie = cookie_;
  cookie_ = 0;
  point->Unadvise(cookie);
}

}  // namespace brelm::win32
