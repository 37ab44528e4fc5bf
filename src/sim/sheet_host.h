#pragma once
// The simulated spreadsheet host. A frame "XLMAIN" holds, top to bottom: the
// command-bar dock (the "Worksheet Menu Bar" on version 11, the ribbon
// later), the formula bar "EXCEL;", the document area "XLDESK" with one
// "EXCEL7" window per document window between the left dock (holding the
// "Document Recovery" bar) and the right dock (holding the "Task Pane" bar),
// and the status bar. Up to version 14 there is one frame for all windows;
// from 15 every window has a frame of its own (the active one in front, and
// the one Application.Hwnd names), closed with it; the last one stays, empty.
// The window list is in z-order: Windows(1) is the active window. Hidden
// windows stay in the list; showing the application (15 on) shows them all.
#include <map>
#include <memory>
#include <vector>

#include "sim/host_model.h"

namespace brelm::sim {

struct SheetFrame {
  Hwnd frame = kNoWindow, topDock = kNoWindow, formulaBar = kNoWindow;
  Hwnd leftDock = kNoWindow, rightDock = kNoWindow, desk = kNoWindow, status = kNoWindow;
  Hwnd recoveryBar = kNoWindow, taskPaneBar = kNoWindow;
  std::vector<Hwnd> topBars;
  int window = 0;  // frame per window: the window it shows, 0 for none
  Rect place;      // screen rectangle the host gives the frame
};

class SheetHost final : public HostModel {
 public:
  SheetHost(const HostOptions& options, SimLog& log, WindowTree& tree, SimWindowSystem& windows);

  std::shared_ptr<HostApp> application() override;
  void open(const std::string& caption) override;
  void newWindow(const std::string& caption, const std::string& newCaption) override;
  void relayout() override;
  void activateWindow(int id) override;

  bool framePerWindow() const { return majorVersion() >= 15; }
  // The frame of the active window (the only frame up to version 14).
  Hwnd mainWindow() const { return activeFrame().frame; }
  Hwnd formulaBar() const { return activeFrame().formulaBar; }
  Hwnd documentArea() const { return activeFrame().desk; }
  const std::vector<SheetFrame>& frames() const { return frames_; }
  const SheetFrame* frameOf(int windowId) const;
  const SheetFrame* frameOf(const std::string& caption) const { return frameOf(idOf(caption)); }
  Hwnd windowOf(int id) const;  // the window's "EXCEL7", or kNoWindow
  bool formulaBarShown() const { return formulaBarShown_; }
  // The formula bar is switched on or off (by the user or the add-in); the
  // host lays out its windows anew when that changes anything.
  void showFormulaBar(bool shown);
  bool visible() const;
  void setVisible(bool visible);
  // The personal macro workbook: opened hidden from the start-up folder,
  // before anything else, and never made active.
  void openHidden(const std::string& caption);
  // The user moves and sizes a window's frame; the host lays it out anew.
  void placeFrame(const std::string& caption, const Rect& screen);
  // The user moves a window's frame to a monitor of another scale.
  void moveToMonitor(const std::string& caption, int dpi);
  // Another window in front (a Protected View window, the start screen):
  // Application.Hwnd names it until called with kNoWindow.
  void putInFront(Hwnd window) { front_ = window; }
  // Application.Hwnd fails until called with false.
  void failHwnd(bool fails) { hwndFails_ = fails; }
  Hwnd hwndAnswer();  // for the Application object: throws HostError when failing

 protected:
  std::vector<int> hostOrder() const override { return recent_; }
  void windowAdded(const WinData& w) override;
  void windowRemoved(const WinData& w) override;
  void windowRenamed(const WinData& w) override;
  void visibilityChanged(const WinData& w) override;

 private:
  SheetFrame makeFrame(const std::string& title);
  void layoutFrame(const SheetFrame& f);
  const SheetFrame& activeFrame() const;
  SheetFrame* frameShowing(int windowId);
  // Pixels at the DPI given, the screen's for 0.
  int px(int pixelsAt96, int dpi = 0) const;
  Rect defaultPlace() const;

  std::vector<SheetFrame> frames_;
  std::map<int, Hwnd> docWindows_;  // window id -> EXCEL7
  bool formulaBarShown_ = true;
  Hwnd front_ = kNoWindow;
  bool hwndFails_ = false;
};

}  // namespace brelm::sim
