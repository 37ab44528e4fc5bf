#pragma once
// The spreadsheet host: windows are known by caption, the strip docks in the
// formula-bar area, and the host handles its own close prompts. Where every
// workbook window has a frame of its own, the strip follows the active one.
#include <memory>
#include <optional>

#include "addin/retried_step.h"
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
  void onTick() override;
  void trackHostGeometry() override;
  void stripRecreated() override;
  Hwnd focusWindow() override;
  Hwnd stripFrame() const override { return docking_ ? docking_->frames().frame() : kNoWindow; }
  void releaseRoom() override {
    if (docking_) docking_->frames().releaseRoom();
  }
  int themedStripPicture() const override { return 8; }
  int tickIntervalMs() const override { return 100; }
  bool tickFromCreation() const override { return true; }

  ActiveWindowInfo readActive() override;
  bool isActive(const ActiveWindowInfo& active, const DocWindow& window,
                const std::string& caption) const override;
  bool hasTab(DocWindow& window) override;
  bool userCanSee(DocWindow& window) override;

  void selectByClick(int k, bool fullForm) override;
  void closeByImage(int k) override;
  void activateAfterDrop(int s, DropOn on) override;

 private:
  void completeSetup();
  bool setupPending() const;
  bool dockAtConnection();
  void activateWindow(int k, bool fullForm);
  void activateFirstVisibleWorkbook();
  bool hasWindowUserCanSee(Document& book);
  void followActiveFrame();
  // A frame the strip may live in: one of the host's own workbook frames,
  // with a workbook window active in it.
  bool isWorkbookFrame(Hwnd frame);
  void closeInOwnFrame(DocWindow& w);

  struct Setup {
    RetriedStep profile, formulaBar, menu, taskbar;
  };

  std::shared_ptr<SheetApp> app_;
  Setup setup_;
  std::unique_ptr<SheetDocking> docking_;
  // Host settings start-up changes, given back at disconnection.
  std::optional<bool> formulaBarAtConnection_;
  std::optional<bool> taskbarAtConnection_;
  // The frame of a window being closed from its tab: never docked into again.
  Hwnd closingFrame_ = kNoWindow;
  bool ticksOnForeground_ = false;
};

}  // namespace brelm
