#pragma once
// The imitated host: its documents and windows in host order, the active
// window, its Application object and command bars, and the operations both
// the object model and the test script use. Presentation host events are
// raised from inside these operations, as the real host raises them inside
// the call that causes them.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/call_log.h"
#include "common/com.h"
#include "host/host_config.h"
#include "objects/addin_object.h"
#include "objects/application.h"
#include "objects/command_bars.h"
#include "objects/dispatch_object.h"
#include "objects/doc_objects.h"

namespace hostsim {

class HostWindows;

class Host {
 public:
  Host(HostConfig config, CallLog& log);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  const HostConfig& config() const { return config_; }
  void setSwitchOrder(SwitchOrder order) { config_.switchOrder = order; }
  HostContext& context() { return context_; }
  CallLog& log() { return context_.log; }
  ApplicationObj& app() { return *app_.Get(); }
  CommandBarsObj& commandBars() { return *bars_.Get(); }
  HostWindows& tree() { return *tree_; }
  // The add-ins Application.COMAddIns lists; null while none are loaded.
  AddinRegistry* addinRegistry() const { return addins_; }
  void setAddinRegistry(AddinRegistry* registry) { addins_ = registry; }

  // Host order: the spreadsheet host lists the most recently active window
  // first; the presentation host lists windows in the order they opened.
  const std::vector<ComPtr<WindowObj>>& windows() const { return windows_; }
  const std::vector<ComPtr<DocumentObj>>& documents() const { return documents_; }
  // The active window; null when there is none, `noactive` is in force or a
  // Protected View window is in front. Never a hidden window.
  WindowObj* active() const;
  WindowObj* findWindow(const std::wstring& caption) const;
  DocumentObj* findDocument(const std::wstring& name) const;

  // A document with one window, made active. fromFile: opened (has a path,
  // saved); otherwise new and never saved. A hidden one (the personal macro
  // workbook) is listed but neither shown nor activated.
  WindowObj& openDocument(const std::wstring& caption, bool fromFile, bool hidden = false);
  // The personal macro workbook, opened hidden from the start-up folder.
  WindowObj& openPersonal();
  // A document opened from a file (Workbooks.Open, Presentations.Open): its
  // caption is the file's name. Fails as the hosts do when there is no file.
  WindowObj& openFile(const std::wstring& path);
  // A new document named as the host names them (Book1, Presentation1, ...).
  WindowObj& addDocument();
  WindowObj& newWindow(WindowObj& of, const std::wstring& caption);
  void activate(WindowObj& window);
  // Closes the window (and its document with its last window). With a
  // prompt, the spreadsheet host asks about unsaved changes first; returns
  // false when the user cancelled.
  bool closeWindow(WindowObj& window, bool prompt);
  void rename(WindowObj& window, const std::wstring& caption);
  void setNoActive() { noActive_ = true; }
  void setBusy(bool busy) { context_.busy = busy; }
  // Hides or shows a window (View > Hide / Unhide, Window.Visible). A hidden
  // active window hands activation on; one shown again is activated when
  // `activateIt` or when no window is active.
  void setWindowVisible(WindowObj& window, bool visible, bool activateIt);
  // A Protected View window in front of the workbook frames, and a host
  // whose Application.Hwnd fails: what the add-in sees then is unknown.
  void setProtectedView(bool open);
  bool protectedViewInFront() const { return protectedFront_; }
  void setHwndFails(bool fails) { hwndFails_ = fails; }
  bool hwndFails() const { return hwndFails_; }
  // What Application.Hwnd names: the frame in front, the Protected View
  // window while that is; null while it fails or there is no frame yet.
  HWND applicationHwnd() const;

  // The application loses the activation (minimised, another program in
  // front) or gets it back. The presentation host tells the add-in with
  // WindowDeactivate or WindowActivate for the active window, which stays
  // the active window throughout.
  void setApplicationActive(bool active);
  bool applicationActive() const { return appActive_; }
  // The user minimises the frame in front, and restores it.
  void minimize();
  void restore();
  HWND minimizedFrame() const { return minimized_; }

  // The screen's dpi, read once: it cannot change while we run (a new dpi
  // needs a new process), and a real host does not ask the screen on every
  // property read.
  double dpi() const { return dpi_; }
  // Application.Width in points.
  double widthPoints() const;
  bool formulaBar() const { return formulaBar_; }
  void setFormulaBar(bool shown);
  // Application.Visible. From version 15 on, showing the application shows
  // every hidden window too.
  void setVisible(bool visible);
  bool visible() const { return appVisible_; }

  void quit();
  bool quitRequested() const { return quit_; }
  // Called once the host has quit; by default ends the message loop.
  std::function<void()> onQuit = [] { PostQuitMessage(0); };
  // Ends every connection and lets go of every object (at exit).
  void shutdown();

 private:
  WindowObj& openDocumentAt(const std::wstring& caption, const std::wstring& path, bool hidden);
  void moveToFront(WindowObj& window);
  void removeWindow(WindowObj& window);
  void removeDocument(DocumentObj& document);
  void makeActive(WindowObj* next);
  WindowObj* successorOf(const WindowObj& closing) const;
  bool promptToSave(WindowObj& window);

  HostConfig config_;
  HostContext context_;
  double dpi_;
  ComPtr<ApplicationObj> app_;
  ComPtr<CommandBarsObj> bars_;
  std::unique_ptr<HostWindows> tree_;
  std::vector<ComPtr<WindowObj>> windows_;
  std::vector<ComPtr<DocumentObj>> documents_;
  WindowObj* active_ = nullptr;
  long activations_ = 0;
  bool noActive_ = false;
  bool formulaBar_ = true;
  bool appVisible_ = true;
  bool protectedFront_ = false;
  bool hwndFails_ = false;
  bool appActive_ = true;
  HWND minimized_ = nullptr;
  int stateBeforeMinimize_ = 1;
  bool quit_ = false;
  AddinRegistry* addins_ = nullptr;
  int added_ = 0;
};

}  // namespace hostsim
