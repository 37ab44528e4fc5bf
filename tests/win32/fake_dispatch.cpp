#include "fake_dispatch.h"

#include <olectl.h>

#include <algorithm>
#include <cwctype>

namespace brelm::win32::test {

namespace {

std::wstring lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

// Just enough of a type description to tell the object's type GUID.
class FakeTypeInfo final : public ITypeInfo {
 public:
  explicit FakeTypeInfo(const GUID& type) { attr_.guid = type; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_ITypeInfo) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** out) override {
    *out = &attr_;
    return S_OK;
  }
  void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR*) override {}
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID, BSTR*, BSTR*, DWORD*, BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 private:
  ULONG refs_ = 1;
  TYPEATTR attr_{};
};

}  // namespace

class FakeConnectionPoint final : public IConnectionPoint {
 public:
  FakeConnectionPoint(FakeObject* owner, const IID& events) : owner_(owner), events_(events) {}
  const IID& events() const { return events_; }
  size_t count() const { return sinks_.size(); }
  void orphan() { owner_ = nullptr; }
  std::vector<ComPtr<IDispatch>> sinks() const {
    std::vector<ComPtr<IDispatch>> all;
    for (const auto& [cookie, sink] : sinks_) all.push_back(sink);
    return all;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = events_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    *out = owner_;
    if (owner_) owner_->AddRef();
    return owner_ ? S_OK : E_UNEXPECTED;
  }
  // Like the hosts, ask the sink for the event interface itself.
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(events.GetAddressOf()))))
      return CONNECT_E_CANNOTCONNECT;
    *cookie = ++lastCookie_;
    sinks_[*cookie] = events;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 private:
  ULONG refs_ = 1;
  FakeObject* owner_;
  IID events_;
  DWORD lastCookie_ = 0;
  std::map<DWORD, ComPtr<IDispatch>> sinks_;
};

HRESULT raise(EXCEPINFO* info, HRESULT scode, const wchar_t* text) {
  if (!info) return scode;
  *info = EXCEPINFO{};
  info->bstrSource = SysAllocString(L"Fake host");
  info->bstrDescription = SysAllocString(text);
  info->scode = scode;
  return DISP_E_EXCEPTION;
}

namespace {

HRESULT STDMETHODCALLTYPE fillInLater(EXCEPINFO* info) {
  info->bstrSource = SysAllocString(L"Fake host");
  info->bstrDescription = SysAllocString(kFilledInLater);
  info->bstrHelpFile = SysAllocString(L"fake.chm");
  return S_OK;
}

// Registered once and kept: the system may hold on to a spy until every
// block allocated under it is freed. Counts only while a ledger is open.
class CountingSpy final : public IMallocSpy {
 public:
  bool on = false;
  long allocated = 0, freed = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IMallocSpy) {
      *out = static_cast<IMallocSpy*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) override {
    if (on && actual) ++allocated;
    return actual;
  }
  void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override {
    if (on && request && spied) ++freed;
    return request;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override {
    *newRequest = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

CountingSpy g_spy;

}  // namespace

HRESULT raiseLater(EXCEPINFO* info, HRESULT scode) {
  if (!info) return scode;
  *info = EXCEPINFO{};
  info->pfnDeferredFillIn = fillInLater;
  info->scode = scode;
  return DISP_E_EXCEPTION;
}

TaskMemoryLedger::TaskMemoryLedger() {
  using NoCache = void(WINAPI*)();
  if (auto noCache = reinterpret_cast<NoCache>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"oleaut32.dll"), "SetOaNoCache"))))
    noCache();
  g_spy.allocated = g_spy.freed = 0;
  const HRESULT hr = CoRegisterMallocSpy(&g_spy);
  registered_ = SUCCEEDED(hr) || hr == CO_E_OBJISREG;
  g_spy.on = registered_;
}

TaskMemoryLedger::~TaskMemoryLedger() {
  g_spy.on = false;
  CoRevokeMallocSpy();
}

long TaskMemoryLedger::allocated() const { return g_spy.allocated; }
long TaskMemoryLedger::freed() const { return g_spy.freed; }

ComPtr<FakeObject> FakeObject::make(const GUID& type) {
  ComPtr<FakeObject> object;
  object = adopt(new FakeObject(type));
  return object;
}

FakeObject::~FakeObject() {
  for (FakeConnectionPoint* p : points_) {
    p->orphan();
    p->Release();
  }
}

