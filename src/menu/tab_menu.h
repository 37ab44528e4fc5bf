#pragma once
// The strip's context menu: a popup command bar of the host with two buttons.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/host.h"

namespace brelm {

class Addin;

// The address "Visit our web site" opens.
extern const char* const kHomePage;

class TabMenu final : public ButtonClickSink {
 public:
  explicit TabMenu(Addin& addin) : addin_(addin) {}
  ~TabMenu() override;

  void buildTabPopup();
  void showTabPopup();
  void myButton_Click(const std::string& parameter);
  void saveAll();
  // Unsubscribes from the host's button and deletes the popup; safe to call twice.
  void release() noexcept;

  void onButtonClick(const std::string& parameter) override;

 private:
  void saveOne(HostApp& app, Document& d, std::uint64_t connection);

  Addin& addin_;
  // Kept only to be deleted when the add-in goes: the bar is shown by name.
  std::unique_ptr<CommandBar> bar_;
  std::unique_ptr<CommandBarButton> myButton_;
};

}  // namespace brelm
