#include "documents/slide_events.h"

#include <algorithm>

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

void SlideEvents::onWindowActivate(const std::shared_ptr<DocWindow>& window) {
  // Moving the strip to another frame now would hide the frame our prompt
  // belongs to and take the strip away from under it: the next tick after
  // the wait follows whichever window is active then.
  if (addin_.waitingForUser()) {
    missedActivation_ = true;
    return;
  }
  missedActivation_ = false;
  bestEffort(addin_.trace(), "WindowActivate event", [&] {
    if (window) xlap_WindowActivate(*window);
  });
  addin_.requestRepaint();
}

void SlideEvents::onWindowDeactivate(const std::shared_ptr<DocWindow>& window) {
  bestEffort(addin_.trace(), "WindowDeactivate event", [&] {
    if (window) xlap_WindowdeActivate(window);
  });
}

void SlideEvents::onPresentationClose() {
  bestEffort(addin_.trace(), "PresentationClose event", [&] { xlap_PresentationClose(); });
}

void SlideEvents::redockStrip() {
  const Hwnd frame = docking_.activeFrame();
  if (frame == kNoWindow) return frames_.park();  // no frame left
  // The frame that holds the strip already (the application activated again,
  // say) is left as it is.
  if (frame != frames_.frame() || frames_.parked()) frames_.follow(frame);
  // A frame hidden when the strip left it may get the strip back without an
  // activation of ours (its neighbour closed through the host with the strip
  // inside, the strip made anew and docked from the tick): it must not stay
  // hidden around the strip.
  if (frames_.frame() == frame) frames_.showIfHidden(frame);
  addin_.focusHost(frames_.frame());
}

void SlideEvents::stripLost() { frames_.stripLost(); }

void SlideEvents::xlap_WindowActivate(const DocWindow& window) {
  WindowSystem& ws = addin_.windows();
  if (framePerDocument_) {
    handOverPending(window);
    const Hwnd oldFrame = frames_.frame();
    redockStrip();
    const Hwnd frame = frames_.frame();
    if (frame != oldFrame) {
      ws.showWindow(frame, ShowCmd::Show);
      frames_.shown(frame);
      if (oldFrame != kNoWindow) frames_.hideFrame(oldFrame);
    }
  }
  // Again after redockStrip: a new frame was still hidden when it was
  // brought forward there.
  addin_.focusHost(frames_.frame());
  TabBar& bar = addin_.bar();
  for (int i = 1; i <= bar.model.docWindowCount; ++i) {
    if (bar.model.docWindows[i]->sameObject(window)) bar.mdown(bar.model.tabOrder[i]);
  }
}

// A deactivation that named no other window is settled by the activation
// that follows: another window takes the place over; the same one (the
// application came back) keeps its own.
void SlideEvents::handOverPending(const DocWindow& activated) {
  if (!pending_) return;
  Pending p = std::move(*pending_);
  pending_.reset();
  if (p.window->sameObject(activated)) return;
  std::shared_ptr<DocWindow> active;
  bestEffort(addin_.trace(), "reading the active window", [&] { active = app_.activeWindow(); });
  if (active && !active->sameObject(*p.window)) handOver(*p.window, p.state, *active);
}

// The host raises WindowDeactivate also when the application itself loses
// the activation (minimised, another program in front), and then the active
// window is still the one deactivated; whether a switch between documents
// changes the active window before or after the event is not documented. So
// the place is handed over only between two different document windows: at
// once when the host already names the new one, else when the activation of
// another window follows. A window whose application comes back is left as
// it is (maximising it would keep the host from being minimised).
void SlideEvents::xlap_WindowdeActivate(const std::shared_ptr<DocWindow>& window) {
  if (!framePerDocument_) return;
  pending_.reset();
  int state = 0;
  Trace& trace = addin_.trace();
  bestEffort(trace, "reading the window state", [&] { state = window->windowState(); });
  std::shared_ptr<DocWindow> active;
  bestEffort(trace, "reading the active window", [&] { active = app_.activeWindow(); });
  if (active && !active->sameObject(*window)) return handOver(*window, state, *active);
  pending_ = Pending{window, state};
}

