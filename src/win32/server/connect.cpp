#include "server/connect.h"

#include <new>

#include "com/boundary.h"
#include "com/variant.h"
#include "host/com_host.h"
#include "system/text.h"
#include "ui/dpi.h"

namespace brelm::win32 {

namespace {

struct Member {
  const wchar_t* name;
  DISPID id;
};
constexpr Member kMembers[] = {
    {L"OnConnection", ext_dispid::kOnConnection},
    {L"OnDisconnection", ext_dispid::kOnDisconnection},
    {L"OnAddInsUpdate", ext_dispid::kOnAddInsUpdate},
    {L"OnStartupComplete", ext_dispid::kOnStartupComplete},
    {L"OnBeginShutdown", ext_dispid::kOnBeginShutdown},
    {L"aa", ext_dispid::kAa},
};

// Calls from the host run in the strip's DPI awareness (the host window's
// before the strip exists).
HWND dpiWindow() {
  const HWND reference = dpiReference();
  return reference ? reference : threadMainWindow();
}

}  // namespace

Connect::Connect(HostKind kind, const AddinIdentity& identity, std::wstring name)
    : kind_(kind), identity_(identity), toolkit_(std::move(name)) {
  toolkit_.setOwner(self());
  addin_ = std::make_unique<Addin>(Platform{windows_, toolkit_, registry_, shell_, debugTrace()},
                                   kind_);
}

Connect::~Connect() {
  // Messages the windows get while they are torn down below keep nothing
  // alive: this object is going already.
  toolkit_.setOwner(nullptr);
  if (addin_ && addin_->connected()) addin_->OnDisconnection();
  try {
    addin_.reset();
  } catch (...) {
  }
}

HRESULT Connect::QueryInterface(REFIID riid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kIID_IDTExtensibility2)
    *out = static_cast<IDTExtensibility2*>(this);
  else if (riid == IID_ISupportErrorInfo)
    *out = static_cast<ISupportErrorInfo*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT Connect::InterfaceSupportsErrorInfo(REFIID riid) noexcept {
  return riid == kIID_IDTExtensibility2 || riid == IID_IDispatch ? S_OK : S_FALSE;
}

void Connect::setErrorInfo(const std::wstring& description) {
  lastError_ = description;
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(&create)) || !create) return;
  if (FAILED(create->SetGUID(kIID_IDTExtensibility2)) ||
      FAILED(create->SetSource(const_cast<LPOLESTR>(identity_.progId.c_str()))) ||
      FAILED(create->SetDescription(const_cast<LPOLESTR>(description.c_str()))))
    return;
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
}

namespace {

// Inside a catch: what the failure being handled says of itself.
std::wstring caughtText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return L"out of memory";
  } catch (const std::exception& e) {
    return widen(e.what());
  } catch (...) {
    return L"unexpected failure";
  }
}

}  // namespace

void Connect::describeFailure(const char* what) noexcept {
  lastError_.clear();
  try {
    setErrorInfo(widen(what) + L": " + caughtText());
  } catch (...) {
    // No memory left for the text: the host gets the code alone.
    lastError_.clear();
  }
}

template <class Body>
HRESULT Connect::guarded(const char* what, Body&& body) noexcept {
  try {
    const DpiScope dpi(dpiWindow());
    body();
    return S_OK;
  } catch (...) {
    const HRESULT hr = traceCaught(what);
    describeFailure(what);
    return hr;
  }
}

HRESULT Connect::OnConnection(IDispatch* application, int, IDispatch*, SAFEARRAY**) noexcept {
  if (!application) return E_INVALIDARG;
  return guarded("OnConnection", [&] {
    std::shared_ptr<HostApp> app;
    if (kind_ == HostKind::Sheet)
      app = makeSheetApp(application, self());
    else
      app = makeSlideApp(application, self());
    addin_->OnConnection(std::move(app));
  });
}

HRESULT Connect::OnDisconnection(int, SAFEARRAY**) noexcept {
  return guarded("OnDisconnection", [&] {
    addin_->OnDisconnection();
    windows_.stripGone();
  });
}

HRESULT Connect::OnAddInsUpdate(SAFEARRAY**) noexcept { return S_OK; }
HRESULT Connect::OnStartupComplete(SAFEARRAY**) noexcept { return S_OK; }
HRESULT Connect::OnBeginShutdown(SAFEARRAY**) noexcept { return S_OK; }

HRESULT Connect::aa() noexcept {
  return guarded("aa", [&] { addin_->aa(); });
}

HRESULT Connect::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT Connect::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
  if (info) *info = nullptr;
  return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT Connect::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                               DISPID* ids) noexcept {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  if (count == 0) return S_OK;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const Member& m : kMembers) {
    if (names[0] && lstrcmpiW(names[0], m.name) == 0) {
      ids[0] = m.id;
      // Our members take no named arguments.
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT Connect::invokeConnection(const DISPPARAMS& params) {
  // OnConnection(Application, ConnectMode, AddInInst, custom): the first
  // argument is the last in the array.
  if (params.cArgs < 1) return DISP_E_BADPARAMCOUNT;
  Variant app;
  if (FAILED(VariantCopyInd(app.out(), &params.rgvarg[params.cArgs - 1])))
    return DISP_E_TYPEMISMATCH;
  ComPtr<IDispatch> application;
  application = adopt(app.toDispatch());
  if (!application) return DISP_E_TYPEMISMATCH;
  return OnConnection(application.Get(), 0, nullptr, nullptr);
}

HRESULT Connect::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* info, UINT* argErr) noexcept {
  if (result) VariantInit(result);
  if (argErr) *argErr = 0;
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  return guardedCall("Invoke", [&] {
    DISPPARAMS none{};
    const DISPPARAMS& args = params ? *params : none;
    lastError_.clear();
    HRESULT hr = S_OK;
    switch (id) {
      case ext_dispid::kOnConnection: hr = invokeConnection(args); break;
      case ext_dispid::kOnDisconnection: hr = OnDisconnection(0, nullptr); break;
      case ext_dispid::kOnAddInsUpdate:
      case ext_dispid::kOnStartupComplete:
      case ext_dispid::kOnBeginShutdown: hr = S_OK; break;
      case ext_dispid::kAa: hr = aa(); break;
      default: return DISP_E_MEMBERNOTFOUND;
    }
    if (SUCCEEDED(hr) || lastError_.empty()) return hr;
    // Late-bound callers get the failure as an exception with its text; a
    // caller without EXCEPINFO gets the plain HRESULT.
    if (!info) return hr;
    *info = EXCEPINFO{};
    info->bstrSource = SysAllocString(identity_.progId.c_str());
    info->bstrDescription = SysAllocString(lastError_.c_str());
    info->scode = hr;
    return DISP_E_EXCEPTION;
  });
}

}  // namespace brelm::win32
