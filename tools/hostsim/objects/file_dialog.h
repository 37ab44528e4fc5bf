#pragma once
// Application.FileDialog(2): the Save As dialog. Show opens a real modal
// dialog window that a person or a script answers; Execute saves the active
// document under the chosen name, as the hosts do.
#include <string>

#include "objects/dispatch_object.h"

namespace hostsim {

class Host;

class FileDialogObj final : public DispatchObject {
 public:
  FileDialogObj(Host& host, long type);
  std::string describe() const override { return "FileDialog(" + std::to_string(type_) + ")"; }

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  void execute();
  Host& host_;
  long type_;
  std::wstring initialFileName_, chosen_;
  bool accepted_ = false;
};

}  // namespace hostsim
