#pragma once
// What both simulated hosts share: documents and their windows, the active
// window, the window list, the busy and no-active-window states, command bars
// and the Save As dialog. The add-in reaches this model only through the
// host objects of host_objects.h; scenarios and tests drive it directly with
// the user's actions (open, activate, close, rename...). Each host adds its
// window layout and, for the presentation host, its application events.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/host_variant.h"
#include "platform/host.h"
#include "sim/fault_plan.h"
#include "sim/sim_log.h"
#include "sim/sim_window_system.h"
#include "sim/window_tree.h"

namespace brelm::sim {

namespace simhr {
// A member called on an object whose host object is gone (a closed window).
constexpr std::int32_t kDisconnected = static_cast<std::int32_t>(0x80010108);
// A member the object does not have (DISP_E_UNKNOWNNAME).
constexpr std::int32_t kUnknownName = static_cast<std::int32_t>(0x80020006);
// Every call after the host has quit.
constexpr std::int32_t kServerUnavailable = static_cast<std::int32_t>(0x800706BA);
}  // namespace simhr

// The folder a document saved by the simulated host lands in.
inline constexpr const char* kDocumentFolder = "C:\\Users\\sim\\Documents";

struct DocData {
  int id = 0;
  std::string name;
  std::string path;
  bool saved = true;
  bool open = true;
  bool saveFails = false;  // a full disk, a read-only folder
};

struct WinData {
  int id = 0;
  int doc = 0;
  std::string caption;
  bool open = true;
  bool closing = false;
  bool visible = true;  // false: hidden (View > Hide, the personal macro workbook)
  int state = 1;  // 1 normal, 2 minimised, 3 maximised
  double top = 0, left = 0, width = 720, height = 540;  // points
};

struct ControlData {
  int id = 0;
  int faceId = 0;
  int style = 0;
  std::string caption, tooltip, tag, parameter;
};

struct BarData {
  int id = 0;
  std::string name;
  bool builtin = false;
  bool popup = false;
  bool temporary = false;  // the host forgets it when it exits; never saved
  std::vector<ControlData> controls;  // in the order they stand in the bar
};

struct HostOptions {
  std::string version = "14.0";
  double widthPoints = 1000;
  // The border the frames draw (pixels; the version's own when unset), and
  // where on the screen they stand: a maximised frame stands its border's
  // width beyond the screen's edge.
  std::optional<int> frameBorder;
  Point frameOrigin{40, 30};
};

class HostModel : public std::enable_shared_from_this<HostModel> {
 public:
  HostModel(HostKind kind, const HostOptions& options, SimLog& log, WindowTree& tree,
            SimWindowSystem& windows);
  virtual ~HostModel() = default;
  HostModel(const HostModel&) = delete;
  HostModel& operator=(const HostModel&) = delete;

  HostKind kind() const { return kind_; }
  // A new Application object for the add-in, as the host passes at connection.
  virtual std::shared_ptr<HostApp> application() = 0;

  // ---- The user's actions. Unknown captions throw std::invalid_argument.
  virtual void open(const std::string& caption) = 0;
  virtual void newWindow(const std::string& caption, const std::string& newCaption) = 0;
  void userActivate(const std::string& caption) { activateWindow(idOf(caption)); }
  void userClose(const std::string& caption) { closeWindow(idOf(caption)); }
  void rename(const std::string& caption, const std::string& newCaption);
  void setNoActive() { noActive_ = true; }
  void setBusy(bool busy) { busy_ = busy; }
  void modify(const std::string& caption);
  void markSaved(const std::string& caption);
  // Every save of the window's document fails from now on.
  void failSaves(const std::string& caption);
  void setWindowState(const std::string& caption, int state);
  // View > Hide and View > Unhide: a hidden window stays in the window list;
  // unhiding makes it the active window again.
  void hide(const std::string& caption) { setWindowVisible(idOf(caption), false); }
  void unhide(const std::string& caption);
  void setWidthPoints(double points);
  // The host lays out its windows anew, undoing moves made by others.
  virtual void relayout() = 0;
  // The next Save As dialog's answer; `meanwhile` runs while the dialog is
  // up, as whatever the host's message loop dispatches then would.
  void queueDialogAnswer(bool accept, std::function<void()> meanwhile = {}) {
    dialogAnswers_.push_back({accept, std::move(meanwhile)});
  }
  // The user picks the button whose Parameter is `key` in a command bar.
  void clickButton(const std::string& key);

