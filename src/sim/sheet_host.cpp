#include "sim/sheet_host.h"

#include <algorithm>
#include <cmath>

#include "sim/host_objects.h"

namespace brelm::sim {

namespace {

constexpr const char* kAppTitle = "Microsoft Excel";

class SimSheetApp final : public SimAppBase<SheetApp> {
 public:
  SimSheetApp(std::shared_ptr<HostModel> host, SheetHost& sheet)
      : SimAppBase(std::move(host)), sheet_(sheet) {}

  Hwnd hwnd() override {
    host().enter("get Hwnd", true);
    return sheet_.hwndAnswer();
  }
  bool displayFormulaBar() override {
    host().enter("get DisplayFormulaBar", true);
    return sheet_.formulaBarShown();
  }
  void setDisplayFormulaBar(bool show) override {
    host().enter(std::string("set DisplayFormulaBar ") + (show ? "true" : "false"), false);
    sheet_.showFormulaBar(show);
  }
  void setVisible(bool visible) override {
    host().enter(std::string("set Visible ") + (visible ? "true" : "false"), false);
    sheet_.setVisible(visible);
  }

 protected:
  const char* documentsName() const override { return "Workbooks"; }

 private:
  SheetHost& sheet_;
};

}  // namespace

SheetHost::SheetHost(const HostOptions& options, SimLog& log, WindowTree& tree,
                     SimWindowSystem& windows)
    : HostModel(HostKind::Sheet, options, log, tree, windows) {
  for (const char* bar : {"Worksheet Menu Bar", "Standard", "Formatting", "Cell"}) {
    addBuiltinBar(bar);
  }
  // With no workbook open the host still shows one, empty, frame.
  frames_.push_back(makeFrame(kAppTitle));
  relayout();
}

std::shared_ptr<HostApp> SheetHost::application() {
  return std::make_shared<SimSheetApp>(shared_from_this(), *this);
}

int SheetHost::px(int pixelsAt96, int dpi) const {
  return static_cast<int>(std::lround(pixelsAt96 * (dpi ? dpi : windows_.dpi()) / 96.0));
}

Rect SheetHost::defaultPlace() const {
  int width = static_cast<int>(std::lround(widthPoints_ * windows_.dpi() / 72.0));
  const Point o = frameOrigin_;
  return {o.x, o.y, o.x + width, o.y + px(800)};
}

// Creates a frame's windows; layoutFrame() gives them their places. Each is
// created on top of its siblings, so the bottom-most comes first.
SheetFrame SheetHost::makeFrame(const std::string& title) {
  SheetFrame f;
  int border = frameBorder_.value_or(majorVersion() >= 14 ? 4 : majorVersion() >= 12 ? 2 : 4);
  f.frame = tree_.create(kNoWindow, "XLMAIN", title, {}, border);
  f.status = tree_.create(f.frame, "EXCEL4", "", {});
  f.desk = tree_.create(f.frame, "XLDESK", "", {});
  tree_.get(f.desk)->childrenFill = true;  // document windows are maximised
  f.rightDock = tree_.create(f.frame, "MsoCommandBarDock", "MsoDockRight", {});
  f.taskPaneBar = tree_.create(f.rightDock, "MsoCommandBar", "Task Pane", {});
  f.leftDock = tree_.create(f.frame, "MsoCommandBarDock", "MsoDockLeft", {});
  f.recoveryBar = tree_.create(f.leftDock, "MsoCommandBar", "Document Recovery", {});
  f.formulaBar = tree_.create(f.frame, "EXCEL;", "", {});
  f.topDock = tree_.create(f.frame, "MsoCommandBarDock", "MsoDockTop", {});
  if (majorVersion() < 12) {
    f.topBars.push_back(tree_.create(f.topDock, "MsoCommandBar", "Standard", {}));
    f.topBars.push_back(tree_.create(f.topDock, "MsoCommandBar", "Worksheet Menu Bar", {}));
  } else {
    f.topBars.push_back(tree_.create(f.topDock, "MsoCommandBar", "Ribbon", {}));
  }
  f.place = defaultPlace();
  return f;
}

// The host's natural layout of a frame for its size: whatever others moved
// goes back where the host wants it.
void SheetHost::layoutFrame(const SheetFrame& f) {
  const int dpi = windows_.dpiOf(f.frame);
  auto px = [&](int pixelsAt96) { return this->px(pixelsAt96, dpi); };
  tree_.place(f.frame, f.place.left, f.place.top, f.place.width(), f.place.height());
  int border = tree_.get(f.frame)->border;
  int cw = f.place.width() - 2 * border, ch = f.place.height() - 2 * border;
  int barRow = px(26);
  int topHeight = majorVersion() < 12 ? 2 * barRow : px(140);
  tree_.place(f.topDock, 0, 0, cw, topHeight);
  for (std::size_t i = 0; i < f.topBars.size(); ++i) {
    // Version 11: the menu bar on top, the standard toolbar under it.
    int row = static_cast<int>(f.topBars.size() - 1 - i);
    tree_.place(f.topBars[i], 0, row * barRow, cw, f.topBars.size() == 1 ? topHeight : barRow);
  }
  int formulaHeight = px(20);
  tree_.place(f.formulaBar, 0, topHeight, cw, formulaHeight);
  tree_.setVisible(f.formulaBar, formulaBarShown_);
  int statusHeight = px(22);
  int areaTop = topHeight + (formulaBarShown_ ? formulaHeight : 0);
  int areaHeight = ch - statusHeight - areaTop;
  tree_.place(f.leftDock, 0, areaTop, 0, areaHeight);
  tree_.place(f.recoveryBar, 0, 0, 0, areaHeight);
  tree_.place(f.rightDock, cw, areaTop, 0, areaHeight);
  tree_.place(f.taskPaneBar, 0, 0, 0, areaHeight);
  tree_.place(f.desk, 0, areaTop, cw, areaHeight);
  tree_.place(f.status, 0, ch - statusHeight, cw, statusHeight);
}

void SheetHost::relayout() {
  const Rect place = defaultPlace();
  for (SheetFrame& f : frames_) {
    // A new host width keeps each frame where it stands.
    f.place.right = f.place.left + place.width();
    layoutFrame(f);
  }
}

void SheetHost::placeFrame(const std::string& caption, const Rect& screen) {
  SheetFrame* f = frameShowing(idOf(caption));
  if (!f) return;
  f->place = screen;
  layoutFrame(*f);
}

Hwnd SheetHost::hwndAnswer() {
  if (hwndFails_) throw HostError(hresult::kFail, "Method 'Hwnd' of object '_Application' failed");
  return front_ != kNoWindow ? front_ : mainWindow();
}

// As a per-monitor aware frame does: it takes the size the system suggests
// for the new scale and lays itself out anew at it.
void SheetHost::moveToMonitor(const std::string& caption, int dpi) {
  SheetFrame* f = frameShowing(idOf(caption));
  if (!f) return;
  const int old = windows_.dpiOf(f->frame);
  windows_.setMonitorDpi(f->frame, dpi);
  f->place.right = f->place.left + static_cast<int>(std::lround(f->place.width() * double(dpi) / old));
  f->place.bottom = f->place.top + static_cast<int>(std::lround(f->place.height() * double(dpi) / old));
  layoutFrame(*f);
}

void SheetHost::showFormulaBar(bool shown) {
  if (shown == formulaBarShown_) return;
  formulaBarShown_ = shown;
  for (const SheetFrame& f : frames_) layoutFrame(f);
}

bool SheetHost::visible() const { return tree_.get(frames_.front().frame)->visible; }

// From 15 on, showing the application shows every window, hidden ones too.
void SheetHost::setVisible(bool visible) {
  if (!framePerWindow()) return tree_.setVisible(frames_.front().frame, visible);
  for (const SheetFrame& f : frames_) tree_.setVisible(f.frame, visible);
  if (!visible) return;
  for (int id : opened_) setWindowVisible(id, true);
}

const SheetFrame& SheetHost::activeFrame() const {
  if (framePerWindow() && active_) {
    if (const SheetFrame* f = frameOf(active_)) return *f;
  }
  return frames_.front();
}

const SheetFrame* SheetHost::frameOf(int windowId) const {
  if (!framePerWindow()) return &frames_.front();
  for (const SheetFrame& f : frames_) {
    if (f.window == windowId) return &f;
  }
  return nullptr;
}

SheetFrame* SheetHost::frameShowing(int windowId) {
  return const_cast<SheetFrame*>(frameOf(windowId));
}

Hwnd SheetHost::windowOf(int id) const {
  auto it = docWindows_.find(id);
  return it == docWindows_.end() ? kNoWindow : it->second;
}

void SheetHost::open(const std::string& caption) {
  bool fromFile = caption.find('.') != std::string::npos;
  int doc = addDocument(caption, fromFile ? kDocumentFolder : "");
  activateWindow(addWindow(doc, caption));
}

void SheetHost::openHidden(const std::string& caption) {
  int doc = addDocument(caption, kDocumentFolder);
  setWindowVisible(addWindow(doc, caption), false);
}

void SheetHost::newWindow(const std::string& caption, const std::string& newCaption) {
  activateWindow(addWindow(window(idOf(caption))->doc, newCaption));
}

void SheetHost::activateWindow(int id) {
  makeActive(id);
  tree_.raise(windowOf(id));
  if (framePerWindow()) tree_.raise(frameOf(id)->frame);
}

void SheetHost::windowAdded(const WinData& w) {
  SheetFrame* f = &frames_.front();
  if (framePerWindow()) {
    auto spare = std::find_if(frames_.begin(), frames_.end(),
                              [](const SheetFrame& s) { return s.window == 0; });
    if (spare == frames_.end()) {
      frames_.push_back(makeFrame(w.caption));
      layoutFrame(frames_.back());
      tree_.lower(frames_.back().frame);  // comes forward when its window is activated
      spare = frames_.end() - 1;
    }
    f = &*spare;
    f->window = w.id;
    tree_.setTitle(f->frame, w.caption);
  }
  Rect area = tree_.localRect(f->desk);
  Hwnd hwnd = tree_.create(f->desk, "EXCEL7", w.caption, {0, 0, area.width(), area.height()});
  tree_.lower(hwnd);  // not active until activated
  docWindows_[w.id] = hwnd;
}

// From 15 on the frame goes with its window (and with it every window inside
// it); the last one stays, empty, as long as the host runs.
void SheetHost::windowRemoved(const WinData& w) {
  tree_.destroy(windowOf(w.id));
  docWindows_.erase(w.id);
  if (!framePerWindow()) return;
  auto it = std::find_if(frames_.begin(), frames_.end(),
                         [&](const SheetFrame& f) { return f.window == w.id; });
  if (it == frames_.end()) return;
  if (frames_.size() == 1) {
    it->window = 0;
    tree_.setTitle(it->frame, kAppTitle);
    tree_.setVisible(it->frame, true);
    return;
  }
  Hwnd frame = it->frame;
  frames_.erase(it);
  tree_.destroy(frame);
}

void SheetHost::windowRenamed(const WinData& w) {
  tree_.setTitle(windowOf(w.id), w.caption);
  if (framePerWindow()) tree_.setTitle(frameOf(w.id)->frame, w.caption);
}

void SheetHost::visibilityChanged(const WinData& w) {
  tree_.setVisible(framePerWindow() ? frameOf(w.id)->frame : windowOf(w.id), w.visible);
}

}  // namespace brelm::sim
