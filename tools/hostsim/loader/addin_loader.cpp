#include "loader/addin_loader.h"

#include <cstdio>

#include "common/text.h"
#include "host/host.h"
#include "loader/reg_key.h"

namespace hostsim {

namespace {
constexpr DWORD kLoadAtStartup = 3;

// An empty custom-argument array, as the hosts pass.
class EmptyCustom {
 public:
  EmptyCustom() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~EmptyCustom() {
    if (array_) SafeArrayDestroy(array_);
  }
  EmptyCustom(const EmptyCustom&) = delete;
  EmptyCustom& operator=(const EmptyCustom&) = delete;
  SAFEARRAY** get() { return &array_; }

 private:
  SAFEARRAY* array_;
};

std::wstring hostKeyName(const Host& host) { return host.config().sheet() ? L"Excel" : L"PowerPoint"; }
}  // namespace

AddinLoader::AddinLoader(Host& host) : host_(host) { host_.setAddinRegistry(this); }

AddinLoader::~AddinLoader() {
  host_.setAddinRegistry(nullptr);
  disconnectAll(ext_dm_HostShutdown);
  addins_.clear();  // releases every instance before the modules may go
}

void AddinLoader::note(const LoadedAddin& addin, const std::string& what, HRESULT hr) {
  std::string line = "host: " + what + "(" + narrow(addin.progId) + ") -> " + hresultText(hr);
  host_.log().add(line);
  std::fprintf(stderr, "hostsim: %s\n", line.c_str());
}

void AddinLoader::startup() {
  discover(HKEY_CURRENT_USER, L"HKCU");
  discover(HKEY_LOCAL_MACHINE, L"HKLM");
  for (LoadedAddin& addin : addins_) {
    if (addin.loadBehavior != kLoadAtStartup) continue;
    addin.lastResult = create(addin);
    if (SUCCEEDED(addin.lastResult)) connect(addin, ext_cm_Startup);
  }
}

// The user's registration of a ProgID that loads at start-up hides the
// machine's; one that does not gives way to a machine's that does.
void AddinLoader::discover(HKEY root, const wchar_t* rootName) {
  std::wstring path = L"Software\\Microsoft\\Office\\" + hostKeyName(host_) + L"\\Addins";
  RegKey key(root, path);
  for (const std::wstring& progId : key.subkeys()) {
    RegKey entry(root, path + L"\\" + progId);
    LoadedAddin addin;
    addin.progId = progId;
    addin.registeredIn = rootName;
    addin.description = entry.string(L"Description").value_or(progId);
    addin.loadBehavior = entry.dword(L"LoadBehavior").value_or(0);
    LoadedAddin* known = nullptr;
    for (LoadedAddin& a : addins_)
      if (equalsNoCase(a.progId, progId)) known = &a;
    if (!known) addins_.push_back(std::move(addin));
    else if (known->loadBehavior != kLoadAtStartup && addin.loadBehavior == kLoadAtStartup) *known = std::move(addin);
  }
}

// Wine ignores HKCU\Software\Classes, so a per-user class is resolved here
// the way Windows would: the user's classes first, then normal activation.
HRESULT AddinLoader::create(LoadedAddin& addin) {
  RegKey userProgId(HKEY_CURRENT_USER, L"Software\\Classes\\" + addin.progId + L"\\CLSID");
  std::optional<std::wstring> userClsid = userProgId.string(nullptr);
  CLSID clsid{};
  if (userClsid && SUCCEEDED(CLSIDFromString(userClsid->c_str(), &clsid))) {
    HRESULT hr = createPerUser(addin, clsid);
    if (SUCCEEDED(hr)) return hr;
  }
  HRESULT hr = CLSIDFromProgID(addin.progId.c_str(), &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIID_IDTExtensibility2,
                          reinterpret_cast<void**>(addin.instance.ReleaseAndGetAddressOf()));
  note(addin, "create", hr);
  return hr;
}

HRESULT AddinLoader::createPerUser(LoadedAddin& addin, const CLSID& clsid) {
  wchar_t clsidText[64];
  StringFromGUID2(clsid, clsidText, 64);
  RegKey server(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\CLSID\\") + clsidText + L"\\InprocServer32");
  std::optional<std::wstring> dll = server.string(nullptr);
  if (!dll) return REGDB_E_CLASSNOTREG;
  addin.dllPath = *dll;
  if (!addin.module) addin.module = LoadLibraryW(dll->c_str());
  if (!addin.module) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto entry = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(addin.module, "DllGetClassObject")));
  if (!entry) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  ComPtr<IClassFactory> factory;
  HRESULT hr = entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
  if (SUCCEEDED(hr))
    hr = factory->CreateInstance(nullptr, kIID_IDTExtensibility2,
                                 reinterpret_cast<void**>(addin.instance.ReleaseAndGetAddressOf()));
  note(addin, "create per-user", hr);
  return hr;
}

