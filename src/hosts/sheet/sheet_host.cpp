#include "hosts/sheet/sheet_host.h"

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

bool SheetHost::bind(std::shared_ptr<HostApp> app) {
  app_ = std::dynamic_pointer_cast<SheetApp>(app);
  if (!app_) return false;
  docking_ = std::make_unique<SheetDocking>(addin_, *app_, profile_);
  return true;
}

void SheetHost::startAddin() {
  setup_ = Setup{};
  ticksOnForeground_ = false;
  forgetProfile();
  addin_.bar().model = TabModel{};
  completeSetup();
  addin_.formWindow();  // without a strip window nothing works: the one step that fails start-up
  FrameDock& frames = docking_->frames();
  if (!dockAtConnection()) frames.waitForFrame();  // the tick docks it as soon as it can
  // The host may still be coming up behind another window: ask twice.
  Trace& trace = addin_.trace();
  bestEffort(trace, "bringing the host forward", [&] { addin_.focusHost(app_->hwnd()); });
  bestEffort(trace, "bringing the host forward", [&] { addin_.focusHost(app_->hwnd()); });
  activateFirstVisibleWorkbook();
}

// What start-up asks of the host besides the strip: its version, the formula
// bar on, the context menu, the taskbar setting off. A step the host cannot
// take now is taken on a later tick.
void SheetHost::completeSetup() {
  Trace& trace = addin_.trace();
  setup_.profile.attempt(trace, "reading the host's version", [&] {
    chooseProfile(HostKind::Sheet);
    addin_.chooseTheme();
  });
  if (!setup_.profile.done()) return;  // nothing is known about the host yet
  setup_.formulaBar.attempt(trace, "showing the formula bar", [&] {
    const bool formulaBar = app_->displayFormulaBar();
    // The strip lives in the formula bar's area.
    app_->setDisplayFormulaBar(true);
    formulaBarAtConnection_ = formulaBar;
  });
  setup_.menu.attempt(trace, "building the context menu", [&] { addin_.menu().buildTabPopup(); });
  if (!profile_.setsTaskbar) return;
  setup_.taskbar.attempt(trace, "switching the taskbar setting off", [&] {
    const bool taskbar = app_->showWindowsInTaskbar();
    app_->setShowWindowsInTaskbar(false);
    taskbarAtConnection_ = taskbar;
  });
}

bool SheetHost::setupPending() const {
  return !setup_.profile.settled() || !setup_.formulaBar.settled() || !setup_.menu.settled() ||
         (profile_.setsTaskbar && !setup_.taskbar.settled());
}

// Docks into the frame Application.Hwnd names, where it is a frame the strip
// may live in. False when nothing could be docked into.
bool SheetHost::dockAtConnection() {
  if (!setup_.profile.done()) return false;
  FrameDock& frames = docking_->frames();
  try {
    const Hwnd main = app_->hwnd();
    if (profile_.framePerDocument && !isWorkbookFrame(main)) return false;
    if (!frames.follow(main)) return false;
  } catch (const HostError&) {
    return false;
  }
  Trace& trace = addin_.trace();
  bestEffort(trace, "making room for the strip", [&] { docking_->dockHostWindows(); });
  bestEffort(trace, "showing the strip", [&] { addin_.toolkit().show(true); });
  bestEffort(trace, "placing the strip", [&] { docking_->trackHostGeometry(); });
  return true;
}

// The personal macro workbook is often the first one, and hidden: the first
// workbook the user can see is brought forward instead. Errors are ignored:
// with no workbook open there is nothing to bring forward.
void SheetHost::activateFirstVisibleWorkbook() {
  try {
    const int books = app_->documentCount();
    for (int i = 1; i <= books; ++i) {
      std::shared_ptr<Document> book = app_->document(i);
      if (!hasWindowUserCanSee(*book)) continue;
      book->activate();
      return;
    }
  } catch (const HostError&) {
  }
}

// A workbook whose windows cannot be asked about is taken as shown, as
// workbooks are unless hidden.
bool SheetHost::hasWindowUserCanSee(Document& book) {
  int windows = 0;
  try {
    windows = book.windowCount();
  } catch (const HostError& e) {
    if (e.busy()) throw;
    return true;
  }
  for (int k = 1; k <= windows; ++k) {
    std::shared_ptr<DocWindow> window;
    try {
      window = book.window(k);
    } catch (const HostError& e) {
      if (e.busy()) throw;
      return true;
    }
    if (userCanSee(*window)) return true;
  }
  return false;
}

void SheetHost::stop() {
  if (!app_) return;
  if (docking_) docking_->restoreLayout();
  // Only the settings start-up actually changed are given back.
  Trace& trace = addin_.trace();
  if (taskbarAtConnection_) {
    bestEffort(trace, "giving back the taskbar setting",
               [&] { app_->setShowWindowsInTaskbar(*taskbarAtConnection_); });
  }
  if (formulaBarAtConnection_) {
    bestEffort(trace, "giving back the formula bar setting",
               [&] { app_->setDisplayFormulaBar(*formulaBarAtConnection_); });
  }
  taskbarAtConnection_.reset();
  formulaBarAtConnection_.reset();
  docking_.reset();
  app_.reset();
}

void SheetHost::aa() {
  if (!docking_) return;
  docking_->shrinkFormulaBar();
  addin_.dock().lastDockOffset = 0;
}