DISPID FakeObject::idOf(const std::wstring& name) {
  const std::wstring key = lower(name);
  auto it = std::find(names_.begin(), names_.end(), key);
  if (it == names_.end()) {
    names_.push_back(key);
    return 1000 + static_cast<DISPID>(names_.size()) - 1;
  }
  return 1000 + static_cast<DISPID>(it - names_.begin());
}

void FakeObject::set(const std::wstring& name, Variant value) {
  idOf(name);
  values_[lower(name)] = std::move(value);
}

void FakeObject::setObject(const std::wstring& name, const ComPtr<FakeObject>& object) {
  set(name, Variant::fromDispatch(object.Get()));
}

void FakeObject::method(const std::wstring& name, Method body) {
  idOf(name);
  methods_[lower(name)] = std::move(body);
}

Variant FakeObject::value(const std::wstring& name) const {
  const auto it = values_.find(lower(name));
  return it == values_.end() ? Variant() : it->second;
}

void FakeObject::addEvents(const IID& events) {
  points_.push_back(new FakeConnectionPoint(this, events));
}

int FakeObject::count(const std::wstring& entry) const {
  return static_cast<int>(std::count(log_.begin(), log_.end(), entry));
}

size_t FakeObject::sinkCount(const IID& events) const {
  for (FakeConnectionPoint* p : points_)
    if (p->events() == events) return p->count();
  return 0;
}

HRESULT FakeObject::fire(const IID& events, DISPID id, std::vector<Variant> args, const IID& riid) {
  for (FakeConnectionPoint* p : points_) {
    if (p->events() != events) continue;
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->get());
    DISPPARAMS dp{reversed.empty() ? nullptr : reversed.data(), nullptr,
                  static_cast<UINT>(reversed.size()), 0};
    for (const ComPtr<IDispatch>& sink : p->sinks()) {
      const HRESULT hr = sink->Invoke(id, riid, 0, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr);
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  }
  return E_FAIL;
}

HRESULT FakeObject::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch)
    *out = static_cast<IDispatch*>(this);
  else if (riid == IID_IConnectionPointContainer && !points_.empty())
    *out = static_cast<IConnectionPointContainer*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT FakeObject::GetTypeInfoCount(UINT* count) {
  *count = type_ == GUID_NULL ? 0 : 1;
  return S_OK;
}

HRESULT FakeObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  if (type_ == GUID_NULL) return E_NOTIMPL;
  *info = new FakeTypeInfo(type_);
  return S_OK;
}

HRESULT FakeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  ++lookups_;
  if (count != 1) return DISP_E_UNKNOWNNAME;
  const std::wstring key = lower(names[0]);
  if (!open_ && !values_.count(key) && !methods_.count(key)) {
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  ids[0] = idOf(key);
  return S_OK;
}

HRESULT FakeObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* info, UINT*) {
  const size_t index = static_cast<size_t>(id - 1000);
  if (id < 1000 || index >= names_.size()) return DISP_E_MEMBERNOTFOUND;
  const std::wstring name = names_[index];
  std::vector<Variant> args;
  const UINT named = params ? params->cNamedArgs : 0;
  for (UINT i = params ? params->cArgs : 0; i-- > named;) {
    Variant v;
    VariantCopy(v.out(), &params->rgvarg[i]);
    args.push_back(std::move(v));
  }
  if (flags & DISPATCH_PROPERTYPUT) {
    log_.push_back(L"put " + name);
    if (!params || params->cArgs < 1) return DISP_E_BADPARAMCOUNT;
    Variant v;
    VariantCopy(v.out(), &params->rgvarg[0]);
    if (const auto m = methods_.find(name); m != methods_.end()) {
      std::vector<Variant> one{v};
      Variant ignored;
      return m->second(one, ignored, info);
    }
    values_[name] = std::move(v);
    return S_OK;
  }
  if (const auto m = methods_.find(name); m != methods_.end()) {
    log_.push_back(L"call " + name);
    Variant out;
    const HRESULT hr = m->second(args, out, info);
    if (SUCCEEDED(hr) && result) VariantCopy(result, const_cast<VARIANT*>(&out.get()));
    return hr;
  }
  log_.push_back(L"get " + name);
  if (result) VariantCopy(result, const_cast<VARIANT*>(&values_[name].get()));
  return S_OK;
}

HRESULT FakeObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
  *out = nullptr;
  return E_NOTIMPL;
}

HRESULT FakeObject::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
  *out = nullptr;
  for (FakeConnectionPoint* p : points_) {
    if (p->events() == riid) {
      *out = p;
      p->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

}  // namespace brelm::win32::test
