#pragma once
// The host's real Win32 window tree: main window or frames, command-bar docks,
// document area and one view per document window, laid out again by the host
// whenever a frame is resized.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

class Host;
class WindowObj;

class HostWindows {
 public:
  static std::unique_ptr<HostWindows> create(Host& host);
  explicit HostWindows(Host& host);
  virtual ~HostWindows();
  HostWindows(const HostWindows&) = delete;
  HostWindows& operator=(const HostWindows&) = delete;

  Host& host() { return host_; }
  // The frame in front: the spreadsheet host's XLMAIN (from version 15 the
  // frame of the active window, or the empty frame); the presentation host's
  // frame of the active window (or its only frame).
  virtual HWND mainWindow() const = 0;
  virtual std::vector<HWND> frames() const = 0;
  // The top-level frame holding the window's view.
  HWND frameOf(const WindowObj& window) const;
  // The frame a frame-per-window host shows while no window is visible.
  virtual HWND emptyFrame() const { return nullptr; }
  // The window's `visible` flag changed: show or hide what shows it.
  virtual void visibilityChanged(WindowObj&) {}
  // Application.Visible: every frame with something to show, or none.
  virtual void showFrames(bool shown);
  // The user pressed a mouse button in an inactive frame.
  virtual void frameClicked(HWND) {}
  // A Protected View window in front of every frame (class
  // "HostSimProtectedView": the real class is unknown), or none.
  void setProtectedView(bool open);
  HWND protectedView() const { return protectedView_; }

  // How the host itself last laid out a frame's children (client pixels of
  // the frame) and what making room for a strip above the document area does
  // to each: nothing, grow by the strip's height, or move down by it.
  enum class Docking { Stays, Grows, MovesDown };
  struct LaidOut {
    HWND window;
    std::string name;
    RECT rect;
    Docking docking;
  };
  virtual std::vector<LaidOut> hostLayout(HWND) const { return {}; }
  // A host started without its frame builds it later: first the top-level
  // window alone (bare), then what is in it; a frame already there and
  // complete is left as it is. Opening a document completes the frame too.
  virtual void makeFrame(bool bare) = 0;
  virtual void attach(WindowObj& window) = 0;
  virtual void detach(WindowObj& window) = 0;
  virtual void bringToFront(WindowObj* window) = 0;
  virtual void captionChanged(WindowObj& window) = 0;
  // Every frame gets this outer width (pixels).
  void setWidthPx(int px);
  // Lays out every frame again, as after a resize.
  void layout();

  // Frame and document area hooks for the shared window procedures.
  virtual void layoutFrame(HWND frame) = 0;
  // WM_SIZE of a frame: a minimised frame is not laid out (its client area
  // is empty), nor one restored to the size it had before it was minimised.
  void frameSized(HWND frame, WPARAM kind, LPARAM size);
  virtual void frameClosing(HWND frame) = 0;
  virtual bool fillsDocumentArea(const WindowObj& window) const = 0;
  // The border each frame draws around its client area itself (pixels); 0
  // for a standard frame, whose non-client area the window system draws.
  int frameBorder() const { return border_.value_or(0); }
  bool drawsOwnBorder() const { return border_.has_value(); }
  // How much lower than the host laid them out the layout check lets the
  // bottom edges of what a strip moves down be: the border hostsim's frames
  // of this version draw when none is given.
  int borderAllowance() const;
  // Every frame, now and later, draws a border of `px` pixels itself; the
  // host lays each one out again for its new client area.
  void setBorder(int px);
  // The style of a frame as the version (or the border given) has it.
  DWORD frameStyle() const;
  // The frame's maximise button and its restore button. A maximised frame
  // drawing its own border covers the work area with its client area, its
  // border beyond the screen's edges, as a standard frame's sizing border is.
  void maximize(HWND frame);
  void unmaximize(HWND frame);
  // WM_GETMINMAXINFO of a frame drawing its own border.
  void maxInfo(MINMAXINFO& info) const;

  // Monitors of other scales. Under Wine there is one DPI for every monitor
  // and no second monitor to move to, so the move is imitated by what the
  // add-in can see of it: the frame is sent WM_DPICHANGED with the rectangle
  // the system suggests (the frame's size scaled by the new DPI over the
  // old, its top left corner kept), and the frame, per-monitor aware as the
  // hosts' are, takes that rectangle and lays itself out at the new scale.
  // Its children get no message of their own. GetDpiForWindow keeps
  // answering the system's DPI: nothing in the process is patched.
  void moveToMonitor(HWND frame, int dpi);
  // WM_DPICHANGED of a frame.
  void dpiChanged(HWND frame, int dpi, const RECT& suggested);
  // The DPI the frame was last told, the screen's before that.
  int frameDpi(HWND frame) const;
  // A length in pixels at the screen's DPI, at the frame's.
  int scaled(HWND frame, int px) const;

  // Geometry of a document window in pixels: screen coordinates for a
  // top-level frame, else relative to the document area.
  RECT placement(const WindowObj& window) const;
  void place(WindowObj& window, RECT r);
  // 1 normal, 2 minimised (recorded only), 3 maximised.
  void setState(WindowObj& window, int state);

 protected:
  HWND createFrame(const wchar_t* cls, const wchar_t* title, RECT r, DWORD style);
  HWND createPart(HWND parent, const wchar_t* cls, const wchar_t* title, COLORREF color);
  HWND createView(HWND desk, WindowObj& window, const wchar_t* cls);
  // Raises a view inside its document area; a maximised one is first given
  // the area's size, which it may have missed while it was behind.
  void raiseView(const WindowObj& window);
  Host& host_;

 private:
  // The frame's window, if it shows a window of its own (a frame per
  // document), with the state WindowState reports for it.
  void frameStateChanged(HWND frame, int state);
  std::optional<int> border_;
  struct ClientSize {
    HWND frame;
    LPARAM size;
    bool minimised;
  };
  std::vector<ClientSize> sizes_;
  std::vector<std::pair<HWND, int>> dpis_;  // frames told a DPI other than the screen's
  HWND protectedView_ = nullptr;
};

// Window procedures shared by both trees (window_procs.cpp).
LRESULT CALLBACK frameProc(HWND, UINT, WPARAM, LPARAM) noexcept;
LRESULT CALLBACK partProc(HWND, UINT, WPARAM, LPARAM) noexcept;
LRESULT CALLBACK deskProc(HWND, UINT, WPARAM, LPARAM) noexcept;
LRESULT CALLBACK viewProc(HWND, UINT, WPARAM, LPARAM) noexcept;

}  // namespace hostsim
