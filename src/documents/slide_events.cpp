#include "documents/slide_events.h"

#include <algorithm>

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

void SlideEvents::onWindowActivate(const std::shared_ptr<DocWindow>& window) {
  bestEffort([&] {
    if (window) xlap_WindowActivate(*window);
  });
  bestEffort([&] { addin_.toolkit().invalidate(); });
}

void SlideEvents::onWindowDeactivate(const std::shared_ptr<DocWindow>& window) {
  bestEffort([&] {
    if (window) xlap_WindowdeActivate(*window);
  });
}

void SlideEvents::onPresentationClose() {
  bestEffort([&] { xlap_PresentationClose(); });
}

void SlideEvents::redockStrip() {
  WindowSystem& ws = addin_.windows();
  if (!docking_.findFrame("PPTFrameClass")) return parkStrip();  // no frame left
  ws.setParent(addin_.toolkit().window(), docking_.hostMainWnd);
  docking_.findChildren();
  if (parked_) {
    addin_.toolkit().show(true);
    parked_ = false;
  }
  ws.setForeground(docking_.hostMainWnd);
}

void SlideEvents::parkStrip() {
  // The strip is a child of a frame the host is about to destroy: take it out
  // (hidden, without a parent) until a frame that stays takes it in.
  if (parked_) return;
  addin_.toolkit().show(false);
  addin_.windows().setParent(addin_.toolkit().window(), kNoWindow);
  docking_.hostMainWnd = docking_.dockTopWnd = docking_.mdiClientWnd = docking_.dockRightWnd =
      kNoWindow;
  addin_.dock().lastDockOffset = 0;
  parked_ = true;
}

void SlideEvents::stripLost() {
  docking_.hostMainWnd = docking_.dockTopWnd = docking_.mdiClientWnd = docking_.dockRightWnd =
      kNoWindow;
  addin_.dock().lastDockOffset = 0;
  parked_ = true;  // the new window is hidden and has no parent: dock it on this tick
}

void SlideEvents::xlap_WindowActivate(const DocWindow& window) {
  WindowSystem& ws = addin_.windows();
  if (framePerDocument_) {
    const Hwnd oldFrame = docking_.hostMainWnd;
    redockStrip();
    ws.showWindow(docking_.hostMainWnd, ShowCmd::Show);
    std::erase(hiddenFrames_, docking_.hostMainWnd);
    if (oldFrame != kNoWindow && oldFrame != docking_.hostMainWnd &&
        ws.showWindow(oldFrame, ShowCmd::Hide)) {
      hiddenFrames_.push_back(oldFrame);
    }
  }
  ws.setForeground(docking_.hostMainWnd);
  TabBar& bar = addin_.bar();
  for (int i = 1; i <= bar.model.docWindowCount; ++i) {
    if (bar.model.docWindows[i]->sameObject(window)) bar.mdown(bar.model.tabOrder[i]);
  }
}

void SlideEvents::xlap_WindowdeActivate(DocWindow& window) {
  if (!framePerDocument_) return;
  int state = 0;
  bestEffort([&] { state = window.windowState(); });
  std::shared_ptr<DocWindow> active;
  bestEffort([&] { active = app_.activeWindow(); });
  if (!active) return;
  if (state == 1) {
    bestEffort([&] { active->setWindowState(1); });
    bestEffort([&] { active->setTop(window.top()); });
    bestEffort([&] { active->setWidth(window.width()); });
    bestEffort([&] { active->setLeft(window.left()); });
    bestEffort([&] { active->setHeight(window.height()); });
  } else {
    bestEffort([&] { active->setWindowState(3); });
  }
}

void SlideEvents::xlap_PresentationClose() {
  if (!framePerDocument_) return;
  // Closed through the host's own interface: if that leaves no active window,
  // bring another document forward so that a frame shows the strip. The host
  // is still inside its close call here, so that waits for the next tick. A
  // close by the tab has chosen the next window already.
  if (closingByTab == 0) recovery_ = Recovery::ActivateIfNone;
  closingByTab = 0;
}

void SlideEvents::runDeferred() {
  const Recovery recovery = recovery_;
  recovery_ = Recovery::None;
  if (recovery == Recovery::ActivateIfNone && !hostHasActiveWindow()) activateAnyWindow();
  if (parked_) redockStrip();
}

bool SlideEvents::hostHasActiveWindow() {
  try {
    return app_.activeWindow() != nullptr;
  } catch (const HostError&) {
    return false;
  }
}

void SlideEvents::activateAnyWindow() {
  const TabModel& model = addin_.bar().model;
  if (model.docWindowCount >= 1) {
    try {
      DocWindow& first = *model.docWindows[1];
      first.caption();  // a closed window cannot be read
      first.activate();
      return;
    } catch (const HostError&) {
    }
  }
  if (app_.windowCount() > 0) app_.window(1)->activate();
}

bool SlideEvents::saveDocument(Document& d) {
  try {
    if (!d.path().empty()) {
      d.save();
      return true;
    }
    std::unique_ptr<FileDialog> dialog = app_.saveAsDialog();
    dialog->setInitialFileName(d.name());
    if (dialog->show() != -1) return false;
    dialog->execute();
    return true;
  } catch (const HostError&) {
    return false;  // the changes were not saved: keep the window open
  }
}

// False when the close is cancelled.
bool SlideEvents::savePrompt(DocWindow& w) {
  std::shared_ptr<Document> d;
  std::string caption;
  try {
    d = w.parent();
    if (d->windowCount() > 1) return true;
    w.activate();
    w.activate();
    if (d->saved()) return true;
    caption = w.caption();
  } catch (const HostError&) {
    return true;  // a window whose presentation cannot be read is still closed
  }
  const int answer =
      addin_.toolkit().messageBox("Do you want to save the changes you made to " + caption + "?");
  if (answer == msgbox::kYes) return saveDocument(*d);
  return answer == msgbox::kNo;
}

void SlideEvents::closeWindow(int n, int p) {
  const TabModel& model = addin_.bar().model;
  if (framePerDocument_) {
    const int other = p == 1 ? 2 : 1;
    bestEffort([&] {
      if (other <= model.docWindowCount) {
        model.docWindows[other]->activate();
        model.docWindows[other]->activate();
      }
    });
    bestEffort([&] { redockStrip(); });
    bestEffort([&] { addin_.windows().showWindow(docking_.hostMainWnd, ShowCmd::Show); });
    closingByTab = -1;
  }
  bestEffort([&] { model.docWindows.at(model.tabPosition.at(n))->close(); });
}

void SlideEvents::closeByTab(int n) {
  const TabModel& model = addin_.bar().model;
  const int p = model.tabPosition.at(n);
  std::shared_ptr<DocWindow> w = model.docWindows.at(p);
  if (!w) return;
  addin_.windows().setForeground(docking_.hostMainWnd);
  if (!savePrompt(*w)) return;
  closeWindow(n, p);
}

void SlideEvents::showHiddenFrames() noexcept {
  for (Hwnd frame : hiddenFrames_) {
    bestEffort([&] { addin_.windows().showWindow(frame, ShowCmd::Show); });
  }
  hiddenFrames_.clear();
}

}  // namespace brelm
