#pragma once
// The presentation host: windows are known by object identity, the strip is
// docked by the polling tick, the host's events are followed, and the tab's
// close image asks to save first.
#include <memory>

#include "addin/retried_step.h"
#include "docking/slide_docking.h"
#include "documents/slide_events.h"
#include "hosts/host_variant.h"

namespace brelm {

class SlideHost final : public HostVariant {
 public:
  using HostVariant::HostVariant;
  ~SlideHost() override;

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
  int themedStripPicture() const override { return 6; }
  int tickIntervalMs() const override { return 10; }
  bool tickFromCreation() const override { return false; }

  ActiveWindowInfo readActive() override;
  bool isActive(const ActiveWindowInfo& active, const DocWindow& window,
                const std::string& caption) const override;
  bool hasTab(DocWindow& window) override;

  void selectByClick(int k, bool fullForm) override;
  void closeByImage(int k) override;
  void activateAfterDrop(int s, DropOn on) override;

  SlideEvents* events() { return events_.get(); }

 private:
  void completeSetup();
  bool setupPending() const;
  std::shared_ptr<DocWindow> windowOfTab(int k);
  void activateTwice(int k);

  struct Setup {
    RetriedStep profile, menu, events, taskbar;
  };

  std::shared_ptr<SlideApp> app_;
  Setup setup_;
  std::unique_ptr<SlideDocking> docking_;
  std::unique_ptr<SlideEvents> events_;
  bool subscribed_ = false;
  bool taskbarChanged_ = false;
  bool taskbarAtConnection_ = true;
};

}  // namespace brelm