void SheetHost::onTick() {
  if (!docking_) return;
  if (setupPending()) completeSetup();
  if (!setup_.profile.done()) return;
  if (profile_.framePerDocument) return followActiveFrame();
  // One frame for every workbook: a strip that lost it waits for it again.
  if (docking_->frames().parked()) docking_->frames().follow(app_->hwnd());
}

// The strip lives in the frame of the active window. One host call on a
// tick when nothing changed; the frame is looked at only when it differs.
void SheetHost::followActiveFrame() {
  // A frame switch waits for no interval: the tick runs when a frame of the
  // host comes to the front.
  if (!ticksOnForeground_) {
    addin_.toolkit().tickOnForeground(TimerId::Mouse);
    ticksOnForeground_ = true;
  }
  FrameDock& frames = docking_->frames();
  Hwnd active = kNoWindow;
  try {
    active = app_->hwnd();
  } catch (const HostError&) {
    return;  // no answer: the strip stays where it is
  }
  if (active == frames.frame() || active == closingFrame_) return;
  if (isWorkbookFrame(active)) frames.follow(active);
}

bool SheetHost::isWorkbookFrame(Hwnd frame) {
  WindowSystem& ws = addin_.windows();
  if (!ws.isOwnFrame(frame, profile_.frameClass)) return false;
  // The start screen, or a frame with no document area, has no place for the strip.
  if (ws.findChild(frame, kNoWindow, "XLDESK", std::nullopt) == kNoWindow) return false;
  try {
    return app_->activeWindow() != nullptr;
  } catch (const HostError&) {
    return false;  // no workbook window active: not a frame to follow
  }
}

void SheetHost::trackHostGeometry() {
  if (docking_) docking_->trackHostGeometry();
}

void SheetHost::stripRecreated() {
  if (docking_) docking_->frames().stripLost();  // the tick docks it again
}

Hwnd SheetHost::focusWindow() { return app_ ? app_->hwnd() : kNoWindow; }

ActiveWindowInfo SheetHost::readActive() {
  ActiveWindowInfo info;
  if (!app_) return info;
  info.caption = app_->activeWindow()->caption();
  info.known = true;
  return info;
}

bool SheetHost::isActive(const ActiveWindowInfo& active, const DocWindow&,
                         const std::string& caption) const {
  return active.caption == caption;
}

bool SheetHost::hasTab(DocWindow& window) {
  const std::string caption = window.caption();
  const TabBar& bar = addin_.bar();
  for (int k = 1; k <= bar.model.tabCount; ++k) {
    if (bar.form.label2[bar.model.tabOrder[k]].caption == caption) return true;
  }
  return false;
}

// A window whose caption could be read but whose visibility cannot is
// taken as shown, as windows are unless hidden: a host that does not answer
// the question must not lose every tab.
bool SheetHost::userCanSee(DocWindow& window) {
  try {
    return window.visible();
  } catch (const HostError& e) {
    if (e.busy()) throw;
    return true;
  }
}

void SheetHost::activateWindow(int k, bool fullForm) {
  const TabModel& model = addin_.bar().model;
  std::shared_ptr<DocWindow> w = model.docWindows.at(model.tabPosition.at(k));
  if (!w) return;
  std::shared_ptr<Document> book = w->parent();
  if (fullForm) {
    // Both reads fail for a window that is going away; the click then does nothing.
    book->name();
    w->caption();
  }
  // The workbook first, so that its window is the one the host brings
  // forward; the window twice, as a window of a workbook that was not
  // active yet may not come forward at the first call.
  book->activate();
  w->activate();
  w->activate();
}

void SheetHost::selectByClick(int k, bool fullForm) {
  if (k != addin_.bar().model.selectedTab) activateWindow(k, fullForm);
  addin_.giveFocusBack();
}

void SheetHost::closeByImage(int k) {
  if (!docking_) return;  // disconnected
  addin_.giveFocusBack();
  try {
    const TabModel& model = addin_.bar().model;
    std::shared_ptr<DocWindow> w = model.docWindows.at(model.tabPosition.at(k));
    if (!w) return;
    if (profile_.framePerDocument) {
      closeInOwnFrame(*w);
    } else {
      w->close();
    }
  } catch (const HostError&) {
    // Closing, and any question the host asks first, is the host's business.
  }
}

// The window's frame goes with it. When that frame holds the strip, the
// strip is taken out first, and is not put back while the host closes it
// (its save question runs ticks): the next tick docks it in the frame that
// is active then, or in this one again if the user kept the workbook.
void SheetHost::closeInOwnFrame(DocWindow& w) {
  FrameDock& frames = docking_->frames();
  const Hwnd frame = frames.frame();
  bool holdsStrip = false;
  try {
    holdsStrip = frame != kNoWindow && app_->hwnd() == frame &&
                 app_->activeWindow()->caption() == w.caption();
  } catch (const HostError&) {
  }
  if (!holdsStrip) return w.close();
  frames.park();
  closingFrame_ = frame;
  try {
    w.close();
  } catch (...) {
    closingFrame_ = kNoWindow;
    throw;
  }
  closingFrame_ = kNoWindow;
}

void SheetHost::activateAfterDrop(int s, DropOn on) {
  if (on == DropOn::Tab) {
    if (s != addin_.bar().model.selectedTab) activateWindow(s, true);
  } else {
    activateWindow(s, false);
  }
  addin_.giveFocusBack();
}

}  // namespace brelm
