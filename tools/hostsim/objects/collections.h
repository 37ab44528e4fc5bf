#pragma once
// The 1-based collections the add-in walks: Windows (of the application or
// of one presentation) and Workbooks / Presentations. They are live views of
// the host's lists, in host order; Item takes a number or a name.
#include <string>
#include <vector>

#include "common/com.h"
#include "objects/dispatch_object.h"
#include "objects/doc_objects.h"

namespace hostsim {

class Host;

class WindowsObj final : public DispatchObject {
 public:
  // owner null: every window of the host; else the windows of that document.
  WindowsObj(Host& host, DocumentObj* owner);
  std::string describe() const override;
  static void itemOf(const std::vector<WindowObj*>& list, const Args& args, size_t at, VARIANT* result);

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  std::vector<WindowObj*> list() const;
  Host& host_;
  ComPtr<DocumentObj> owner_;
};

class DocumentsObj final : public DispatchObject {
 public:
  explicit DocumentsObj(Host& host);
  std::string describe() const override;
  static void itemOf(Host& host, const Args& args, size_t at, VARIANT* result);

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  Host& host_;
};

}  // namespace hostsim
