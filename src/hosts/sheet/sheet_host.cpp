#include "hosts/sheet/sheet_host.h"

#include "addin/addin.h"
#include "addin/best_effort.h"

namespace brelm {

bool SheetHost::bind(std::shared_ptr<HostApp> app) {
  app_ = std::dynamic_pointer_cast<SheetApp>(app);
  if (!app_) return false;
  docking_ = std::make_unique<SheetDocking>(addin_, *app_);
  return true;
}

void SheetHost::startAddin() {
  WindowSystem& ws = addin_.windows();
  const bool formulaBar = app_->displayFormulaBar();
  app_->setDisplayFormulaBar(true);
  formulaBarAtConnection_ = formulaBar;
  addin_.bar().model = TabModel{};
  addin_.menu().buildTabPopup();
  const bool taskbar = app_->showWindowsInTaskbar();
  app_->setShowWindowsInTaskbar(false);
  taskbarAtConnection_ = taskbar;
  ws.setParent(addin_.formWindow(), app_->hwnd());
  docking_->dockHostWindows();
  addin_.toolkit().show(true);
  docking_->trackHostGeometry();
  ws.setForeground(app_->hwnd());
  ws.setForeground(app_->hwnd());
  try {
    app_->document(1)->activate();
  } catch (const HostError&) {
    // No workbook open.
  }
}

void SheetHost::stop() {
  if (!app_) return;
  bestEffort([&] { docking_->restoreLayout(); });
  // Only the settings start-up actually changed are given back.
  if (taskbarAtConnection_) bestEffort([&] { app_->setShowWindowsInTaskbar(*taskbarAtConnection_); });
  if (formulaBarAtConnection_) bestEffort([&] { app_->setDisplayFormulaBar(*formulaBarAtConnection_); });
  taskbarAtConnection_.reset();
  formulaBarAtConnection_.reset();
  docking_.reset();
  app_.reset();
}

void SheetHost::aa() {
  docking_->shrinkFormulaBar();
  addin_.dock().lastDockOffset = 0;
}

void SheetHost::trackHostGeometry() { docking_->trackHostGeometry(); }

void SheetHost::stripRecreated() {
  addin_.windows().setParent(addin_.toolkit().window(), app_->hwnd());
  addin_.toolkit().show(true);
  addin_.dock().lastDockOffset = 0;  // place it again on this tick
}

Hwnd SheetHost::focusWindow() { return app_->hwnd(); }

ActiveWindowInfo SheetHost::readActive() {
  ActiveWindowInfo info;
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
  book->activate();
  w->activate();
  w->activate();
}

void SheetHost::selectByClick(int k, bool fullForm) {
  if (k != addin_.bar().model.selectedTab) activateWindow(k, fullForm);
  addin_.giveFocusBack();
}

void SheetHost::closeByImage(int k) {
  addin_.giveFocusBack();
  try {
    const TabModel& model = addin_.bar().model;
    std::shared_ptr<DocWindow> w = model.docWindows.at(model.tabPosition.at(k));
    if (w) w->close();
  } catch (const HostError&) {
    // Closing, and any question the host asks first, is the host's business.
  }
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
