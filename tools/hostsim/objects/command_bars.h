#pragma once
// Office command bars: the host's set of bars, a bar with its controls, and
// push buttons whose Click goes to every sink bound to any button carrying
// the same Tag (the way the hosts deliver command-bar events).
#include <optional>
#include <string>
#include <vector>

#include "common/com.h"
#include "objects/connection_point.h"
#include "objects/dispatch_object.h"

namespace hostsim {

class Host;
class CommandBarObj;

class ButtonObj final : public DispatchObject {
 public:
  ButtonObj(Host& host, CommandBarObj& bar, long type, long id);
  std::string describe() const override;

  const std::wstring& caption() const { return caption_; }
  const std::wstring& tag() const { return tag_; }
  const std::wstring& parameter() const { return parameter_; }
  long faceId() const { return faceId_; }
  bool deleted() const { return deleted_; }
  void markDeleted();
  ConnectionPoint& clickPoint() { return click_; }

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;
  void* queryOther(REFIID iid) override;

 private:
  void checkAlive() const;
  Host& host_;
  CommandBarObj* bar_;  // cleared when deleted
  long type_, id_;
  long faceId_ = 0, style_ = 0;
  std::wstring caption_, tooltip_, tag_, parameter_;
  bool deleted_ = false;
  ConnectionPoints container_{*this};
  ConnectionPoint click_;
};

class CommandBarObj final : public DispatchObject {
 public:
  CommandBarObj(Host& host, std::wstring name, long position, bool temporary = false);
  std::string describe() const override;

  const std::wstring& name() const { return name_; }
  // Added with Temporary = True: the host forgets it at exit, never saves it.
  bool temporary() const { return temporary_; }
  const std::vector<ComPtr<ButtonObj>>& controls() const { return controls_; }
  ButtonObj& addControl(long type, long id, std::optional<long> before);
  void removeControl(ButtonObj& control);
  bool deleted() const { return deleted_; }
  void markDeleted();

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  void checkAlive() const;
  void showPopup();
  Host& host_;
  std::wstring name_;
  long position_;
  bool temporary_;
  bool deleted_ = false;
  std::vector<ComPtr<ButtonObj>> controls_;
};

// CommandBar.Controls: a view of one bar's controls.
class ControlsObj final : public DispatchObject {
 public:
  ControlsObj(Host& host, CommandBarObj& bar);
  std::string describe() const override;

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  ComPtr<CommandBarObj> bar_;
};

// Application.CommandBars: owns every bar of the host.
class CommandBarsObj final : public DispatchObject {
 public:
  explicit CommandBarsObj(Host& host);
  std::string describe() const override;

  CommandBarObj* find(const std::wstring& name) const;
  CommandBarObj& add(const std::wstring& name, long position, bool temporary = false);
  void remove(CommandBarObj& bar);
  // Every live button carrying the tag, the clicked one first.
  std::vector<ButtonObj*> buttonsTagged(const std::wstring& tag) const;
  void dropAllSinks();

 protected:
  std::span<const Member> members() const override;
  void invoke(DISPID id, Access how, const Args& args, VARIANT* result) override;

 private:
  void item(const Args& args, VARIANT* result) const;
  Host& host_;
  std::vector<ComPtr<CommandBarObj>> bars_;
};

}  // namespace hostsim
