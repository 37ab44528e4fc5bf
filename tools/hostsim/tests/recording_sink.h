#pragma once
// An event sink that writes down each event it receives, with what the host
// reported as active at that moment.
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "common/com.h"
#include "common/small_dispatch.h"

namespace hostsim::test {

class RecordingSink final : public SmallDispatch<IDispatch> {
 public:
  using Describe = std::function<std::string(DISPID, DISPPARAMS*)>;
  explicit RecordingSink(Describe describe) : describe_(std::move(describe)) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*, UINT*) override {
    events.push_back(describe_(id, p));
    return S_OK;
  }

  std::vector<std::string> events;

 private:
  Describe describe_;
};

// Advises `sink` on `source` for `iid`; returns the cookie, 0 on failure.
inline DWORD advise(IUnknown* source, const IID& iid, IUnknown* sink, ComPtr<IConnectionPoint>& point) {
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.GetAddressOf()))))
    return 0;
  if (FAILED(container->FindConnectionPoint(iid, point.GetAddressOf()))) return 0;
  DWORD cookie = 0;
  return SUCCEEDED(point->Advise(sink, &cookie)) ? cookie : 0;
}

inline ComPtr<RecordingSink> makeSink(RecordingSink::Describe describe) {
  RecordingSink* raw = new RecordingSink(std::move(describe));
  ComPtr<RecordingSink> p(raw);
  raw->Release();
  return p;
}

}  // namespace hostsim::test
