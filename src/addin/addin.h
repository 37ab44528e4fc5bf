#pragma once
// The add-in as its host sees it: connection, disconnection, the public
// method aa, the polling tick, and the tab bar's events. Owns all core state.
#include <memory>
#include <string>
#include <vector>

#include "hosts/host_variant.h"
#include "menu/tab_menu.h"
#include "platform/form.h"
#include "platform/host.h"
#include "platform/registry.h"
#include "platform/window_system.h"
#include "tabstrip/tab_bar.h"

namespace brelm {

struct Platform {
  WindowSystem& windows;
  FormToolkit& toolkit;
  Registry& registry;
  Shell& shell;
};

struct DockState {
  int stripHeight = 0;     // pixels
  int lastDockOffset = 0;  // 0 = strip not placed yet
};

class Addin final : public FormEvents {
 public:
  Addin(Platform platform, HostKind kind);
  ~Addin() override;
  Addin(const Addin&) = delete;
  Addin& operator=(const Addin&) = delete;

  // The host's connection call. Throws HostError (or std::exception) when a
  // step of start-up fails; the steps already done stay done.
  void OnConnection(std::shared_ptr<HostApp> application);
  // Never throws: stops the timers, hides the strip, gives back the host
  // layout and releases every host reference.
  void OnDisconnection() noexcept;
  void aa();
  bool connected() const { return connected_; }

  // The polling tick.
  void mouseTimer_Timer();

  // FormEvents: the toolkit's events. None of them lets an exception out.
  void onMouseDown(Target target, int button) override;
  void onMouseUp(Target target, int button) override;
  void onClick(Target target) override;
  void onDblClick(Target target) override;
  void onMouseMove(Target target) override;
  void onDragDrop(int source, Target target, float x, float y) override;
  void onTimer(TimerId timer) override;
  void onResize(float width, float height) override;
  std::string tooltipText(int index) override;
  std::shared_ptr<DocWindow> tabWindow(int index) override { return bar_.model.windowOf(index); }
  int tabIndexOf(const DocWindow& window) override { return bar_.model.elementOf(window); }

  // Document tracking (documents/sync.cpp)
  void testbooks();
  // False when the strip is full; the model is then unchanged.
  bool addWindowTab(std::shared_ptr<DocWindow> window);

  // Form lifecycle: creates the form window and runs its load routine once.
  Hwnd formWindow();
  void formLoad();
  // The strip's background for the host's version and the user's theme.
  void chooseTheme();
  void unloadForm();
  void giveFocusBack();

  // Strip height in pixels at the strip's DPI: 360 twips, a quarter inch.
  int computeStripHeight();
  // The dots per inch the strip is shown at (its frame's).
  int dpi() const { return dpi_; }
  // Takes the DPI of the frame the strip is in when it differs from the one
  // the strip was laid out for: the captions are measured anew, the strip
  // gets its height at that DPI and is docked again.
  void followDpi();
  // Asks the toolkit to repaint when the form state changed since the last request.
  void requestRepaint() noexcept;

  TabBar& bar() { return bar_; }
  const TabBar& bar() const { return bar_; }
  DockState& dock() { return dock_; }
  const DockState& dock() const { return dock_; }
  HostVariant& host() { return *host_; }
  TabMenu& menu() { return menu_; }
  WindowSystem& windows() { return platform_.windows; }
  FormToolkit& toolkit() { return platform_.toolkit; }
  Registry& registry() { return platform_.registry; }
  Shell& shell() { return platform_.shell; }
  HostKind kind() const { return kind_; }

 private:
  void dispatchMouseDown(Target target, int button);
  void dispatchMouseUp(Target target, int button);
  void dispatchClick(Target target);
  void dispatchDblClick(Target target);
  void dispatchMouseMove(Target target);
  void dispatchDragDrop(int source, Target target, float x, float y);
  void middleRelease(Target target);
  void chooseFromList();
  void releaseModel() noexcept;
  bool watchHiddenWindows();
  // The sync pass's removal of a tab, with what was kept for it.
  void removeTab(int e);
  bool savedReadDue();
  std::shared_ptr<Document> documentOf(int e, const std::shared_ptr<DocWindow>& window);

  Platform platform_;
  HostKind kind_;
  TabBar bar_;
  FormState painted_;  // the form state as last handed to the toolkit to paint
  DockState dock_;
  TabMenu menu_;
  // Windows the host lists but the user cannot see: no tab, watched for
  // being shown again. Held like the tabs' windows, released with them.
  std::vector<std::shared_ptr<DocWindow>> hiddenWindows_;
  // The document of each tab's window (by control index), asked for once:
  // its Saved is read on the tick. Released with the tab.
  struct TabDocument {
    const DocWindow* window = nullptr;
    std::shared_ptr<Document> document;
  };
  std::vector<TabDocument> tabDocuments_;
  int ticksSinceSavedRead_ = 0;
  std::unique_ptr<HostVariant> host_;
  void rescale(int dpi);

  bool formLoaded_ = false;
  int dpi_ = 96;
  bool connected_ = false;
};

}  // namespace brelm
