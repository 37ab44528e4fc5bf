#include "sim/sheet_host.h"

#include <cmath>

#include "sim/host_objects.h"

namespace brelm::sim {

namespace {

constexpr int kScreenLeft = 40, kScreenTop = 30;

class SimSheetApp final : public SimAppBase<SheetApp> {
 public:
  SimSheetApp(std::shared_ptr<HostModel> host, SheetHost& sheet)
      : SimAppBase(std::move(host)), sheet_(sheet) {}

  Hwnd hwnd() override {
    host().enter("get Hwnd", true);
    return sheet_.mainWindow();
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
  build();
  relayout();
}

std::shared_ptr<HostApp> SheetHost::application() {
  return std::make_shared<SimSheetApp>(shared_from_this(), *this);
}

int SheetHost::px(int pixelsAt96) const {
  return static_cast<int>(std::lround(pixelsAt96 * windows_.dpi() / 96.0));
}

// Creates the windows once; relayout() gives them their places. Each is
// created on top of its siblings, so the bottom-most comes first.
void SheetHost::build() {
  int border = majorVersion() >= 14 ? 4 : majorVersion() >= 12 ? 2 : 4;
  main_ = tree_.create(kNoWindow, "XLMAIN", "Microsoft Excel", {}, border);
  status_ = tree_.create(main_, "EXCEL4", "", {});
  desk_ = tree_.create(main_, "XLDESK", "", {});
  tree_.get(desk_)->childrenFill = true;  // document windows are maximised
  rightDock_ = tree_.create(main_, "MsoCommandBarDock", "MsoDockRight", {});
  taskPaneBar_ = tree_.create(rightDock_, "MsoCommandBar", "Task Pane", {});
  leftDock_ = tree_.create(main_, "MsoCommandBarDock", "MsoDockLeft", {});
  recoveryBar_ = tree_.create(leftDock_, "MsoCommandBar", "Document Recovery", {});
  formulaBar_ = tree_.create(main_, "EXCEL;", "", {});
  topDock_ = tree_.create(main_, "MsoCommandBarDock", "MsoDockTop", {});
  if (majorVersion() < 12) {
    topBars_.push_back(tree_.create(topDock_, "MsoCommandBar", "Standard", {}));
    topBars_.push_back(tree_.create(topDock_, "MsoCommandBar", "Worksheet Menu Bar", {}));
  } else {
    topBars_.push_back(tree_.create(topDock_, "MsoCommandBar", "Ribbon", {}));
  }
}

// The host's natural layout for its current size: whatever others moved
// goes back where the host wants it.
void SheetHost::relayout() {
  int width = static_cast<int>(std::lround(widthPoints_ * windows_.dpi() / 72.0));
  tree_.place(main_, kScreenLeft, kScreenTop, width, px(800));
  int border = tree_.get(main_)->border;
  int cw = width - 2 * border, ch = px(800) - 2 * border;
  int barRow = px(26);
  int topHeight = majorVersion() < 12 ? 2 * barRow : px(140);
  tree_.place(topDock_, 0, 0, cw, topHeight);
  for (std::size_t i = 0; i < topBars_.size(); ++i) {
    // Version 11: the menu bar on top, the standard toolbar under it.
    int row = static_cast<int>(topBars_.size() - 1 - i);
    tree_.place(topBars_[i], 0, row * barRow, cw, topBars_.size() == 1 ? topHeight : barRow);
  }
  int formulaHeight = px(20);
  tree_.place(formulaBar_, 0, topHeight, cw, formulaHeight);
  tree_.setVisible(formulaBar_, formulaBarShown_);
  int statusHeight = px(22);
  int areaTop = topHeight + (formulaBarShown_ ? formulaHeight : 0);
  int areaHeight = ch - statusHeight - areaTop;
  tree_.place(leftDock_, 0, areaTop, 0, areaHeight);
  tree_.place(recoveryBar_, 0, 0, 0, areaHeight);
  tree_.place(rightDock_, cw, areaTop, 0, areaHeight);
  tree_.place(taskPaneBar_, 0, 0, 0, areaHeight);
  tree_.place(desk_, 0, areaTop, cw, areaHeight);
  tree_.place(status_, 0, ch - statusHeight, cw, statusHeight);
}

void SheetHost::showFormulaBar(bool shown) {
  if (shown == formulaBarShown_) return;
  formulaBarShown_ = shown;
  relayout();
}

bool SheetHost::visible() const { return tree_.get(main_)->visible; }

void SheetHost::setVisible(bool visible) { tree_.setVisible(main_, visible); }

Hwnd SheetHost::windowOf(int id) const {
  auto it = docWindows_.find(id);
  return it == docWindows_.end() ? kNoWindow : it->second;
}

void SheetHost::open(const std::string& caption) {
  bool fromFile = caption.find('.') != std::string::npos;
  int doc = addDocument(caption, fromFile ? kDocumentFolder : "");
  activateWindow(addWindow(doc, caption));
}

void SheetHost::newWindow(const std::string& caption, const std::string& newCaption) {
  activateWindow(addWindow(window(idOf(caption))->doc, newCaption));
}

void SheetHost::activateWindow(int id) {
  makeActive(id);
  tree_.raise(windowOf(id));
}

void SheetHost::windowAdded(const WinData& w) {
  Rect area = tree_.localRect(desk_);
  Hwnd hwnd = tree_.create(desk_, "EXCEL7", w.caption, {0, 0, area.width(), area.height()});
  tree_.lower(hwnd);  // not active until activated
  docWindows_[w.id] = hwnd;
}

void SheetHost::windowRemoved(const WinData& w) {
  tree_.destroy(windowOf(w.id));
  docWindows_.erase(w.id);
}

void SheetHost::windowRenamed(const WinData& w) { tree_.setTitle(windowOf(w.id), w.caption); }

}  // namespace brelm::sim
