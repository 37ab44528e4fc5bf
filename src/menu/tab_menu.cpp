// The strip's context menu and its two commands.
#include "menu/tab_menu.h"

#include <vector>

#include "addin/addin.h"

namespace brelm {

const char* const kHomePage = "https://brelm.example/";

namespace {
constexpr const char* kPopupName = "tabPopup";
constexpr const char* kTag = "Quorvane";

void describe(CommandBarButton& button, int faceId, const std::string& caption,
              const std::string& parameter) {
  button.setFaceId(faceId);
  button.setCaption(caption);
  button.setTooltipText(caption);
  button.setStyle(3);  // icon and caption
  button.setTag(kTag);
  button.setParameter(parameter);
}
}  // namespace

TabMenu::~TabMenu() { release(); }

void TabMenu::release() noexcept {
  if (myButton_) {
    try {
      myButton_->unbindClick();
    } catch (...) {
    }
    myButton_.reset();
  }
  // Nothing of the add-in stays in the host's command bars once it is gone.
  if (bar_) {
    try {
      bar_->deleteBar();
    } catch (...) {
      // Deleted already (by the user, through the host's customisation).
    }
    bar_.reset();
  }
}

void TabMenu::buildTabPopup() {
  release();
  HostApp& app = *addin_.host().app();
  try {
    app.commandBar(kPopupName)->deleteBar();
  } catch (const HostError&) {
    // None left from an earlier start.
  }
  bar_ = app.addPopupBar(kPopupName, true);
  std::unique_ptr<CommandBarButton> website = bar_->addButton(std::nullopt);
  describe(*website, 1016, "Visit our web site", "website");
  website->bindClick(this);
  myButton_ = std::move(website);
  std::unique_ptr<CommandBarButton> saveAllButton = bar_->addButton(1);
  describe(*saveAllButton, 455, "Save All", "SaveAll");
}

void TabMenu::showTabPopup() {
  addin_.giveFocusBack();
  HostApp* app = addin_.host().app();
  if (!app) return;
  try {
    app->commandBar(kPopupName)->showPopup();
  } catch (const HostError&) {
    // The bar is gone (the user may have deleted it): no menu.
  }
}

void TabMenu::onButtonClick(const std::string& parameter) {
  // A command started under a modal window of ours would run inside its wait.
  if (addin_.waitingForUser()) return;
  try {
    myButton_Click(parameter);
  } catch (...) {
    // The host ignores what a button's Click returns.
    addin_.trace().failure("menu command", caughtFailureCode());
  }
}

void TabMenu::myButton_Click(const std::string& parameter) {
  if (!addin_.connected()) return;
  if (parameter == "SaveAll") saveAll();
  if (parameter == "website") addin_.shell().openUrl(kHomePage, addin_.toolkit().window());
}

void TabMenu::saveAll() {
  HostApp* host = addin_.host().app();
  if (!host) return;
  HostApp& app = *host;
  const std::uint64_t connection = addin_.connection();
  std::shared_ptr<DocWindow> wasActive;
  try {
    wasActive = app.activeWindow();
  } catch (const HostError&) {
  }
  std::vector<std::string> failed;
  const int count = app.documentCount();
  for (int i = 1; i <= count; ++i) {
    std::string name = "document " + std::to_string(i);
    try {
      std::shared_ptr<Document> d = app.document(i);
      name = d->name();
      if (!d->saved()) saveOne(app, *d, connection);
    } catch (const HostError&) {
      failed.push_back(name);  // go on with the others; report at the end
    }
    // Switched off under a dialog: the Application is no longer ours to use.
    if (!addin_.stillIn(connection)) return;
  }
  if (wasActive) {
    try {
      wasActive->activate();
    } catch (const HostError&) {
    }
  }
  if (failed.empty()) return;
  std::string text = "These documents could not be saved:";
  for (const std::string& name : failed) text += "\n" + name;
  addin_.report(text);
}

// The host's save and its Save As dialog run the host's message loop: the
// add-in waits for the user meanwhile.
void TabMenu::saveOne(HostApp& app, Document& d, std::uint64_t connection) {
  if (!d.path().empty()) {
    const Addin::UserWait wait(addin_);
    return d.save();
  }
  // The Save As dialog saves the active document: make it this one.
  d.activate();
  std::unique_ptr<FileDialog> dialog = app.saveAsDialog();
  dialog->setInitialFileName(d.name());
  const Addin::UserWait wait(addin_);
  if (dialog->show() == -1 && addin_.stillIn(connection)) dialog->execute();
}

}  // namespace brelm
