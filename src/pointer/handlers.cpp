// The tab bar's event handlers: what a press, release, click, move or drop on
// each element does. Every handler keeps its exceptions to itself.
#include "addin/addin.h"

namespace brelm {

namespace {

bool isTabPart(ElementKind kind) {
  return kind == ElementKind::Image1 || kind == ElementKind::Image3 || kind == ElementKind::Label2;
}

// Runs one handler; a failing host or control call ends it, nothing more.
template <class F>
void guarded(Addin& addin, F&& handler) noexcept {
  try {
    handler();
  } catch (...) {
  }
  addin.requestRepaint();
}

}  // namespace

void Addin::onMouseDown(Target t, int button) {
  guarded(*this, [&] { dispatchMouseDown(t, button); });
}
void Addin::onMouseUp(Target t, int button) {
  guarded(*this, [&] { dispatchMouseUp(t, button); });
}
void Addin::onClick(Target t) {
  guarded(*this, [&] { dispatchClick(t); });
}
void Addin::onDblClick(Target t) {
  guarded(*this, [&] { dispatchDblClick(t); });
}
void Addin::onMouseMove(Target t) {
  guarded(*this, [&] { dispatchMouseMove(t); });
}
void Addin::onDragDrop(int source, Target t, float x, float y) {
  guarded(*this, [&] { dispatchDragDrop(source, t, x, y); });
}

void Addin::onTimer(TimerId timer) {
  if (timer == TimerId::Mouse) return mouseTimer_Timer();
  guarded(*this, [&] {
    if (!connected_) return;
    if (timer == TimerId::Left) bar_.moveleft();
    if (timer == TimerId::Right) bar_.moveright();
  });
}

void Addin::onResize(float width, float height) {
  bar_.form.width = width;
  bar_.form.height = height;
}

void Addin::dispatchMouseDown(Target t, int button) {
  if (!connected_) return;
  if (button == mouse::kMiddle) {
    // A middle click closes a tab, as in a browser; on the bare strip or an
    // arrow it does nothing.
    bar_.pointer.middlePressedTab = isTabPart(t.kind) || t.kind == ElementKind::Image2 ? t.index : 0;
    return;
  }
  if (t.kind == ElementKind::Form) {
    giveFocusBack();
    if (button == mouse::kRight) menu_.showTabPopup();
    return;
  }
  if (button == mouse::kRight) return menu_.showTabPopup();
  if (button != mouse::kLeft) return;
  if (isTabPart(t.kind)) bar_.pointer.pressedTab = t.index;
  if (t.kind == ElementKind::Ileft) toolkit().setTimer(TimerId::Left, true, 100);
  if (t.kind == ElementKind::Iright) toolkit().setTimer(TimerId::Right, true, 100);
}

void Addin::dispatchMouseUp(Target t, int button) {
  if (button == mouse::kMiddle) return middleRelease(t);
  if (isTabPart(t.kind)) bar_.pointer.pressedTab = 0;
  if (!connected_) return;
  if (t.kind == ElementKind::Ileft || t.kind == ElementKind::Iright) {
    toolkit().setTimer(t.kind == ElementKind::Ileft ? TimerId::Left : TimerId::Right, false, 100);
    giveFocusBack();
  }
}

void Addin::dispatchClick(Target t) {
  if (!connected_) return;
  switch (t.kind) {
    case ElementKind::Label2:
    case ElementKind::Image1:
      return host_->selectByClick(t.index, true);
    case ElementKind::Image3:
      return host_->selectByClick(t.index, false);
    case ElementKind::Image2:
      return host_->closeByImage(t.index);
    case ElementKind::Ilist:
      return chooseFromList();
    case ElementKind::Form:
      return giveFocusBack();
    default:
      return;
  }
}

void Addin::dispatchDblClick(Target t) {
  if (!connected_) return;
  if (isTabPart(t.kind) || t.kind == ElementKind::Form) giveFocusBack();
}

void Addin::dispatchMouseMove(Target t) {
  switch (t.kind) {
    case ElementKind::Form:
    case ElementKind::Ileft:
    case ElementKind::Iright:
    case ElementKind::Ilist:
      bar_.mmove(0);
      bar_.cmove();
      return;
    case ElementKind::Image2:
      bar_.mmove(t.index);
      bar_.cmmove(t.index);
      return;
    default:
      bar_.MouseM(t.index);
  }
}

void Addin::dispatchDragDrop(int s, Target t, float x, float y) {
  if (!connected_) return;
  const auto& model = bar_.model;
  // The tick may have removed the dragged tab (its window closed) mid-drag.
  if (!bar_.inUse(s)) return;
  switch (t.kind) {
    case ElementKind::Image1:
    case ElementKind::Image3:
    case ElementKind::Label2:
      if (!bar_.inUse(t.index)) return;
      bar_.movetab(s, t.index);
      return host_->activateAfterDrop(s, DropOn::Tab);
    case ElementKind::Image2:
      if (!bar_.inUse(t.index)) return;
      return bar_.movetab(s, t.index);
    case ElementKind::Ileft:
      bar_.movetab(s, model.tabOrder[1]);
      return host_->activateAfterDrop(s, DropOn::Arrow);
    case ElementKind::Iright:
    case ElementKind::Ilist:
      bar_.movetab(s, model.tabOrder[model.tabCount]);
      return host_->activateAfterDrop(s, DropOn::Arrow);
    case ElementKind::Form:
      bar_.formdrag(s, x, y);
      return host_->activateAfterDrop(s, DropOn::Bar);
  }
}

// Released over the tab it went down on: that tab's close image's click.
void Addin::middleRelease(Target t) {
  const int e = bar_.pointer.middlePressedTab;
  bar_.pointer.middlePressedTab = 0;
  if (!connected_ || e == 0 || t.index != e) return;
  if (!isTabPart(t.kind) && t.kind != ElementKind::Image2) return;
  if (bar_.inUse(e)) host_->closeByImage(e);
}

// Every document in strip order, the active one checked; the one chosen is
// activated as a click on its tab does, and its tab scrolled into view. The
// list is modal and the tick runs meanwhile: the choice is found again by
// its window, not by a position that may have changed.
void Addin::chooseFromList() {
  const TabModel& model = bar_.model;
  std::vector<std::string> captions;
  std::vector<std::shared_ptr<DocWindow>> windows;
  int checked = -1;
  for (int p = 1; p <= model.tabCount; ++p) {
    const int e = model.tabOrder[p];
    if (e == model.selectedTab) checked = p - 1;
    captions.push_back(bar_.label2(e).caption);
    windows.push_back(model.docWindows[p]);
  }
  const int chosen = toolkit().chooseFromList(captions, checked);
  if (!connected_ || chosen < 0 || chosen >= static_cast<int>(windows.size())) return;
  const int e = model.elementOf(*windows[chosen]);
  if (e == 0) return;  // gone while the list was up
  host_->selectByClick(e, true);
  if (connected_ && bar_.inUse(e)) bar_.mdown(e);
}

std::string Addin::tooltipText(int index) {
  try {
    if (!connected_ || !bar_.inUse(index)) return {};
    const std::shared_ptr<DocWindow> window = bar_.model.windowOf(index);
    if (!window) return {};
    std::string text;
    try {
      text = window->parent()->fullName();
    } catch (const HostError&) {
      text = bar_.label2(index).caption;  // the host is busy: what the tab shows
    }
    if (bar_.image2(index).unsaved) text += "\nunsaved changes";
    return text;
  } catch (...) {
    return {};
  }
}

}  // namespace brelm
