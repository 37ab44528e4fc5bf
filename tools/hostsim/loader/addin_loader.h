#pragma once
// Loads COM add-ins the way the hosts do: every ProgID under
// Software\Microsoft\Office\<host>\Addins of the current user and of the
// machine whose LoadBehavior is 3 is created at start-up and connected
// through _IDTExtensibility2, and disconnected at exit. Every registered
// add-in, whatever its LoadBehavior, is listed in Application.COMAddIns and
// may be connected from there.
#include <windows.h>

#include <string>
#include <vector>

#include "common/com.h"
#include "loader/extensibility.h"
#include "objects/addin_object.h"

namespace hostsim {

class Host;

struct LoadedAddin {
  std::wstring progId;
  std::wstring registeredIn;  // "HKCU" or "HKLM"
  std::wstring description;
  std::wstring dllPath;       // per-user registrations, resolved by hand
  DWORD loadBehavior = 0;
  ComPtr<IDTExtensibility2> instance;
  ComPtr<AddinObj> addinObject;
  HMODULE module = nullptr;   // loaded by hand; kept until exit
  bool connected = false;
  HRESULT lastResult = S_OK;
};

class AddinLoader final : public AddinRegistry {
 public:
  explicit AddinLoader(Host& host);
  ~AddinLoader() override;
  AddinLoader(const AddinLoader&) = delete;
  AddinLoader& operator=(const AddinLoader&) = delete;

  // Finds, creates and connects every registered add-in (host start-up).
  void startup();
  // Reconnects the add-ins that load at start-up after `disconnect` (a new
  // instance each).
  void connectAll(ext_ConnectMode mode);
  void disconnectAll(ext_DisconnectMode mode);
  const std::vector<LoadedAddin>& addins() const { return addins_; }

  std::vector<Entry> registered() const override;
  bool connected(const std::wstring& progId) const override;
  HRESULT setConnected(const std::wstring& progId, bool connect) override;

 private:
  void discover(HKEY root, const wchar_t* rootName);
  HRESULT create(LoadedAddin& addin);
  HRESULT createPerUser(LoadedAddin& addin, const CLSID& clsid);
  void connect(LoadedAddin& addin, ext_ConnectMode mode);
  void disconnect(LoadedAddin& addin, ext_DisconnectMode mode);
  void note(const LoadedAddin& addin, const std::string& what, HRESULT hr);

  Host& host_;
  std::vector<LoadedAddin> addins_;
};

}  // namespace hostsim