// The deactivated window's place and size, or its maximised state, go to
// the window now active.
void SlideEvents::handOver(DocWindow& from, int state, DocWindow& to) {
  Trace& trace = addin_.trace();
  constexpr const char* kWhat = "handing the window's place over";
  if (state == 1) {
    bestEffort(trace, kWhat, [&] { to.setWindowState(1); });
    bestEffort(trace, kWhat, [&] { to.setTop(from.top()); });
    bestEffort(trace, kWhat, [&] { to.setWidth(from.width()); });
    bestEffort(trace, kWhat, [&] { to.setLeft(from.left()); });
    bestEffort(trace, kWhat, [&] { to.setHeight(from.height()); });
  } else {
    bestEffort(trace, kWhat, [&] { to.setWindowState(3); });
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
  // An activation that waited for the user settles a deactivation of that
  // time, as it would have at once.
  if (missedActivation_) followActiveWindow();
  // The activation that settles a deactivation comes within the same host
  // call; one that has not come by the tick is not coming (the application
  // lost the activation), and the window it named is not held on to.
  pending_.reset();
  const Recovery recovery = recovery_;
  recovery_ = Recovery::None;
  if (recovery == Recovery::ActivateIfNone && !hostHasActiveWindow()) activateAnyWindow();
  if (!frames_.parked()) {
    parkedTicks_ = 0;
  } else if (parkedTicks_++ % 10 == 0) {
    // A strip that waits for a frame looks for one at once, then every tenth
    // tick: the search walks the desktop's windows.
    redockStrip();
  }
}

void SlideEvents::followActiveWindow() {
  missedActivation_ = false;
  std::shared_ptr<DocWindow> active;
  bestEffort(addin_.trace(), "reading the active window", [&] { active = app_.activeWindow(); });
  if (active) {
    bestEffort(addin_.trace(), "following the active window", [&] { xlap_WindowActivate(*active); });
  }
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
    const int shown = dialog->show();
    if (detached_ || shown != -1) return false;  // switched off while the dialog was up
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
    // The prompt is about this window: it is brought forward first, twice
    // as a click on its tab does.
    w.activate();
    w.activate();
    if (d->saved()) return true;
    caption = w.caption();
  } catch (const HostError&) {
    return true;  // a window whose presentation cannot be read is still closed
  }
  // From the prompt to the end of the save the add-in waits for the user.
  const Addin::UserWait wait(addin_);
  const int answer = addin_.prompt("Do you want to save the changes you made to " + caption + "?");
  // The host may have switched the add-in off while the prompt was up: the
  // answer was given to an add-in that is gone.
  if (detached_) return false;
  if (answer == msgbox::kYes) return saveDocument(*d);
  return answer == msgbox::kNo;
}

void SlideEvents::closeWindow(DocWindow& w, int p) {
  const TabModel& model = addin_.bar().model;
  if (framePerDocument_) {
    const int other = p == 1 ? 2 : 1;
    Trace& trace = addin_.trace();
    bestEffort(trace, "activating a neighbour", [&] {
      if (other <= model.docWindowCount) {
        // Twice, as a click on its tab does; the strip follows it before
        // the closing frame goes.
        model.docWindows[other]->activate();
        model.docWindows[other]->activate();
      }
    });
    bestEffort(trace, "re-docking the strip", [&] { redockStrip(); });
    bestEffort(trace, "showing the frame",
               [&] { addin_.windows().showWindow(frames_.frame(), ShowCmd::Show); });
    closingByTab = -1;
  }
  // The window the user was asked about, wherever its tab is now.
  bestEffort(addin_.trace(), "closing the window", [&] { w.close(); });
}

void SlideEvents::closeByTab(int n) {
  const TabModel& model = addin_.bar().model;
  const int p = model.tabPosition.at(n);
  std::shared_ptr<DocWindow> w = model.docWindows.at(p);
  if (!w) return;
  addin_.focusHost(frames_.frame());
  if (!savePrompt(*w) || detached_) return;
  closeWindow(*w, p);
}

}  // namespace brelm
