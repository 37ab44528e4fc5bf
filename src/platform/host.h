#pragma once
// The host applications' object models as the add-in uses them. Values in,
// values out; every call may throw HostError. Text is UTF-8. Host booleans
// (-1 / 0) are plain bool here; sizes of windows are in points.
#include <memory>
#include <optional>
#include <string>

#include "platform/host_error.h"
#include "platform/window_system.h"

namespace brelm {

class DocWindow;

class Document {
 public:
  virtual ~Document() = default;
  virtual std::string name() = 0;
  virtual std::string path() = 0;  // empty until first saved
  // The path and name ("C:\\Data\\Budget.xlsx"); the name alone until first saved.
  virtual std::string fullName() = 0;
  virtual bool saved() = 0;
  virtual void save() = 0;
  // Makes the document's most recent window the active one (a presentation
  // does it through its first window).
  virtual void activate() = 0;
  virtual int windowCount() = 0; // presentation host: Presentation.Windows.Count
  virtual std::shared_ptr<DocWindow> window(int index) = 0;  // 1-based
};

class DocWindow {
 public:
  virtual ~DocWindow() = default;
  virtual std::string caption() = 0;  // fails once the window is closed
  virtual std::shared_ptr<Document> parent() = 0;
  virtual void activate() = 0;
  virtual void close() = 0;
  // Spreadsheet host: false for a window the user cannot see (a hidden
  // workbook, the personal macro workbook). The presentation host has no such
  // windows and is never asked.
  virtual bool visible() = 0;
  // Presentation host only: 1 normal, 2 minimised, 3 maximised; points.
  virtual int windowState() = 0;
  virtual void setWindowState(int state) = 0;
  virtual double top() = 0;
  virtual double left() = 0;
  virtual double width() = 0;
  virtual double height() = 0;
  virtual void setTop(double v) = 0;
  virtual void setLeft(double v) = 0;
  virtual void setWidth(double v) = 0;
  virtual void setHeight(double v) = 0;
  // COM identity: true when both wrap the same host object.
  virtual bool sameObject(const DocWindow& other) const = 0;
};

// Receives the Click of a command-bar button (and of every button sharing its Tag).
class ButtonClickSink {
 public:
  virtual ~ButtonClickSink() = default;
  virtual void onButtonClick(const std::string& parameter) = 0;
};

class CommandBarButton {
 public:
  virtual ~CommandBarButton() = default;
  virtual void setFaceId(int id) = 0;
  virtual void setCaption(const std::string& text) = 0;
  virtual void setTooltipText(const std::string& text) = 0;
  virtual void setStyle(int style) = 0;
  virtual void setTag(const std::string& tag) = 0;
  virtual void setParameter(const std::string& parameter) = 0;
  // Subscribes the sink to Click until unbindClick or destruction.
  virtual void bindClick(ButtonClickSink* sink) = 0;
  virtual void unbindClick() = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual void deleteBar() = 0;
  virtual void showPopup() = 0;  // at the pointer
  // Control type 1 (button), id 1, temporary; before = insertion position.
  virtual std::unique_ptr<CommandBarButton> addButton(std::optional<int> before) = 0;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual void setInitialFileName(const std::string& name) = 0;
  virtual int show() = 0;  // -1 accepted
  virtual void execute() = 0;
};

// Members both hosts have.
class HostApp {
 public:
  virtual ~HostApp() = default;
  virtual std::string version() = 0;
  virtual double width() = 0;  // points
  virtual std::shared_ptr<DocWindow> activeWindow() = 0;  // fails when there is none
  virtual int windowCount() = 0;
  virtual std::shared_ptr<DocWindow> window(int index) = 0;  // 1-based, host order
  virtual void setShowWindowsInTaskbar(bool show) = 0;
  virtual bool showWindowsInTaskbar() = 0;
  // Workbooks (spreadsheet) or Presentations (presentation).
  virtual int documentCount() = 0;
  virtual std::shared_ptr<Document> document(int index) = 0;
  virtual std::unique_ptr<CommandBar> commandBar(const std::string& name) = 0;
  // A popup bar (position 5). A temporary one is never saved into the
  // user's command-bar customisations and is gone when the host exits.
  virtual std::unique_ptr<CommandBar> addPopupBar(const std::string& name, bool temporary) = 0;
  virtual std::unique_ptr<FileDialog> saveAsDialog() = 0;
  // The frame of the active window (spreadsheet host: the main window up to
  // 14; presentation host: from 15 only, it fails before).
  virtual Hwnd hwnd() = 0;
};

class SheetApp : public HostApp {
 public:
  virtual bool displayFormulaBar() = 0;
  virtual void setDisplayFormulaBar(bool show) = 0;
  virtual void setVisible(bool visible) = 0;
};

// Application events of the presentation host, raised synchronously inside
// the host call that causes them.
class SlideAppEvents {
 public:
  virtual ~SlideAppEvents() = default;
  virtual void onPresentationClose() = 0;
  virtual void onPresentationOpen() = 0;
  virtual void onNewPresentation() = 0;
  virtual void onWindowActivate(const std::shared_ptr<DocWindow>& window) = 0;
  virtual void onWindowDeactivate(const std::shared_ptr<DocWindow>& window) = 0;
};

class SlideApp : public HostApp {
 public:
  virtual void activate() = 0;
  virtual void quit() = 0;
  // One subscriber at a time; nullptr ends the subscription.
  virtual void subscribe(SlideAppEvents* sink) = 0;
};

}  // namespace brelm
