#pragma once
// hostsim as an out-of-process automation server (`--server`): its
// Application object is offered to other processes through a class factory
// and the running object table, as the real hosts offer theirs when started
// for automation. The classes are hostsim's own test classes, registered
// only in a test's Wine prefix; the real hosts' are never used.
#include <windows.h>
#include <objbase.h>

#include "host/host_config.h"

namespace hostsim {

class Host;

// HostSim.SheetApplication and HostSim.SlideApplication.
extern const CLSID kSheetServerClsid;
extern const CLSID kSlideServerClsid;
const CLSID& serverClsid(HostKind kind);

class AutomationServer {
 public:
  explicit AutomationServer(Host& host) : host_(host) {}
  ~AutomationServer() { stop(); }
  AutomationServer(const AutomationServer&) = delete;
  AutomationServer& operator=(const AutomationServer&) = delete;

  // The spreadsheet host serves one client per process (each CoCreateInstance
  // starts an instance of its own); the presentation host serves every
  // client from its one instance.
  HRESULT start();
  // Takes the class off the market and cuts every client off.
  void stop();

 private:
  Host& host_;
  IClassFactory* factory_ = nullptr;
  DWORD classCookie_ = 0;
  DWORD rotCookie_ = 0;
  bool registered_ = false, inRot_ = false;
};

}  // namespace hostsim
