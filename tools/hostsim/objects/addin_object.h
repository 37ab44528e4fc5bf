#pragma once
// The COMAddIn object: the one the host passes to OnConnection as AddInInst,
// and the items of Application.COMAddIns, through which a caller reads and
// sets whether an add-in is connected.
#include <windows.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "objects/dispatch_object.h"

namespace hostsim {

// The registered add-ins, as Application.COMAddIns lists them.
class AddinRegistry {
 public:
  struct Entry {
    std::wstring progId, description;
  };
  virtual ~AddinRegistry() = default;
  virtual std::vector<Entry> registered() const = 0;
  virtual bool connected(const std::wstring& progId) const = 0;
  // Connects or disconnects the add-in as the COM Add-ins dialog does;
  // the add-in's failure comes back as its HRESULT.
  virtual HRESULT setConnected(const std::wstring& progId, bool connect) = 0;
};

class AddinObj final : public DispatchObject {
 public:
  // registry null: the object handed to the add-in, whose state the loader
  // sets; otherwise a COMAddIns item that reads and sets the registry's.
  AddinObj(HostContext& context, std::wstring progId, std::wstring description,
           AddinRegistry* registry = nullptr);
  std::string describe() const override { return "COMAddIn[\"" + narrow(progId_) + "\"]"; }
  void setConnected(bool connected) { connected_ = connected; }

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  std::wstring progId_, description_;
  AddinRegistry* registry_;
  bool connected_ = false;
};

// Application.COMAddIns: Count, Item(number or ProgID).
class ComAddinsObj final : public DispatchObject {
 public:
  ComAddinsObj(HostContext& context, AddinRegistry* registry);
  std::string describe() const override { return "COMAddIns"; }
  static void itemOf(HostContext& context, AddinRegistry* registry, const Args& args, size_t at, VARIANT* result);

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  AddinRegistry* registry_;
};

}  // namespace hostsim
