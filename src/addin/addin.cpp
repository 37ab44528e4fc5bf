// The add-in's life in its host: connection, disconnection, aa, the polling
// tick, and the tab bar form's own life.
#include "addin/addin.h"

#include <exception>
#include <stdexcept>

#include "tabstrip/strip_theme.h"
#include "tabstrip/twips.h"

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
    followDpi();
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
    // Until the strip is in a frame, the system's DPI.
    dpi_ = windows().dpiOf(kNoWindow);
    if (dpi_ <= 0) dpi_ = 96;
    toolkit().setDpi(dpi_);
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
  chooseTheme();
  bar_.fload();
}

// The host's version is known once start-up could read it; until then (a
// host busy at connection) the strip has its own background, and it is
// chosen again when the version is known.
void Addin::chooseTheme() {
  const std::string& version = host_->profile().versionText;
  if (!host_->profile().known) {
    bar_.form.picture = picture::kStripDesign;
    return;
  }
  std::uint32_t type = regtype::kDword;
  const HostProfile& profile = host_->profile();
  const std::string theme = readRegValue(registry(), RegRoot::CurrentUser,
                                         "Software\\Microsoft\\Office\\" + version + "\\Common",
                                         profile.themeValue, type);
  bar_.form.picture = profile.major >= 15
                          ? chooseUiThemePicture(theme, host_->themedStripPicture())
                          : chooseStripPicture(version, theme, host_->themedStripPicture());
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
  try {
    bar_.form = FormState{};
  } catch (...) {
    // Out of memory: the window is gone, and the next load lays the form out anew.
  }
}

void Addin::releaseModel() noexcept {
  bar_.reset();
  hiddenWindows_.clear();
  for (TabDocument& d : tabDocuments_) d = TabDocument{};
}

void Addin::giveFocusBack() { windows().setForeground(host_->focusWindow()); }

int Addin::computeStripHeight() { return twipsToPixels(360, dpi_); }

void Addin::followDpi() {
  const Hwnd frame = host_->stripFrame();
  if (frame == kNoWindow) return;  // in no frame: nothing to take it from
  const int dpi = windows().dpiOf(frame);
  if (dpi > 0 && dpi != dpi_) rescale(dpi);
}

// The room made in the frame is the old height's: it is given back before
// the height changes, and made again at the new one by the geometry step.
void Addin::rescale(int dpi) {
  host_->releaseRoom();
  dpi_ = dpi;
  toolkit().setDpi(dpi);
  dock_.stripHeight = computeStripHeight();
  dock_.lastDockOffset = 0;
  bar_.remeasure();
}

}  // namespace brelm
