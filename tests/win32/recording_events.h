#pragma once
// Records the toolkit's events as short lines, e.g. "down Label2 3 1".
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/host.h"
#include "platform/host_error.h"

namespace brelm::win32::test {

inline std::string name(Target t) {
  static const char* const kinds[] = {"Image1", "Image2", "Image3", "Label2",
                                      "Ileft",  "Iright", "Form",   "Ilist"};
  std::string s = kinds[static_cast<int>(t.kind)];
  if (t.kind != ElementKind::Ileft && t.kind != ElementKind::Iright && t.kind != ElementKind::Form &&
      t.kind != ElementKind::Ilist)
  {
    s += ' ';
    s += std::to_string(t.index);
  }
  return s;
}

// A document window that is only ever told apart from others.
class StubWindow final : public DocWindow {
 public:
  std::string caption() override { return {}; }
  std::shared_ptr<Document> parent() override { return nullptr; }
  void activate() override {}
  void close() override {}
  bool visible() override { return true; }
  int windowState() override { return 1; }
  void setWindowState(int) override {}
  double top() override { return 0; }
  double left() override { return 0; }
  double width() override { return 0; }
  double height() override { return 0; }
  void setTop(double) override {}
  void setLeft(double) override {}
  void setWidth(double) override {}
  void setHeight(double) override {}
  bool sameObject(const DocWindow& other) const override { return this == &other; }
};

class RecordingEvents : public FormEvents {
 public:
  std::vector<std::string> lines;
  // The document window each tab shows, by control index.
  std::map<int, std::shared_ptr<DocWindow>> windows;
  // Called from inside onMouseMove, like the core starting a drag.
  std::function<void(Target)> onMove;
  // Events whose line starts with this fail, after being recorded, the way
  // a host call inside a handler fails: the host is busy.
  std::string failOn;

  void onMouseDown(Target t, int button) override { add(line("down", t, button)); }
  void onMouseUp(Target t, int button) override { add(line("up", t, button)); }
  void onClick(Target t) override { add("click " + name(t)); }
  void onDblClick(Target t) override { add("dblclick " + name(t)); }
  void onMouseMove(Target t) override {
    add("move " + name(t));
    if (onMove) onMove(t);
  }
  void onDragDrop(int source, Target t, float x, float y) override {
    std::ostringstream s;
    s << "drop " << source << " on " << name(t) << " at " << x << "," << y;
    add(s.str());
  }
  std::string tooltipText(int index) override {
    add("tooltip " + std::to_string(index));
    return "C:\\Work\\Book" + std::to_string(index) + ".xlsx";
  }
  void onTimer(TimerId timer) override {
    add(timer == TimerId::Mouse ? "tick" : timer == TimerId::Left ? "left" : "right");
  }
  void onResize(float w, float h) override {
    std::ostringstream s;
    s << "resize " << w << "x" << h;
    add(s.str());
  }
  std::shared_ptr<DocWindow> tabWindow(int index) override {
    const auto it = windows.find(index);
    return it == windows.end() ? nullptr : it->second;
  }
  int tabIndexOf(const DocWindow& window) override {
    for (const auto& [index, w] : windows)
      if (w.get() == &window) return index;
    return 0;
  }
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(lines);
    return out;
  }

 private:
  static std::string line(const char* what, Target t, int button) {
    std::ostringstream s;
    s << what << ' ' << name(t) << ' ' << button;
    return s.str();
  }
  void add(std::string line) {
    const bool fail = !failOn.empty() && line.rfind(failOn, 0) == 0;
    lines.push_back(std::move(line));
    if (fail) throw HostError(hresult::kHostBusy, "the host is busy");
  }
};

using Lines = std::vector<std::string>;

}  // namespace brelm::win32::test
