#include "hosts/slide/slide_host.h"

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

SlideHost::~SlideHost() { stop(); }

bool SlideHost::bind(std::shared_ptr<HostApp> app) {
  app_ = std::dynamic_pointer_cast<SlideApp>(app);
  if (!app_) return false;
  docking_ = std::make_unique<SlideDocking>(addin_, *app_, profile_);
  active_ = false;
  return true;
}

void SlideHost::startAddin() {
  WindowSystem& ws = addin_.windows();
  chooseProfile(HostKind::Slide);
  const Hwnd frame = docking_->activeFrame();
  if (frame == kNoWindow) return;  // stays inactive
  active_ = true;
  events_ = std::make_unique<SlideEvents>(addin_, *app_, *docking_, profile_);
  addin_.bar().model = TabModel{};
  addin_.menu().buildTabPopup();
  app_->subscribe(events_.get());
  subscribed_ = true;
  if (profile_.setsTaskbar) {
    taskbarAtConnection_ = app_->showWindowsInTaskbar();
    app_->setShowWindowsInTaskbar(false);
    taskbarChanged_ = true;
  }
  addin_.formWindow();
  docking_->frames().follow(frame);
  addin_.dock().stripHeight = addin_.computeStripHeight();
  addin_.toolkit().setTimer(TimerId::Mouse, true, tickIntervalMs());
  addin_.toolkit().show(true);
  ws.setForeground(docking_->hostMainWnd());
  app_->activate();
}

void SlideHost::stop() {
  if (!app_) return;
  if (subscribed_) bestEffort([&] { app_->subscribe(nullptr); });
  subscribed_ = false;
  // Hidden frames are shown again and every docked frame gets its layout back.
  if (docking_) docking_->restoreLayout();
  if (taskbarChanged_) bestEffort([&] { app_->setShowWindowsInTaskbar(taskbarAtConnection_); });
  taskbarChanged_ = false;
  active_ = false;
  events_.reset();
  docking_.reset();
  app_.reset();
}

void SlideHost::aa() {
  addin_.unloadForm();
  addin_.dock().lastDockOffset = 0;
}

void SlideHost::onTick() {
  if (events_) events_->runDeferred();
}

void SlideHost::stripRecreated() {
  if (events_) events_->stripLost();
}

void SlideHost::trackHostGeometry() {
  if (active_ && docking_) docking_->trackHostGeometry();
}

Hwnd SlideHost::focusWindow() { return docking_ ? docking_->hostMainWnd() : kNoWindow; }

ActiveWindowInfo SlideHost::readActive() {
  ActiveWindowInfo info;
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
  w->activate();
  w->activate();
}

void SlideHost::selectByClick(int k, bool) {
  activateTwice(k);
  // The host's activation event may already have selected the tab.
  if (k == addin_.bar().model.selectedTab) addin_.giveFocusBack();
}

void SlideHost::closeByImage(int k) {
  if (events_) events_->closeByTab(k);
}

void SlideHost::activateAfterDrop(int s, DropOn on) {
  activateTwice(s);
  if (on == DropOn::Tab && s == addin_.bar().model.selectedTab) addin_.giveFocusBack();
}

}  // namespace brelm
