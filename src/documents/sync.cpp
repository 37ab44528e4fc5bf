// Bringing the tab list in step with the host's document windows, once per
// polling tick: select the active window's tab, follow new captions, drop the
// tabs of windows that are gone or hidden, and add tabs for windows that have
// none and that the user can see.
#include <algorithm>
#include <optional>

#include "addin/addin.h"

namespace brelm {

void Addin::testbooks() {
  HostVariant& host = *host_;
  TabModel& model = bar_.model;

  ActiveWindowInfo active;
  try {
    active = host.readActive();
  } catch (const HostError& e) {
    if (e.busy()) return;  // try again next tick
    active = ActiveWindowInfo{};  // no active window: nothing is selected by this pass
  }

  const bool readSaved = savedReadDue();
  const int n = model.docWindowCount;
  for (int i = 1; i <= n && i <= model.docWindowCount;) {
    const int e = model.tabOrder[i];
    std::string caption;
    bool hidden = false;
    std::optional<bool> unsaved;
    try {
      caption = model.docWindows[i]->caption();
      hidden = !host.userCanSee(*model.docWindows[i]);
      if (readSaved && !hidden) unsaved = !documentOf(e, model.docWindows[i])->saved();
      if (!hidden && active.known && host.isActive(active, *model.docWindows[i], caption) &&
          model.selectedTab != e) {
        bar_.mdown(e);
      }
    } catch (const HostError& err) {
      // A busy host says nothing about the window; anything else means the
      // window can no longer be read.
      if (err.busy()) return;
      removeTab(e);
      continue;  // position i now holds the next window
    } catch (const std::exception&) {
      removeTab(e);
      continue;
    }
    if (hidden) {
      // Hidden by the user (or never meant to be seen): no tab until shown.
      hiddenWindows_.push_back(model.docWindows[i]);
      removeTab(e);
      continue;
    }
    if (unsaved) bar_.setUnsaved(e, *unsaved);
    if (bar_.label2(e).caption != caption) bar_.tabrename(e, caption);
    ++i;
  }

  if (!watchHiddenWindows()) return;
  const int m = host.app()->windowCount();
  const int known = model.tabCount + static_cast<int>(hiddenWindows_.size());
  if (known >= m || model.tabCount >= kMaxTabs) return;
  // The hidden windows are found afresh along with the windows without a tab.
  hiddenWindows_.clear();
  for (int j = 1; j <= m; ++j) {
    std::shared_ptr<DocWindow> window = host.app()->window(j);
    if (host.hasTab(*window)) continue;
    if (!host.userCanSee(*window)) {
      hiddenWindows_.push_back(std::move(window));
      continue;
    }
    if (!addWindowTab(std::move(window))) return;  // the strip is full
  }
}

void Addin::removeTab(int e) {
  if (e >= 0 && e < static_cast<int>(tabDocuments_.size())) tabDocuments_[e] = TabDocument{};
  bar_.mclose(e);
}

// A document's Saved is read at most every 100 ms: on every tick of the
// spreadsheet host, on every tenth of the presentation host's.
bool Addin::savedReadDue() {
  const int every = std::max(1, 100 / host_->tickIntervalMs());
  if (++ticksSinceSavedRead_ < every) return false;
  ticksSinceSavedRead_ = 0;
  return true;
}

// The document of tab e's window, asked of the host once for as long as
// the tab shows that window.
std::shared_ptr<Document> Addin::documentOf(int e, const std::shared_ptr<DocWindow>& window) {
  if (e >= static_cast<int>(tabDocuments_.size())) tabDocuments_.resize(e + 1);
  TabDocument& cached = tabDocuments_[e];
  if (cached.window != window.get() || !cached.document) {
    cached.document = window->parent();
    cached.window = window.get();
  }
  return cached.document;
}

// A hidden window that is shown again (or closed) is dropped from the list,
// so that the window count no longer adds up and the window list is walked.
// False when the host is busy: the pass stops there.
bool Addin::watchHiddenWindows() {
  for (auto it = hiddenWindows_.begin(); it != hiddenWindows_.end();) {
    bool hidden = false;
    try {
      hidden = !host_->userCanSee(**it);
    } catch (const HostError& err) {
      if (err.busy()) return false;
    }
    it = hidden ? std::next(it) : hiddenWindows_.erase(it);
  }
  return true;
}

bool Addin::addWindowTab(std::shared_ptr<DocWindow> window) {
  TabModel& model = bar_.model;
  if (model.docWindowCount >= kMaxTabs) return false;
  model.docWindowCount += 1;
  model.docWindows[model.docWindowCount] = std::move(window);
  try {
    formWindow();
    const std::string caption = model.docWindows[model.docWindowCount]->caption();
    if (bar_.addtab(caption)) return true;
  } catch (...) {
    model.docWindows[model.docWindowCount].reset();
    model.docWindowCount -= 1;
    throw;
  }
  model.docWindows[model.docWindowCount].reset();
  model.docWindowCount -= 1;
  return false;
}

}  // namespace brelm
