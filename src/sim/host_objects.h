#pragma once
// The host objects the add-in is handed: windows, documents, command bars,
// buttons, the file dialog and the Application. Each is a thin handle on the
// host model, counted while it lives so that a test can see whether the
// add-in let go of everything. Every member goes through HostModel::enter,
// so a busy or departed host refuses it, and logs itself.
#include <memory>
#include <optional>
#include <string>

#include "platform/host.h"
#include "sim/host_model.h"

namespace brelm::sim {

class HostObject {
 public:
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

 protected:
  explicit HostObject(std::shared_ptr<HostModel> host) : host_(std::move(host)) {
    host_->retain();
  }
  ~HostObject() { host_->release(); }
  HostModel& host() const { return *host_; }
  const std::shared_ptr<HostModel>& hostPtr() const { return host_; }

 private:
  std::shared_ptr<HostModel> host_;
};

class SimDocWindow final : public DocWindow, HostObject {
 public:
  SimDocWindow(std::shared_ptr<HostModel> host, int id) : HostObject(std::move(host)), id_(id) {}
  int id() const { return id_; }
  const HostModel* model() const { return &host(); }

  std::string caption() override;
  std::shared_ptr<Document> parent() override;
  void activate() override;
  void close() override;
  bool visible() override;
  int windowState() override;
  void setWindowState(int state) override;
  double top() override { return readPoints("Top", &WinData::top); }
  double left() override { return readPoints("Left", &WinData::left); }
  double width() override { return readPoints("Width", &WinData::width); }
  double height() override { return readPoints("Height", &WinData::height); }
  void setTop(double v) override { writePoints("Top", &WinData::top, v); }
  void setLeft(double v) override { writePoints("Left", &WinData::left, v); }
  void setWidth(double v) override { writePoints("Width", &WinData::width, v); }
  void setHeight(double v) override { writePoints("Height", &WinData::height, v); }
  bool sameObject(const DocWindow& other) const override;

 private:
  double readPoints(const char* name, double WinData::*field);
  void writePoints(const char* name, double WinData::*field, double v);
  std::string call(const std::string& member) const;

  int id_;
};

class SimDocument final : public Document, HostObject {
 public:
  SimDocument(std::shared_ptr<HostModel> host, int id) : HostObject(std::move(host)), id_(id) {}

  std::string name() override;
  std::string path() override;
  std::string fullName() override;
  bool saved() override;
  void save() override;
  void activate() override;
  int windowCount() override;
  std::shared_ptr<DocWindow> window(int index) override;

 private:
  std::string call(const std::string& member) const;
  int id_;
};

class SimButton final : public CommandBarButton, HostObject {
 public:
  SimButton(std::shared_ptr<HostModel> host, int bar, int control)
      : HostObject(std::move(host)), bar_(bar), control_(control) {}
  ~SimButton() override;

  void setFaceId(int id) override;
  void setCaption(const std::string& text) override;
  void setTooltipText(const std::string& text) override;
  void setStyle(int style) override;
  void setTag(const std::string& tag) override;
  void setParameter(const std::string& parameter) override;
  void bindClick(ButtonClickSink* sink) override;
  void unbindClick() override;

 private:
  ControlData& control(const std::string& call);
  int bar_, control_;
  std::optional<int> binding_;
};

class SimCommandBar final : public CommandBar, HostObject {
 public:
  SimCommandBar(std::shared_ptr<HostModel> host, int id) : HostObject(std::move(host)), id_(id) {}

  void deleteBar() override;
  void showPopup() override;
  std::unique_ptr<CommandBarButton> addButton(std::optional<int> before) override;

 private:
  std::string name() const;
  int id_;
};

class SimFileDialog final : public FileDialog, HostObject {
 public:
  explicit SimFileDialog(std::shared_ptr<HostModel> host) : HostObject(std::move(host)) {}

  void setInitialFileName(const std::string& name) override;
  int show() override;
  void execute() override;

 private:
  std::string initialFileName_;
  bool accepted_ = false;
};

// The Application members both hosts have, over the host model.
template <class Base>
class SimAppBase : public Base, protected HostObject {
 public:
  explicit SimAppBase(std::shared_ptr<HostModel> host) : HostObject(std::move(host)) {}

  std::string version() override;
  double width() override;
  std::shared_ptr<DocWindow> activeWindow() override;
  int windowCount() override;
  std::shared_ptr<DocWindow> window(int index) override;
  void setShowWindowsInTaskbar(bool show) override;
  bool showWindowsInTaskbar() override;
  int documentCount() override;
  std::shared_ptr<Document> document(int index) override;
  std::unique_ptr<CommandBar> commandBar(const std::string& name) override;
  std::unique_ptr<CommandBar> addPopupBar(const std::string& name, bool temporary) override;
  std::unique_ptr<FileDialog> saveAsDialog() override;

 protected:
  // "Workbooks" or "Presentations".
  virtual const char* documentsName() const = 0;
};

}  // namespace brelm::sim
