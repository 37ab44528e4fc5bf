#include "host/automation_server.h"

#include <oleauto.h>

#include <atomic>
#include <cstdio>

#include "common/com.h"
#include "host/host.h"

namespace hostsim {

const CLSID kSheetServerClsid = {0x6d1f7a30, 0x52c4, 0x4b8e, {0x9a, 0x1e, 0x3c, 0x55, 0x0b, 0x7e, 0x21, 0x01}};
const CLSID kSlideServerClsid = {0x6d1f7a30, 0x52c4, 0x4b8e, {0x9a, 0x1e, 0x3c, 0x55, 0x0b, 0x7e, 0x21, 0x02}};

const CLSID& serverClsid(HostKind kind) { return kind == HostKind::Sheet ? kSheetServerClsid : kSlideServerClsid; }

namespace {
class AppFactory final : public IClassFactory {
 public:
  explicit AppFactory(Host& host) : host_(host) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (host_.quitRequested()) return CO_E_SERVER_STOPPING;
    return host_.app().QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  Host& host_;
  std::atomic<ULONG> refs_{1};
};
}  // namespace

HRESULT AutomationServer::start() {
  const CLSID& clsid = serverClsid(host_.config().kind);
  factory_ = new AppFactory(host_);
  DWORD use = host_.config().sheet() ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
  HRESULT hr = CoRegisterClassObject(clsid, factory_, CLSCTX_LOCAL_SERVER, use, &classCookie_);
  if (FAILED(hr)) {
    std::fprintf(stderr, "hostsim: CoRegisterClassObject -> %s\n", hresultText(hr).c_str());
    return hr;
  }
  registered_ = true;
  // A running host is found through the running object table.
  hr = RegisterActiveObject(&host_.app(), clsid, ACTIVEOBJECT_STRONG, &rotCookie_);
  if (FAILED(hr)) {
    std::fprintf(stderr, "hostsim: RegisterActiveObject -> %s\n", hresultText(hr).c_str());
    return hr;
  }
  inRot_ = true;
  return S_OK;
}

void AutomationServer::stop() {
  if (inRot_) RevokeActiveObject(rotCookie_, nullptr), inRot_ = false;
  if (registered_) CoRevokeClassObject(classCookie_), registered_ = false;
  if (factory_) factory_->Release(), factory_ = nullptr;
  CoDisconnectObject(&host_.app(), 0);
}

}  // namespace hostsim