  // ---- What tests read; never logged, never busy.
  const std::string& version() const { return version_; }
  int majorVersion() const;
  double widthPoints() const { return widthPoints_; }
  bool busy() const { return busy_; }
  bool quit() const { return quit_; }
  int liveObjects() const { return live_; }
  const WinData* window(int id) const;
  const DocData* document(int id) const;
  const WinData* active() const;  // nullptr when there is none
  std::vector<int> windowOrder() const { return hostOrder(); }
  std::vector<int> documentOrder() const;  // open documents, in opening order
  const std::map<int, BarData>& commandBars() const { return bars_; }
  bool bound(int controlId) const;
  bool showWindowsInTaskbarValue() const { return showInTaskbar_; }

  // Failures injected into object-model calls; nullptr for none.
  void setFaults(FaultPlan* faults) { faults_ = faults; }
  // A host without the member: every call starting with `call` ("get
  // Visible") fails as an unknown name does.
  void lacks(const std::string& call) { lacking_.push_back(call); }

  // ---- The object model, for the host objects handed to the add-in.
  // Logs the call and throws HostError when the host cannot take it.
  void enter(const std::string& call, bool read);
  // Logs a call the host takes even when busy (ending an event subscription).
  void note(const std::string& call) { log_.action(call); }
  WinData& liveWindow(int id);  // throws HostError once the window is closed
  DocData& liveDocument(int id);
  std::string windowName(int id) const;
  std::string documentName(int id) const;
  virtual void activateWindow(int id) = 0;
  void closeWindow(int id);
  int activeId();  // throws HostError when there is no active window
  int windowAt(int index);   // 1-based, host order
  int documentAt(int index);  // 1-based, opening order
  int windowCountOf(int docId) const;
  void setWindowVisible(int id, bool visible);
  void setShowWindowsInTaskbar(bool show) { showInTaskbar_ = show; }
  // Saves the active document, as the Save As dialog's Execute does.
  void saveActiveAs(const std::string& fileName);
  bool nextDialogAnswer();
  BarData& liveBar(int id);
  ControlData& liveControl(int barId, int controlId);
  int findBar(const std::string& name) const;  // 0 when there is none
  int addBar(const std::string& name, bool temporary);
  void deleteBar(int id);
  int addControl(int barId, int before);  // before: 1-based position, 0 = at the end
  int bind(int controlId, ButtonClickSink* sink);  // returns a binding token
  void unbind(int token);

  // Counts the host objects the add-in holds.
  void retain() { ++live_; }
  void release() { --live_; }

 protected:
  int idOf(const std::string& caption) const;
  int addDocument(const std::string& name, const std::string& path);
  int addWindow(int docId, const std::string& caption);
  // Makes the window the active one in the model; no events, no layout.
  void makeActive(int id);
  // After the active window went away or was hidden: the most recent window
  // the user can see, if any.
  void activateNextVisible();
  void addBuiltinBar(const std::string& name);
  virtual std::vector<int> hostOrder() const = 0;
  // Layout hooks: a window appeared, went away or got a new caption; the
  // main window's size changed.
  virtual void windowAdded(const WinData& w) = 0;
  virtual void windowRemoved(const WinData& w) = 0;
  virtual void windowRenamed(const WinData& w) = 0;
  virtual void visibilityChanged(const WinData& w) { (void)w; }
  // Presentation host: PresentationClose, raised while the document is still open.
  virtual void lastWindowClosing(int docId) { (void)docId; }
  void markQuit() { quit_ = true; }

  HostKind kind_;
  std::string version_;
  double widthPoints_;
  std::optional<int> frameBorder_;
  Point frameOrigin_;
  SimLog& log_;
  WindowTree& tree_;
  SimWindowSystem& windows_;
  std::map<int, DocData> docs_;
  std::map<int, WinData> wins_;
  std::vector<int> opened_;  // open windows, in opening order
  std::vector<int> recent_;  // open windows, most recently active first
  int active_ = 0;

 private:
  struct Binding {
    int controlId;
    ButtonClickSink* sink;
  };

  FaultPlan* faults_ = nullptr;
  std::vector<std::string> lacking_;
  bool noActive_ = false;
  bool busy_ = false;
  bool quit_ = false;
  bool showInTaskbar_ = true;
  int live_ = 0;
  int nextId_ = 1;
  struct DialogAnswer {
    bool accept;
    std::function<void()> meanwhile;
  };
  std::deque<DialogAnswer> dialogAnswers_;
  std::map<int, BarData> bars_;
  std::map<int, Binding> bindings_;
};

// "12", "12.5": numbers as the log writes them.
std::string number(double v);

}  // namespace brelm::sim
