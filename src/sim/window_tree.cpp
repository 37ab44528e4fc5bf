#include "sim/window_tree.h"

#include <algorithm>
#include <stdexcept>

namespace brelm::sim {

namespace {

void eraseFrom(std::vector<Hwnd>& list, Hwnd window) {
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

}  // namespace

Hwnd WindowTree::create(Hwnd parent, const std::string& cls, const std::string& title,
                        Rect local, int border, bool visible) {
  if (parent != kNoWindow && !exists(parent)) throw std::logic_error("create: no parent window");
  SimWindow w;
  w.hwnd = next_;
  next_ += 4;  // handles are never reused, as a stale handle must stay stale
  w.cls = cls;
  w.title = title;
  w.parent = parent;
  Point o = clientOrigin(parent);
  w.rect = {o.x + local.left, o.y + local.top, o.x + local.right, o.y + local.bottom};
  w.border = border;
  w.visible = visible;
  windows_[w.hwnd] = w;
  auto& list = siblingsOf(parent);
  list.insert(list.begin(), w.hwnd);
  return w.hwnd;
}

void WindowTree::destroy(Hwnd window) {
  SimWindow* w = get(window);
  if (!w) return;
  std::vector<Hwnd> kids = w->children;
  for (Hwnd child : kids) destroy(child);
  eraseFrom(siblingsOf(w->parent), window);
  windows_.erase(window);
  auto it = listeners_.find(window);
  if (it != listeners_.end()) {
    WindowListener* listener = it->second;
    listeners_.erase(it);
    listener->windowDestroyed(window);
  }
}

const SimWindow* WindowTree::get(Hwnd window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

SimWindow* WindowTree::get(Hwnd window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

const std::vector<Hwnd>& WindowTree::children(Hwnd parent) const {
  static const std::vector<Hwnd> none;
  if (parent == kNoWindow) return topLevel_;
  const SimWindow* p = get(parent);
  return p ? p->children : none;
}

std::vector<Hwnd>& WindowTree::siblingsOf(Hwnd parent) {
  if (parent == kNoWindow) return topLevel_;
  SimWindow* p = get(parent);
  if (!p) throw std::logic_error("siblingsOf: no such window");
  return p->children;
}

Point WindowTree::clientOrigin(Hwnd parent) const {
  const SimWindow* p = get(parent);
  if (!p) return {0, 0};
  return {p->rect.left + p->border, p->rect.top + p->border};
}

Rect WindowTree::localRect(Hwnd window) const {
  const SimWindow* w = get(window);
  if (!w) return {};
  Point o = clientOrigin(w->parent);
  return {w->rect.left - o.x, w->rect.top - o.y, w->rect.right - o.x, w->rect.bottom - o.y};
}

bool WindowTree::shown(Hwnd window) const {
  for (const SimWindow* w = get(window); w; w = get(w->parent)) {
    if (!w->visible) return false;
  }
  return exists(window);
}

bool WindowTree::isInside(Hwnd window, Hwnd ancestor) const {
  for (const SimWindow* w = get(window); w; w = get(w->parent)) {
    if (w->hwnd == ancestor) return true;
  }
  return false;
}

void WindowTree::shift(Hwnd window, int dx, int dy) {
  SimWindow* w = get(window);
  w->rect.left += dx;
  w->rect.right += dx;
  w->rect.top += dy;
  w->rect.bottom += dy;
  for (Hwnd child : w->children) shift(child, dx, dy);
}

void WindowTree::place(Hwnd window, int x, int y, int cx, int cy) {
  SimWindow* w = get(window);
  if (!w) return;
  Point o = clientOrigin(w->parent);
  shift(window, o.x + x - w->rect.left, o.y + y - w->rect.top);
  w->rect.right = w->rect.left + cx;
  w->rect.bottom = w->rect.top + cy;
  if (w->childrenFill) {
    int innerWidth = cx - 2 * w->border, innerHeight = cy - 2 * w->border;
    for (Hwnd child : std::vector<Hwnd>(w->children)) place(child, 0, 0, innerWidth, innerHeight);
  }
}

void WindowTree::raise(Hwnd window) {
  SimWindow* w = get(window);
  if (!w) return;
  auto& list = siblingsOf(w->parent);
  eraseFrom(list, window);
  list.insert(list.begin(), window);
}

void WindowTree::lower(Hwnd window) {
  SimWindow* w = get(window);
  if (!w) return;
  auto& list = siblingsOf(w->parent);
  eraseFrom(list, window);
  list.push_back(window);
}

bool WindowTree::reparent(Hwnd window, Hwnd parent) {
  SimWindow* w = get(window);
  if (!w || (parent != kNoWindow && !exists(parent)) || isInside(parent, window)) return false;
  Rect local = localRect(window);
  eraseFrom(siblingsOf(w->parent), window);
  w->parent = parent;
  auto& list = siblingsOf(parent);
  list.insert(list.begin(), window);
  place(window, local.left, local.top, local.width(), local.height());
  return true;
}

void WindowTree::setTitle(Hwnd window, const std::string& title) {
  if (SimWindow* w = get(window)) w->title = title;
}

void WindowTree::setVisible(Hwnd window, bool visible) {
  if (SimWindow* w = get(window)) w->visible = visible;
}

void WindowTree::listen(Hwnd window, WindowListener* listener) {
  if (listener) {
    listeners_[window] = listener;
  } else {
    listeners_.erase(window);
  }
}

void WindowTree::preorderFrom(Hwnd parent, std::vector<Hwnd>& out) const {
  for (Hwnd child : children(parent)) {
    out.push_back(child);
    preorderFrom(child, out);
  }
}

std::vector<Hwnd> WindowTree::preorder() const {
  std::vector<Hwnd> out;
  preorderFrom(kNoWindow, out);
  return out;
}

}  // namespace brelm::sim
