#pragma once
// What differs between the spreadsheet and the presentation host. One
// implementation per host; each deliverable builds the add-in with its own.
#include <memory>
#include <string>

#include "hosts/host_profile.h"
#include "platform/host.h"

namespace brelm {

class Addin;

// The host's active window as read once per synchronisation pass.
struct ActiveWindowInfo {
  bool known = false;  // false: the host reported no active window
  std::shared_ptr<DocWindow> window;
  std::string caption;  // spreadsheet host: windows are known by caption
};

enum class DropOn { Tab, Arrow, Bar };

class HostVariant {
 public:
  explicit HostVariant(Addin& addin) : addin_(addin) {}
  virtual ~HostVariant() = default;
  HostVariant(const HostVariant&) = delete;
  HostVariant& operator=(const HostVariant&) = delete;

  // Takes the host Application; false when it is not this host's kind.
  virtual bool bind(std::shared_ptr<HostApp> app) = 0;
  virtual HostApp* app() const = 0;
  // What differs by host version; read from the host when start-up begins.
  const HostProfile& profile() const { return profile_; }
  void chooseProfile(HostKind kind) { profile_ = hostProfile(kind, app()->version()); }
  void forgetProfile() { profile_ = HostProfile{}; }
  virtual void startAddin() = 0;
  // Disconnection: unsubscribes, gives the host its layout and settings back,
  // and releases the Application.
  virtual void stop() = 0;
  virtual void aa() = 0;
  // Runs first on every polling tick, before the geometry is tracked.
  virtual void onTick() {}
  // The strip window was lost with its parent and made anew, hidden and
  // without a parent: dock it again.
  virtual void stripRecreated() = 0;
  virtual void trackHostGeometry() = 0;
  // The window given the focus back after a click.
  virtual Hwnd focusWindow() = 0;
  // The frame the strip is in, kNoWindow while it waits for one.
  virtual Hwnd stripFrame() const = 0;
  // Gives the frame holding the strip back the room made in it, so that it
  // is made again (the strip's height is about to change).
  virtual void releaseRoom() = 0;
  // Strip background when the theme asks for the alternative look.
  virtual int themedStripPicture() const = 0;
  virtual int tickIntervalMs() const = 0;
  // Whether the polling timer runs from the form's creation or is started by start-up.
  virtual bool tickFromCreation() const = 0;

  // Document tracking
  virtual ActiveWindowInfo readActive() = 0;
  virtual bool isActive(const ActiveWindowInfo& active, const DocWindow& window,
                        const std::string& caption) const = 0;
  // Second pass: does window (host position j) already have a tab?
  virtual bool hasTab(DocWindow& window) = 0;
  // Only windows the user can see get a tab.
  virtual bool userCanSee(DocWindow& window) {
    (void)window;
    return true;
  }

  // Pointer handlers
  virtual void selectByClick(int k, bool fullForm) = 0;
  virtual void closeByImage(int k) = 0;
  virtual void activateAfterDrop(int s, DropOn on) = 0;

 protected:
  Addin& addin_;
  HostProfile profile_;
};

std::unique_ptr<HostVariant> makeHostVariant(HostKind kind, Addin& addin);

}  // namespace brelm
