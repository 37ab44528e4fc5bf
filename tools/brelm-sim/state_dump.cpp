#include "state_dump.h"

#include "sim/host_objects.h"

namespace brelm::sim {

namespace {

using nlohmann::json;

json rectJson(const Rect& r) { return json::array({r.left, r.top, r.right, r.bottom}); }

json elementJson(const Element& e) {
  return {{"left", e.left},       {"top", e.top},         {"width", e.width},
          {"height", e.height},   {"picture", e.picture}, {"visible", e.visible}};
}

json tabElements(const FormState& form) {
  json out = json::array();
  for (int e = 1; e < form.loadedCount(); ++e) {
    auto at = [&](const std::vector<Element>& v) {
      return e < static_cast<int>(v.size()) ? elementJson(v[e]) : json();
    };
    out.push_back({{"index", e},
                   {"visible", form.image1.size() > static_cast<std::size_t>(e) &&
                                   form.image1[e].visible},
                   {"caption", form.label2[e].caption},
                   {"unsaved", form.image2.size() > static_cast<std::size_t>(e) &&
                                   form.image2[e].unsaved},
                   {"Image1", at(form.image1)},
                   {"Image2", at(form.image2)},
                   {"Image3", at(form.image3)},
                   {"Label2", at(form.label2)}});
  }
  return out;
}

json arrowJson(const Element& e) {
  return {{"visible", e.visible}, {"left", e.left}, {"top", e.top}, {"width", e.width}};
}

json docWindowsJson(const TabModel& model, const HostModel& host) {
  json out = json::array();
  for (int k = 1; k <= model.docWindowCount && k < static_cast<int>(model.docWindows.size());
       ++k) {
    auto* w = dynamic_cast<const SimDocWindow*>(model.docWindows[k].get());
    const WinData* data = w && w->model() == &host ? host.window(w->id()) : nullptr;
    if (!data) {
      out.push_back(nullptr);
    } else {
      out.push_back(data->open ? data->caption : "closed:" + data->caption);
    }
  }
  return out;
}

json range(const std::vector<int>& v, int from, int to) {
  json out = json::array();
  for (int i = from; i <= to && i < static_cast<int>(v.size()); ++i) out.push_back(v[i]);
  return out;
}

json timerJson(const TimerState& t) {
  return {{"enabled", t.enabled}, {"interval", t.intervalMs}};
}

json hostJson(SimPlatform& p) {
  const HostModel& host = *p.host;
  json windows = json::array();
  for (int id : host.windowOrder()) {
    const WinData* w = host.window(id);
    windows.push_back({{"caption", w->caption},
                       {"visible", w->visible},
                       {"state", w->state},
                       {"top", w->top},
                       {"left", w->left},
                       {"width", w->width},
                       {"height", w->height}});
  }
  json documents = json::array();
  for (int id : host.documentOrder()) {
    const DocData* d = host.document(id);
    documents.push_back({{"name", d->name},
                         {"path", d->path},
                         {"saved", d->saved},
                         {"windows", host.windowCountOf(id)}});
  }
  json bars = json::object();
  for (const auto& [id, bar] : host.commandBars()) {
    if (bar.builtin) continue;
    json controls = json::array();
    for (const ControlData& c : bar.controls) {
      controls.push_back({{"caption", c.caption},
                          {"tooltip", c.tooltip},
                          {"parameter", c.parameter},
                          {"tag", c.tag},
                          {"faceId", c.faceId},
                          {"style", c.style},
                          {"bound", host.bound(c.id)}});
    }
    bars[bar.name] = controls;
  }
  const WinData* active = host.active();
  json out = {{"version", host.version()},
              {"width", host.widthPoints()},
              {"active", active ? json(active->caption) : json()},
              {"windows", windows},
              {"documents", documents},
              {"commandBars", bars},
              {"busy", host.busy()},
              {"quit", host.quit()},
              {"showWindowsInTaskbar", host.showWindowsInTaskbarValue()},
              {"objectsHeld", host.liveObjects()}};
  if (SheetHost* sheet = p.sheet()) out["formulaBar"] = sheet->formulaBarShown();
  if (SlideHost* slide = p.slide()) out["subscribed"] = slide->subscribed();
  return out;
}

json windowsJson(SimPlatform& p) {
  json out = json::array();
  for (Hwnd h : p.tree.preorder()) {
    const SimWindow* w = p.tree.get(h);
    out.push_back({{"hwnd", h},
                   {"parent", w->parent},
                   {"class", w->cls},
                   {"title", w->title},
                   {"rect", rectJson(w->rect)},
                   {"visible", w->visible}});
  }
  return out;
}

// The class (and title) of the window the strip sits in; null while top-level.
json stripParent(SimPlatform& p) {
  const SimWindow* strip = p.tree.get(p.toolkit.window());
  if (!strip || strip->parent == kNoWindow) return nullptr;
  return p.windows.describe(strip->parent);
}

}  // namespace

json dumpState(const Addin& addin, SimPlatform& p, bool withReads) {
  const TabBar& bar = addin.bar();
  const TabModel& model = bar.model;
  const FormState& form = bar.form;
  json calls = json::array();
  int reads = 0;
  for (const LogEntry& e : p.log.take()) {
    if (e.read) ++reads;
    if (!e.read || withReads) calls.push_back(e.text);
  }
  Rect strip;
  bool hasStrip = p.windows.windowRect(p.toolkit.window(), strip);
  std::optional<int> drag = p.toolkit.dragSource();
  json out = {
      {"connected", addin.connected()},
      {"tabCount", model.tabCount},
      {"tabOrder", range(model.tabOrder, 1, model.tabCount)},
      {"tabPosition", range(model.tabPosition, 1, form.loadedCount() - 1)},
      {"selectedTab", model.selectedTab},
      {"hoverTab", bar.pointer.hoverTab},
      {"hoverCloseTab", bar.pointer.hoverCloseTab},
      {"pressedTab", bar.pointer.pressedTab},
      {"docWindowCount", model.docWindowCount},
      {"docWindows", docWindowsJson(model, *p.host)},
      {"invariant", model.invariantViolation(form)},
      {"elements", tabElements(form)},
      {"Ileft", arrowJson(form.ileft)},
      {"Iright", arrowJson(form.iright)},
      {"Ilist", arrowJson(form.ilist)},
      {"form", {{"width", form.width}, {"height", form.height}, {"picture", form.picture}}},
      {"stripRect", hasStrip ? rectJson(strip) : json()},
      {"stripShown", hasStrip && p.tree.shown(p.toolkit.window())},
      {"stripParent", stripParent(p)},
      {"timers",
       {{"mouse", timerJson(p.toolkit.timer(TimerId::Mouse))},
        {"left", timerJson(p.toolkit.timer(TimerId::Left))},
        {"right", timerJson(p.toolkit.timer(TimerId::Right))}}},
      {"drag", drag ? json(*drag) : json()},
      {"pointer", json::array({p.windows.cursorPos().x, p.windows.cursorPos().y})},
      {"foreground", p.windows.describe(p.windows.foreground())},
      {"host", hostJson(p)},
      {"windows", windowsJson(p)},
      {"escapes", p.log.escapes()},
      {"calls", calls},
      {"reads", reads},
  };
  return out;
}

}  // namespace brelm::sim