void AddinLoader::connect(LoadedAddin& addin, ext_ConnectMode mode) {
  if (!addin.instance || addin.connected) return;
  addin.addinObject = makeCom<AddinObj>(host_.context(), addin.progId, addin.description);
  EmptyCustom custom;
  HRESULT hr = addin.instance->OnConnection(&host_.app(), mode, addin.addinObject.Get(), custom.get());
  note(addin, "OnConnection", hr);
  addin.lastResult = hr;
  if (FAILED(hr)) return;
  addin.connected = true;
  addin.addinObject->setConnected(true);
  EmptyCustom custom2;
  note(addin, "OnAddInsUpdate", addin.instance->OnAddInsUpdate(custom2.get()));
  if (mode == ext_cm_Startup) {
    EmptyCustom custom3;
    note(addin, "OnStartupComplete", addin.instance->OnStartupComplete(custom3.get()));
  }
}

void AddinLoader::disconnect(LoadedAddin& addin, ext_DisconnectMode mode) {
  if (!addin.instance || !addin.connected) return;
  if (mode == ext_dm_HostShutdown) {
    EmptyCustom custom;
    note(addin, "OnBeginShutdown", addin.instance->OnBeginShutdown(custom.get()));
  }
  EmptyCustom custom;
  HRESULT hr = addin.instance->OnDisconnection(mode, custom.get());
  note(addin, "OnDisconnection", hr);
  addin.connected = false;
  addin.addinObject->setConnected(false);
  addin.addinObject.Reset();
  addin.instance.Reset();  // the hosts release the add-in after disconnecting it
}

void AddinLoader::connectAll(ext_ConnectMode mode) {
  for (LoadedAddin& addin : addins_) {
    if (addin.connected || addin.loadBehavior != kLoadAtStartup) continue;
    if (!addin.instance && FAILED(create(addin))) continue;
    connect(addin, mode);
  }
}

void AddinLoader::disconnectAll(ext_DisconnectMode mode) {
  for (LoadedAddin& addin : addins_) disconnect(addin, mode);
}

std::vector<AddinRegistry::Entry> AddinLoader::registered() const {
  std::vector<Entry> out;
  for (const LoadedAddin& a : addins_) out.push_back({a.progId, a.description});
  return out;
}

bool AddinLoader::connected(const std::wstring& progId) const {
  for (const LoadedAddin& a : addins_)
    if (equalsNoCase(a.progId, progId)) return a.connected;
  return false;
}

HRESULT AddinLoader::setConnected(const std::wstring& progId, bool on) {
  for (LoadedAddin& addin : addins_) {
    if (!equalsNoCase(addin.progId, progId)) continue;
    if (!on) {
      disconnect(addin, ext_dm_UserClosed);
      return S_OK;
    }
    if (addin.connected) return S_OK;
    if (!addin.instance) {
      HRESULT hr = create(addin);
      addin.lastResult = hr;
      if (FAILED(hr)) return hr;
    }
    connect(addin, ext_cm_AfterStartup);
    return addin.connected ? S_OK : addin.lastResult;
  }
  return DISP_E_BADINDEX;
}

}  // namespace hostsim
