#include "hosts/slide/slide_host.h"

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

SlideHost::~SlideHost() { stop(); }

bool SlideHost::bind(std::shared_ptr<HostApp> app) {
  app_ = std::dynamic_pointer_cast<SlideApp>(app);
  if (!app_) return false;
  docking_ = std::make_unique<SlideDocking>(addin_, *app_, profile_);
  return true;
}

void SlideHost::startAddin() {
  setup_ = Setup{};
  forgetProfile();
  addin_.bar().model = TabModel{};
  completeSetup();
  addin_.formWindow();  // without a strip window nothing works: the one step that fails start-up
  addin_.dock().stripHeight = addin_.computeStripHeight();
  addin_.toolkit().setTimer(TimerId::Mouse, true, tickIntervalMs());
  // A host whose frame is not there yet (started for automation, still
  // coming up) gets the strip when a frame appears.
  FrameDock& frames = docking_->frames();
  const Hwnd frame = setup_.profile.done() ? docking_->activeFrame() : kNoWindow;
  if (!frames.follow(frame)) return frames.waitForFrame();
  addin_.toolkit().show(true);
  Trace& trace = addin_.trace();
  bestEffort(trace, "bringing the host forward", [&] { addin_.focusHost(docking_->hostMainWnd()); });
  bestEffort(trace, "activating the host", [&] { app_->activate(); });
}

// What start-up asks of the host besides the strip: its version, its events,
// the context menu, the taskbar setting off (where that still has an
// effect). A step the host cannot take now is taken on a later tick.
void SlideHost::completeSetup() {
  Trace& trace = addin_.trace();
  setup_.profile.attempt(trace, "reading the host's version", [&] {
    chooseProfile(HostKind::Slide);
    addin_.chooseTheme();
  });
  if (!setup_.profile.done()) return;  // nothing is known about the host yet
  if (!events_) events_ = std::make_shared<SlideEvents>(addin_, *app_, *docking_, profile_);
  setup_.menu.attempt(trace, "building the context menu", [&] { addin_.menu().buildTabPopup(); });
  setup_.events.attempt(trace, "subscribing to the host's events", [&] {
    app_->subscribe(events_.get());
    subscribed_ = true;
  });
  if (!profile_.setsTaskbar) return;
  setup_.taskbar.attempt(trace, "switching the taskbar setting off", [&] {
    taskbarAtConnection_ = app_->showWindowsInTaskbar();
    app_->setShowWindowsInTaskbar(false);
    taskbarChanged_ = true;
  });
}

bool SlideHost::setupPending() const {
  return !setup_.profile.settled() || !setup_.menu.settled() || !setup_.events.settled() ||
         (profile_.setsTaskbar && !setup_.taskbar.settled());
}

void SlideHost::stop() {
  if (!app_) return;
  Trace& trace = addin_.trace();
  if (subscribed_) bestEffort(trace, "ending the event subscription", [&] { app_->subscribe(nullptr); });
  subscribed_ = false;
  // Hidden frames are shown again and every docked frame gets its layout back.
  if (docking_) docking_->restoreLayout();
  if (taskbarChanged_) {
    bestEffort(trace, "giving back the taskbar setting",
               [&] { app_->setShowWindowsInTaskbar(taskbarAtConnection_); });
  }
  taskbarChanged_ = false;
  if (events_) events_->detach();
  events_.reset();
  docking_.reset();
  app_.reset();
}

void SlideHost::aa() {
  addin_.unloadForm();
  addin_.dock().lastDockOffset = 0;
}

void SlideHost::onTick() {
  if (!docking_) return;
  if (setupPending()) completeSetup();
  if (events_) events_->runDeferred();
}

void SlideHost::stripRecreated() {
  if (events_) events_->stripLost();
}

void SlideHost::trackHostGeometry() {
  if (docking_) docking_->trackHostGeometry();
}

Hwnd SlideHost::focusWindow() { return docking_ ? docking_->hostMainWnd() : kNoWindow; }

ActiveWindowInfo SlideHost::readActive() {
  ActiveWindowInfo info;
  if (!app_) return info;
  info.window = app_->activeWindow();
  info.known = info.window != nullptr;
  return info;
}

bool SlideHost::isActive(const ActiveWindowInfo& active, const DocWindow& window,
                         const std::string&) const {
  return active.window && window.sameObject(*active.window);
}

bool SlideHost::hasTab(DocWindow& window) {
  const TabModel& model = addin_.bar().model;
  for (int k = 1; k <= model.tabCount; ++k) {
    if (model.docWindows[k]->sameObject(window)) return true;
  }
  return false;
}

std::shared_ptr<DocWindow> SlideHost::windowOfTab(int k) {
  const TabModel& model = addin_.bar().model;
  return model.docWindows.at(model.tabPosition.at(k));
}

void SlideHost::activateTwice(int k) {
  std::shared_ptr<DocWindow> w = windowOfTab(k);
  if (!w) return;
  // Twice: a window whose frame is not in front may not come forward at the
  // first call.
  w->activate();
  w->activate();
}

void SlideHost::selectByClick(int k, bool) {
  activateTwice(k);
  // The host's activation event may already have selected the tab.
  if (k == addin_.bar().model.selectedTab) addin_.giveFocusBack();
}

void SlideHost::closeByImage(int k) {
  // Held here: the host may disconnect the add-in while the prompt is up.
  const std::shared_ptr<SlideEvents> events = events_;
  if (events) events->closeByTab(k);
}

void SlideHost::activateAfterDrop(int s, DropOn on) {
  activateTwice(s);
  if (on == DropOn::Tab && s == addin_.bar().model.selectedTab) addin_.giveFocusBack();
}

}  // namespace brelm
