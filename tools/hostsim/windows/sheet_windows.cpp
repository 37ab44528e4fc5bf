// The spreadsheet host's window tree: XLMAIN with its top command-bar dock
// (the "Worksheet Menu Bar" on version 11, the ribbon above), the formula bar
// "EXCEL;", the docks holding the "Task Pane" and "Document Recovery" bars,
// the document area XLDESK with one EXCEL7 view per window, and a status bar.
#include <string>

#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/modal_loop.h"

namespace hostsim {

namespace {
constexpr COLORREF kRibbon = RGB(33, 115, 70);
constexpr int kFormulaBarHeight = 24;
constexpr int kStatusHeight = 22;
constexpr int kTaskPaneWidth = 180;

class SheetWindows final : public HostWindows {
 public:
  explicit SheetWindows(Host& host);
  ~SheetWindows() override;

  HWND mainWindow() const override { return main_; }
  std::vector<HWND> frames() const override { return {main_}; }
  void attach(WindowObj& window) override;
  void detach(WindowObj& window) override;
  void bringToFront(WindowObj* window) override;
  void captionChanged(WindowObj& window) override;
  void layoutFrame(HWND frame) override;
  void frameClosing(HWND) override { host_.quit(); }
  bool fillsDocumentArea(const WindowObj&) const override { return true; }
  int frameBorder() const override { return border_; }

 private:
  int topDockHeight() const { return version11() ? 48 : 92; }
  bool version11() const { return host_.config().versionNumber() < 12; }
  void createTopDock();
  void updateTitle();

  int border_ = 0;
  HWND main_ = nullptr, dockTop_ = nullptr, menuBar_ = nullptr, toolbar_ = nullptr;
  HWND formulaBar_ = nullptr, dockLeft_ = nullptr, recovery_ = nullptr;
  HWND dockRight_ = nullptr, taskPane_ = nullptr, desk_ = nullptr, status_ = nullptr;
};

SheetWindows::SheetWindows(Host& host) : HostWindows(host) {
  double v = host.config().versionNumber();
  // Newer hosts draw their own frame: only a thin border is non-client.
  border_ = v > 13 ? 4 : v > 11 ? 2 : 0;
  DWORD style = border_ ? WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : WS_OVERLAPPEDWINDOW;
  main_ = createFrame(L"XLMAIN", L"Spreadsheet host", RECT{40, 30, 1040, 710}, style);
  createTopDock();
  formulaBar_ = createPart(main_, L"EXCEL;", L"fx", RGB(250, 250, 250));
  dockLeft_ = createPart(main_, L"MsoCommandBarDock", L"MsoDockLeft", kRibbon);
  recovery_ = createPart(dockLeft_, L"MsoCommandBar", L"Document Recovery", RGB(120, 120, 120));
  dockRight_ = createPart(main_, L"MsoCommandBarDock", L"MsoDockRight", kRibbon);
  taskPane_ = createPart(dockRight_, L"MsoCommandBar", L"Task Pane", RGB(120, 120, 120));
  registerClassOnce(L"XLDESK", deskProc, nullptr);
  desk_ = CreateWindowExW(0, L"XLDESK", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 10, 10,
                          main_, nullptr, GetModuleHandleW(nullptr), this);
  status_ = createPart(main_, L"EXCEL4", L"Ready", kRibbon);
  layoutFrame(main_);
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
}

SheetWindows::~SheetWindows() {
  if (IsWindow(main_)) DestroyWindow(main_);
}

void SheetWindows::createTopDock() {
  dockTop_ = createPart(main_, L"MsoCommandBarDock", L"MsoDockTop", kRibbon);
  if (version11()) {
    menuBar_ = createPart(dockTop_, L"MsoCommandBar", L"Worksheet Menu Bar", RGB(60, 140, 95));
    toolbar_ = createPart(dockTop_, L"MsoCommandBar", L"Standard", RGB(45, 125, 80));
  } else {
    menuBar_ = createPart(dockTop_, L"MsoCommandBar", L"Ribbon", kRibbon);
  }
}

// The host's own layout, run on every resize: whatever the add-in moved is
// put back where the host wants it.
void SheetWindows::layoutFrame(HWND frame) {
  if (frame != main_ || !desk_ || !status_) return;
  RECT c;
  GetClientRect(main_, &c);
  int w = c.right, h = c.bottom, top = topDockHeight();
  int bar = host_.formulaBar() ? kFormulaBarHeight : 0;
  int bodyTop = top + bar, bodyHeight = h - bodyTop - kStatusHeight;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(dockTop_, nullptr, 0, 0, w, top, flags);
  if (version11()) {
    SetWindowPos(menuBar_, nullptr, 0, 0, w, 22, flags);
    SetWindowPos(toolbar_, nullptr, 0, 22, w, top - 22, flags);
  } else {
    SetWindowPos(menuBar_, nullptr, 0, 0, w, top, flags);
  }
  SetWindowPos(formulaBar_, nullptr, 0, top, w, kFormulaBarHeight, flags);
  ShowWindow(formulaBar_, host_.formulaBar() ? SW_SHOWNA : SW_HIDE);
  SetWindowPos(dockLeft_, nullptr, 0, bodyTop, 0, bodyHeight, flags);
  SetWindowPos(recovery_, nullptr, 0, 0, 0, bodyHeight, flags);
  SetWindowPos(dockRight_, nullptr, w - kTaskPaneWidth, bodyTop, kTaskPaneWidth, bodyHeight, flags);
  SetWindowPos(taskPane_, nullptr, 0, 0, kTaskPaneWidth, bodyHeight, flags);
  SetWindowPos(desk_, nullptr, 0, bodyTop, w - kTaskPaneWidth, bodyHeight, flags);
  SetWindowPos(status_, nullptr, 0, h - kStatusHeight, w, kStatusHeight, flags);
  InvalidateRect(main_, nullptr, TRUE);
}

void SheetWindows::attach(WindowObj& window) {
  window.view = window.frame = createView(desk_, window, L"EXCEL7");
  window.state = 3;
}

void SheetWindows::detach(WindowObj& window) {
  if (window.view) DestroyWindow(window.view);
  window.view = window.frame = nullptr;
}

void SheetWindows::bringToFront(WindowObj* window) {
  if (window) raiseView(*window);
  updateTitle();
}

void SheetWindows::captionChanged(WindowObj& window) {
  if (window.view) SetWindowTextW(window.view, window.caption().c_str());
  if (window.view) InvalidateRect(window.view, nullptr, TRUE);
  updateTitle();
}

void SheetWindows::updateTitle() {
  std::wstring title = L"Spreadsheet host";
  if (WindowObj* active = host_.active()) title += L" - " + active->caption();
  SetWindowTextW(main_, title.c_str());
}
}  // namespace

std::unique_ptr<HostWindows> makeSheetWindows(Host& host) { return std::make_unique<SheetWindows>(host); }

}  // namespace hostsim
