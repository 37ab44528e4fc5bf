#include "sim/sim_window_system.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace brelm::sim {

bool sameClass(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

SimWindowSystem::SimWindowSystem(WindowTree& tree, SimLog& log, int dpi)
    : tree_(tree),
      log_(log),
      dpi_(dpi),
      twipsPerPixel_(static_cast<int>(std::lround(1440.0 / dpi))) {}

std::string SimWindowSystem::describe(Hwnd window) const {
  const SimWindow* w = tree_.get(window);
  if (!w) return window == kNoWindow ? "null" : "dead";
  return w->title.empty() ? w->cls : w->cls + "(" + w->title + ")";
}

Hwnd SimWindowSystem::findWindow(const std::string& cls) {
  return findChild(kNoWindow, kNoWindow, cls, std::nullopt);
}

Hwnd SimWindowSystem::topOwnFrame(const std::string& cls) {
  if (failing(FaultSite::Search)) return kNoWindow;
  for (Hwnd w : tree_.children(kNoWindow)) {
    const SimWindow* sw = tree_.get(w);
    if (!sw->foreign && sameClass(sw->cls, cls)) return w;
  }
  return kNoWindow;
}

bool SimWindowSystem::isOwnFrame(Hwnd window, const std::string& cls) {
  if (failing()) return false;
  const SimWindow* w = tree_.get(window);
  return w && w->parent == kNoWindow && !w->foreign && sameClass(w->cls, cls);
}

Hwnd SimWindowSystem::findChild(Hwnd parent, Hwnd after, const std::string& cls,
                                const std::optional<std::string>& title) {
  if (failing(FaultSite::Search)) return kNoWindow;
  if (parent != kNoWindow && !tree_.exists(parent)) return kNoWindow;
  const auto& list = tree_.children(parent);
  auto it = list.begin();
  if (after != kNoWindow) {
    it = std::find(list.begin(), list.end(), after);
    if (it == list.end()) return kNoWindow;
    ++it;
  }
  for (; it != list.end(); ++it) {
    const SimWindow* w = tree_.get(*it);
    if ((cls.empty() || sameClass(w->cls, cls)) && (!title || w->title == *title)) return *it;
  }
  return kNoWindow;
}

namespace {

void collect(const WindowTree& tree, Hwnd parent, std::vector<Hwnd>& out) {
  for (Hwnd c : tree.children(parent)) {
    out.push_back(c);
    collect(tree, c, out);
  }
}

}  // namespace

std::vector<Hwnd> SimWindowSystem::descendants(Hwnd parent) {
  std::vector<Hwnd> out;
  if (failing(FaultSite::Search) || !tree_.get(parent)) return out;
  collect(tree_, parent, out);
  return out;
}

std::string SimWindowSystem::className(Hwnd window) {
  if (failing()) return {};
  const SimWindow* w = tree_.get(window);
  return w ? w->cls : std::string();
}

std::string SimWindowSystem::windowText(Hwnd window) {
  if (failing()) return {};
  const SimWindow* w = tree_.get(window);
  return w ? w->title : std::string();
}

Hwnd SimWindowSystem::parent(Hwnd window) {
  if (failing()) return kNoWindow;
  const SimWindow* w = tree_.get(window);
  return w ? w->parent : kNoWindow;
}

bool SimWindowSystem::windowRect(Hwnd window, Rect& out) {
  if (failing()) return false;
  const SimWindow* w = tree_.get(window);
  if (!w) return false;
  out = w->rect;
  return true;
}

int SimWindowSystem::dpiOf(Hwnd window) {
  if (failing()) return 0;
  const SimWindow* w = tree_.get(window);
  while (w && w->parent != kNoWindow) w = tree_.get(w->parent);
  return w && w->dpi ? w->dpi : dpi_;
}

void SimWindowSystem::setMonitorDpi(Hwnd topLevel, int dpi) {
  if (SimWindow* w = tree_.get(topLevel)) w->dpi = dpi;
}

bool SimWindowSystem::clientOrigin(Hwnd window, Point& out) {
  if (failing() || !tree_.exists(window)) return false;
  out = tree_.clientOrigin(window);
  return true;
}

namespace {

std::string flagText(ZOrder z, unsigned flags) {
  std::string s;
  if (flags & swp::kNoSize) s += " NOSIZE";
  if (flags & swp::kNoMove) s += " NOMOVE";
  if (flags & swp::kNoZOrder) s += " NOZORDER";
  if (flags & swp::kFrameChanged) s += " FRAMECHANGED";
  // HWND_TOP is the null handle: "no insert-after" means "on top".
  if (!(flags & swp::kNoZOrder)) s += z == ZOrder::Bottom ? " BOTTOM" : " TOP";
  return s;
}

}  // namespace

bool SimWindowSystem::setWindowPos(Hwnd window, ZOrder z, int x, int y, int cx, int cy,
                                   unsigned flags) {
  if (refused("SetWindowPos " + describe(window) + " " + std::to_string(x) + " " +
              std::to_string(y) + " " + std::to_string(cx) + " " + std::to_string(cy) +
              flagText(z, flags)))
    return false;
  if (!tree_.exists(window)) return false;
  Rect local = tree_.localRect(window);
  if (flags & swp::kNoMove) {
    x = local.left;
    y = local.top;
  }
  if (flags & swp::kNoSize) {
    cx = local.width();
    cy = local.height();
  }
  tree_.place(window, x, y, std::max(cx, 0), std::max(cy, 0));
  if (!(flags & swp::kNoZOrder)) {
    if (z == ZOrder::Bottom) {
      tree_.lower(window);
    } else {
      tree_.raise(window);
    }
  }
  if (window == sizeWatched_ && sizeListener_) sizeListener_->windowSized(window, cx, cy);
  return true;
}

bool SimWindowSystem::setParent(Hwnd child, Hwnd parent) {
  if (refused("SetParent " + describe(child) + " " + describe(parent), FaultSite::Reparent))
    return false;
  return tree_.reparent(child, parent);
}

bool SimWindowSystem::showWindow(Hwnd window, ShowCmd cmd) {
  const char* how = cmd == ShowCmd::Hide ? " hide" : cmd == ShowCmd::Show ? " show" : " show without activating";
  if (refused("ShowWindow " + describe(window) + how)) return false;
  if (!tree_.exists(window)) return false;
  const bool wasShown = tree_.get(window)->visible;
  tree_.setVisible(window, cmd != ShowCmd::Hide);
  // A hidden top-level window shown (not without activating) is activated:
  // it comes to the top and to the foreground.
  if (cmd == ShowCmd::Show && !wasShown && tree_.get(window)->parent == kNoWindow) {
    tree_.raise(window);
    foreground_ = window;
  }
  return true;
}

bool SimWindowSystem::setForeground(Hwnd window) {
  if (refused("SetForeground " + describe(window))) return false;
  if (!tree_.exists(window)) return false;
  foreground_ = window;
  return true;
}

bool SimWindowSystem::foregroundIsOurs() {
  const SimWindow* front = tree_.get(foreground_);
  return !front || !front->foreign;
}

void SimWindowSystem::otherProgramToFront() {
  Hwnd other = kNoWindow;
  for (Hwnd w : tree_.children(kNoWindow)) {
    if (tree_.get(w)->cls == "OtherProgram") other = w;
  }
  if (other == kNoWindow) {
    other = tree_.create(kNoWindow, "OtherProgram", "Another program", Rect{200, 200, 900, 700});
    tree_.get(other)->foreign = true;
  }
  tree_.raise(other);
  foreground_ = other;
}

Point SimWindowSystem::cursorPos() {
  ++cursorReads_;
  if (failing()) return {};
  return cursor_;
}

bool SimWindowSystem::refused(const std::string& call, FaultSite site) {
  const bool fails = failing(site);
  log_.action(fails ? call + " (fails)" : call);
  return fails;
}

void SimWindowSystem::watchSize(Hwnd window, SizeListener* listener) {
  sizeWatched_ = window;
  sizeListener_ = listener;
}

}  // namespace brelm::sim
