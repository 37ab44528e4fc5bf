// COM server of the test add-in: class factory, registration (machine-wide
// through DllRegisterServer, per user through DllInstall(TRUE, L"user")) for
// both hosts with LoadBehavior 3.
#include <windows.h>
#include <olectl.h>

#include <atomic>
#include <string>

#include "server.h"

namespace testaddin {

std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
HMODULE g_module = nullptr;

namespace {
constexpr wchar_t kProgId[] = L"hostsimtest.Connect";
constexpr wchar_t kClsidText[] = L"{6E2B7C1A-3F4D-4B8E-9A51-2C7D8E9F0A13}";

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static lifetime
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return createConnect(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? ++g_locks : --g_locks;
    return S_OK;
  }
};
Factory g_factory;

bool setValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool setDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value) {
  return RegSetKeyValueW(root, key.c_str(), name, REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

HRESULT registerIn(HKEY classesRoot, const std::wstring& classes) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(g_module, path, MAX_PATH);
  std::wstring clsid = classes + L"\\CLSID\\" + kClsidText;
  bool ok = setValue(classesRoot, clsid, nullptr, L"hostsim test add-in") &&
            setValue(classesRoot, clsid + L"\\InprocServer32", nullptr, path) &&
            setValue(classesRoot, clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
            setValue(classesRoot, clsid + L"\\ProgID", nullptr, kProgId) &&
            setValue(classesRoot, classes + L"\\" + kProgId + L"\\CLSID", nullptr, kClsidText);
  for (const wchar_t* host : {L"Excel", L"PowerPoint"}) {
    std::wstring key = std::wstring(L"Software\\Microsoft\\Office\\") + host + L"\\Addins\\" + kProgId;
    ok = ok && setValue(HKEY_CURRENT_USER, key, L"FriendlyName", L"hostsim test add-in") &&
         setValue(HKEY_CURRENT_USER, key, L"Description", L"hostsim test add-in") &&
         setDword(HKEY_CURRENT_USER, key, L"LoadBehavior", 3);
  }
  return ok ? S_OK : SELFREG_E_CLASS;
}

void unregisterIn(HKEY classesRoot, const std::wstring& classes) {
  RegDeleteTreeW(classesRoot, (classes + L"\\CLSID\\" + kClsidText).c_str());
  RegDeleteTreeW(classesRoot, (classes + L"\\" + kProgId).c_str());
  for (const wchar_t* host : {L"Excel", L"PowerPoint"})
    RegDeleteTreeW(HKEY_CURRENT_USER,
                   (std::wstring(L"Software\\Microsoft\\Office\\") + host + L"\\Addins\\" + kProgId).c_str());
}
}  // namespace

}  // namespace testaddin

using namespace testaddin;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return registerIn(HKEY_LOCAL_MACHINE, L"Software\\Classes"); }

STDAPI DllUnregisterServer() {
  unregisterIn(HKEY_LOCAL_MACHINE, L"Software\\Classes");
  unregisterIn(HKEY_CURRENT_USER, L"Software\\Classes");
  return S_OK;
}

STDAPI DllInstall(BOOL install, LPCWSTR command) {
  if (!command || lstrcmpiW(command, L"user") != 0) return E_INVALIDARG;
  if (!install) {
    unregisterIn(HKEY_CURRENT_USER, L"Software\\Classes");
    return S_OK;
  }
  return registerIn(HKEY_CURRENT_USER, L"Software\\Classes");
}
