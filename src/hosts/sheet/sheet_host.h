#pragma once
// The spreadsheet host: windows are known by caption, the strip docks in the
// formula-bar area at start-up, and the host handles its own close prompts.
#include <memory>
#include <optional>

#include "docking/sheet_docking.h"
#include "hosts/host_variant.h"

namespace brelm {

class SheetHost final : public HostVariant {
 public:
  using HostVariant::HostVariant;

  bool bind(std::shared_ptr<HostApp> app) override;
  HostApp* app() const override { return app_.get(); }
  void startAddin() override;
  void stop() override;
  void aa() override;
  void trackHostGeometry() override;
  void stripRecreated() override;
  Hwnd focusWindow() override;
  int themedStripPicture() const override { return 8; }
  int tickIntervalMs() const override { return 100; }
  bool tickFromCreation() const override { return true; }

  ActiveWindowInfo readActive() override;
  bool isActive(const ActiveWindowInfo& active, const DocWindow& window,
                const std::string& caption) const override;
  bool hasTab(DocWindow& window) override;

  void selectByClick(int k, bool fullForm) override;
  void closeByImage(int k) override;
  void activateAfterDrop(int s, DropOn on) override;

 private:
  void activateWindow(int k, bool fullForm);

  std::shared_ptr<SheetApp> app_;
  std::unique_ptr<SheetDocking> docking_;
  // Host settings start-up changes, given back at disconnection.
  std::optional<bool> formulaBarAtConnection_;
  std::optional<bool> taskbarAtConnection_;
};

}  // namespace brelm
