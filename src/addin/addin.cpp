// The add-in's life in its host: connection, disconnection, aa, the polling
// tick, and the tab bar form's own life.
#include "addin/addin.h"

#include <exception>
#include <stdexcept>

#include "tabstrip/strip_theme.h"

namespace brelm {

Addin::Addin(Platform platform, HostKind kind)
    : platform_(platform),
      kind_(kind),
      bar_(platform.toolkit, platform.windows),
      menu_(*this),
      host_(makeHostVariant(kind, *this)) {}

Addin::~Addin() { OnDisconnection(); }

void Addin::OnConnection(std::shared_ptr<HostApp> application) {
  if (connected_) OnDisconnection();
  if (!host_->bind(std::move(application))) {
    throw HostError(hresult::kFail, "the Application is not this add-in's host");
  }
  connected_ = true;
  try {
    host_->startAddin();
  } catch (...) {
    // A start-up that failed half-way must not leave a strip ticking against
    // the host, nor references that keep the host from exiting.
    OnDisconnection();
    throw;
  }
}

void Addin::OnDisconnection() noexcept {
  if (!connected_) return;
  connected_ = false;
  try {
    toolkit().setTimer(TimerId::Mouse, false, host_->tickIntervalMs());
    toolkit().setTimer(TimerId::Left, false, 100);
    toolkit().setTimer(TimerId::Right, false, 100);
  } catch (...) {
  }
  try {
    host_->stop();
  } catch (...) {
  }
  menu_.release();
  unloadForm();
  dock_ = DockState{};
}

void Addin::aa() {
  if (!connected_) return;
  host_->aa();
}

void Addin::mouseTimer_Timer() {
  if (!connected_) return;
  try {
    if (toolkit().recreateIfLost()) host_->stripRecreated();
    host_->onTick();
    host_->trackHostGeometry();
    bar_.testmouse();
    testbooks();
  } catch (...) {
    // The tick has no handling of its own; the next one starts afresh.
  }
  requestRepaint();
}

// An idle host must not see the strip repainted ten or a hundred times a
// second: the toolkit is asked only when something it paints changed.
void Addin::requestRepaint() noexcept {
  try {
    if (bar_.form == painted_) return;
    painted_ = bar_.form;
    toolkit().invalidate();
  } catch (...) {
    // Out of memory copying the state: it differs next time, and is asked again.
  }
}

Hwnd Addin::formWindow() {
  if (!formLoaded_) {
    // Without a window there is no strip and no timer: fail, so that start-up
    // reports it and a later tick tries again, rather than run on without one.
    if (toolkit().create(&bar_.form, this) == kNoWindow)
      throw std::runtime_error("the tab bar window could not be created");
    formLoaded_ = true;
    toolkit().setTimer(TimerId::Mouse, host_->tickFromCreation(),
                         host_->tickIntervalMs());
    formLoad();
  }
  return toolkit().window();
}

void Addin::formLoad() {
  const std::string version = host_->app()->version();
  std::uint32_t type = regtype::kDword;
  const std::string theme = readRegValue(registry(), RegRoot::CurrentUser,
                                         "Software\\Microsoft\\Office\\" + version + "\\Common",
                                         "Theme", type);
  bar_.form.picture = chooseStripPicture(version, theme, host_->themedStripPicture());
  bar_.fload();
}

void Addin::unloadForm() {
  releaseModel();
  if (!formLoaded_) return;
  formLoaded_ = false;
  try {
    toolkit().show(false);
    toolkit().destroy();
  } catch (...) {
  }
  bar_.form = FormState{};
}

void Addin::releaseModel() noexcept {
  bar_.reset();
  hiddenWindows_.clear();
}

void Addin::giveFocusBack() { windows().setForeground(host_->focusWindow()); }

int Addin::computeStripHeight() {
  int t = windows().twipsPerPixelY();
  if (t <= 0) t = 15;  // a screen that reports no metrics is taken as 96 dpi
  return (360 - 360 % t) / t;
}

}  // namespace brelm
