#pragma once
// The COMAddIn object the host passes to OnConnection as AddInInst.
#include <string>

#include "common/text.h"
#include "objects/dispatch_object.h"

namespace hostsim {

class AddinObj final : public DispatchObject {
 public:
  AddinObj(HostContext& context, std::wstring progId, std::wstring description);
  std::string describe() const override { return "COMAddIn[\"" + narrow(progId_) + "\"]"; }
  void setConnected(bool connected) { connected_ = connected; }

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  std::wstring progId_, description_;
  bool connected_ = false;
};

}  // namespace hostsim
