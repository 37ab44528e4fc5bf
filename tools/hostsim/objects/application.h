#pragma once
// The Application object of either host, with the members that host has and
// (presentation host) its application events through a connection point.
#include <string>

#include "common/com.h"
#include "objects/connection_point.h"
#include "objects/dispatch_object.h"

namespace hostsim {

class Host;
class WindowObj;
class DocumentObj;

class ApplicationObj final : public DispatchObject {
 public:
  explicit ApplicationObj(Host& host);
  std::string describe() const override { return "Application"; }

  // Presentation host events, raised synchronously.
  void raiseWindowActivate(DocumentObj& doc, WindowObj& window);
  void raiseWindowDeactivate(DocumentObj& doc, WindowObj& window);
  void raisePresentationClose(DocumentObj& doc);
  void raisePresentationOpen(DocumentObj& doc);
  void raiseNewPresentation(DocumentObj& doc);
  ConnectionPoint& events() { return events_; }

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;
  void* queryOther(REFIID iid) override;

 private:
  void sheetMember(DISPID id, Access how, const Args& args, VARIANT* result);
  void commonMember(DISPID id, Access how, const Args& args, VARIANT* result);
  void hwnd(VARIANT* result);
  void raise(DISPID id, const char* name, DocumentObj& doc, WindowObj* window);
  Host& host_;
  bool showWindowsInTaskbar_ = true;
  // Accepted and read back; hostsim's own prompts do not depend on it.
  long displayAlerts_ = -1;
  ConnectionPoints container_{*this};
  ConnectionPoint events_;
};

}  // namespace hostsim
