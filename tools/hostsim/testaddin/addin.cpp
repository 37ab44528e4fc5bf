// The add-in class: _IDTExtensibility2 for the host, an application-event
// sink (presentation host) and a command-bar button click sink.
#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <memory>

#include "common/small_dispatch.h"
#include "dispatch_call.h"
#include "loader/extensibility.h"
#include "server.h"
#include "strip.h"

namespace testaddin {

namespace {
constexpr IID kAppEvents = {0x914934C2, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};
constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr wchar_t kPopup[] = L"HostSimTestPopup";

// A dispinterface sink that hands every event to a function.
class Sink final : public hostsim::SmallDispatch<IDispatch> {
 public:
  using Handler = std::function<void(DISPID, DISPPARAMS*)>;
  Sink(const IID& iid, Handler handler) : SmallDispatch(iid), handler_(std::move(handler)) { ++g_objects; }
  ~Sink() { --g_objects; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    try {
      handler_(id, params);
    } catch (...) {
    }
    return S_OK;
  }

 private:
  Handler handler_;
};

// An advise on one connection point, undone on destruction.
class Advise {
 public:
  Advise(IUnknown* source, const IID& iid, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> container;
    if (!source || FAILED(source->QueryInterface(IID_IConnectionPointContainer,
                                                 reinterpret_cast<void**>(container.GetAddressOf()))))
      return;
    if (SUCCEEDED(container->FindConnectionPoint(iid, point_.GetAddressOf())) && FAILED(point_->Advise(sink, &cookie_)))
      point_.Reset();
  }
  ~Advise() {
    if (point_) point_->Unadvise(cookie_);
  }
  Advise(const Advise&) = delete;
  Advise& operator=(const Advise&) = delete;
  bool ok() const { return point_ != nullptr; }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// Takes over the one reference a new sink starts with (MinGW's
// ComPtr::Attach would add another).
ComPtr<Sink> adopt(Sink* sink) {
  ComPtr<Sink> p(sink);
  sink->Release();
  return p;
}

IDispatch* dispatchArg(DISPPARAMS* p, UINT fromEnd) {
  if (!p || p->cArgs <= fromEnd) return nullptr;
  VARIANT& v = p->rgvarg[p->cArgs - 1 - fromEnd];
  return v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
}

class Connection {
 public:
  Connection(ComPtr<IDispatch> app, bool sheet, int major)
      : strip_(app, sheet, major, Strip::faultFromRegistry()), app_(std::move(app)) {
    if (!sheet) subscribeEvents();
    buildPopup();
  }
  bool ok() { return strip_.create(); }

 private:
  void subscribeEvents() {
    ComPtr<Sink> sink = adopt(new Sink(kAppEvents, [this](DISPID id, DISPPARAMS* p) {
      if (id == 2009) strip_.onActivated(dispatchArg(p, 1));
    }));
    events_ = std::make_unique<Advise>(app_.Get(), kAppEvents, sink.Get());
  }

  void buildPopup() {
    Result bars, old, bar, controls;
    call(app_.Get(), L"CommandBars", DISPATCH_PROPERTYGET, {}, bars);
    call(bars.object().Get(), L"Item", DISPATCH_PROPERTYGET, {arg(kPopup)}, old);
    if (old.ok()) call(old.object().Get(), L"Delete", DISPATCH_METHOD, {}, controls);
    call(bars.object().Get(), L"Add", DISPATCH_METHOD, {arg(kPopup), arg(5L)}, bar);
    call(bar.object().Get(), L"Controls", DISPATCH_PROPERTYGET, {}, controls);
    ComPtr<IDispatch> visit = addButton(controls.object().Get(), L"Visit our web site", L"website", false);
    addButton(controls.object().Get(), L"Save All", L"SaveAll", true);
    ComPtr<Sink> sink = adopt(new Sink(kButtonEvents, [this](DISPID id, DISPPARAMS* p) {
      Result parameter;
      call(dispatchArg(p, 0), L"Parameter", DISPATCH_PROPERTYGET, {}, parameter);
      if (id == 1) strip_.onMenu(parameter.text());
    }));
    click_ = std::make_unique<Advise>(visit.Get(), kButtonEvents, sink.Get());
  }

  ComPtr<IDispatch> addButton(IDispatch* controls, const wchar_t* caption, const wchar_t* parameter, bool first) {
    Result button, ignored;
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    call(controls, L"Add", DISPATCH_METHOD, {arg(1L), arg(1L), missing, first ? arg(1L) : missing}, button);
    IDispatch* b = button.object().Get();
    call(b, L"Caption", DISPATCH_PROPERTYPUT, {arg(caption)}, ignored);
    call(b, L"Tag", DISPATCH_PROPERTYPUT, {arg(L"HostSimTest")}, ignored);
    call(b, L"Parameter", DISPATCH_PROPERTYPUT, {arg(parameter)}, ignored);
    return button.object();
  }

  Strip strip_;
  ComPtr<IDispatch> app_;
  std::unique_ptr<Advise> events_, click_;
};

class Connect final : public hostsim::SmallDispatch<hostsim::IDTExtensibility2> {
 public:
  Connect() : SmallDispatch(hostsim::kIID_IDTExtensibility2) { ++g_objects; }
  ~Connect() { --g_objects; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, hostsim::ext_ConnectMode, IDispatch*,
                                         SAFEARRAY**) override {
    try {
      Result version, taskbar;
      call(application, L"Version", DISPATCH_PROPERTYGET, {}, version);
      if (!version.ok()) return version.hr;
      Result hwnd;
      call(application, L"Hwnd", DISPATCH_PROPERTYGET, {}, hwnd);
      bool sheet = hwnd.ok();
      call(application, L"ShowWindowsInTaskbar", DISPATCH_PROPERTYPUT, {argBool(false)}, taskbar);
      connection_ = std::make_unique<Connection>(application, sheet, static_cast<int>(version.number()));
      return connection_->ok() ? S_OK : E_FAIL;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  HRESULT STDMETHODCALLTYPE OnDisconnection(hostsim::ext_DisconnectMode, SAFEARRAY**) override {
    connection_.reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

 private:
  std::unique_ptr<Connection> connection_;
};
}  // namespace

HRESULT createConnect(REFIID iid, void** out) {
  auto* c = new (std::nothrow) Connect();
  if (!c) return E_OUTOFMEMORY;
  HRESULT hr = c->QueryInterface(iid, out);
  c->Release();
  return hr;
}

}  // namespace testaddin
