#pragma once
// The simulated spreadsheet host. Its main window "XLMAIN" holds, top to
// bottom: the command-bar dock (the "Worksheet Menu Bar" on version 11, the
// ribbon later), the formula bar "EXCEL;", the document area "XLDESK" with one
// "EXCEL7" window per document window between the left dock (holding the
// "Document Recovery" bar) and the right dock (holding the "Task Pane" bar),
// and the status bar. The window list is in z-order: Windows(1) is the active
// window.
#include <map>
#include <memory>
#include <vector>

#include "sim/host_model.h"

namespace brelm::sim {

class SheetHost final : public HostModel {
 public:
  SheetHost(const HostOptions& options, SimLog& log, WindowTree& tree, SimWindowSystem& windows);

  std::shared_ptr<HostApp> application() override;
  void open(const std::string& caption) override;
  void newWindow(const std::string& caption, const std::string& newCaption) override;
  void relayout() override;
  void activateWindow(int id) override;

  Hwnd mainWindow() const { return main_; }
  Hwnd formulaBar() const { return formulaBar_; }
  Hwnd documentArea() const { return desk_; }
  Hwnd windowOf(int id) const;  // the window's "EXCEL7", or kNoWindow
  bool formulaBarShown() const { return formulaBarShown_; }
  // The formula bar is switched on or off (by the user or the add-in); the
  // host lays out its windows anew when that changes anything.
  void showFormulaBar(bool shown);
  bool visible() const;
  void setVisible(bool visible);

 protected:
  std::vector<int> hostOrder() const override { return recent_; }
  void windowAdded(const WinData& w) override;
  void windowRemoved(const WinData& w) override;
  void windowRenamed(const WinData& w) override;

 private:
  void build();
  int px(int pixelsAt96) const;

  Hwnd main_ = kNoWindow, topDock_ = kNoWindow, formulaBar_ = kNoWindow;
  Hwnd leftDock_ = kNoWindow, rightDock_ = kNoWindow, desk_ = kNoWindow, status_ = kNoWindow;
  Hwnd recoveryBar_ = kNoWindow, taskPaneBar_ = kNoWindow;
  std::vector<Hwnd> topBars_;
  std::map<int, Hwnd> docWindows_;  // window id -> EXCEL7
  bool formulaBarShown_ = true;
};

}  // namespace brelm::sim
