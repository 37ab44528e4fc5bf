#include "sim/slide_host.h"

#include <algorithm>
#include <cmath>

#include "sim/host_objects.h"

namespace brelm::sim {

namespace {

constexpr const char* kAppTitle = "Microsoft PowerPoint";

class SimSlideApp final : public SimAppBase<SlideApp> {
 public:
  SimSlideApp(std::shared_ptr<HostModel> host, SlideHost& slide)
      : SimAppBase(std::move(host)), slide_(slide) {}

  void activate() override { host().enter("Activate application", false); }
  Hwnd hwnd() override {
    host().enter("get HWND", true);
    return slide_.hwndAnswer();
  }
  void quit() override {
    host().enter("Quit", false);
    slide_.quitHost();
  }
  // Advising and unadvising the event interface is not refused while busy.
  void subscribe(SlideAppEvents* sink) override {
    host().note(sink ? "Advise EApplication" : "Unadvise EApplication");
    slide_.subscribe(sink);
  }

 protected:
  const char* documentsName() const override { return "Presentations"; }

 private:
  SlideHost& slide_;
};

}  // namespace

SlideHost::SlideHost(const HostOptions& options, SimLog& log, WindowTree& tree,
                     SimWindowSystem& windows)
    : HostModel(HostKind::Slide, options, log, tree, windows) {
  for (const char* bar : {"Menu Bar", "Standard", "Formatting"}) addBuiltinBar(bar);
  // With no presentation open the host still shows one, empty, frame.
  frames_.push_back(makeFrame(kAppTitle));
  relayout();
}

std::shared_ptr<HostApp> SlideHost::application() {
  return std::make_shared<SimSlideApp>(shared_from_this(), *this);
}

std::string SlideHost::frameClass() const {
  return framePerDocument() ? "PPTFrameClass" : "PP" + std::to_string(majorVersion()) + "FrameClass";
}

int SlideHost::px(int pixelsAt96, int dpi) const {
  return static_cast<int>(std::lround(pixelsAt96 * (dpi ? dpi : windows_.dpi()) / 96.0));
}

SlideFrame SlideHost::makeFrame(const std::string& title) {
  SlideFrame f;
  f.frame = tree_.create(kNoWindow, frameClass(), title, {}, frameBorder_.value_or(4));
  f.rightDock = tree_.create(f.frame, "MsoCommandBarDock", "MsoDockRight", {});
  f.mdiClient = tree_.create(f.frame, "MDIClient", "", {});
  f.topDock = tree_.create(f.frame, "MsoCommandBarDock", "MsoDockTop", {});
  f.ribbon = tree_.create(f.topDock, "MsoCommandBar", majorVersion() < 12 ? "Menu Bar" : "Ribbon", {});
  layoutFrame(f);
  return f;
}

// Top dock across the top, the document area directly under it, the right
// dock at the right under the top dock.
void SlideHost::layoutFrame(const SlideFrame& f) {
  const int dpi = windows_.dpiOf(f.frame);
  auto px = [&](int pixelsAt96) { return this->px(pixelsAt96, dpi); };
  int width = static_cast<int>(std::lround(widthPoints_ * dpi / 72.0));
  int height = px(800);
  tree_.place(f.frame, frameOrigin_.x, frameOrigin_.y, width, height);
  int border = tree_.get(f.frame)->border;
  int cw = width - 2 * border, ch = height - 2 * border;
  int topHeight = majorVersion() < 12 ? px(52) : px(140);
  tree_.place(f.topDock, 0, 0, cw, topHeight);
  tree_.place(f.ribbon, 0, 0, cw, topHeight);
  tree_.place(f.mdiClient, 0, topHeight, cw, ch - topHeight);
  tree_.place(f.rightDock, cw, topHeight, 0, ch - topHeight);
}

void SlideHost::moveToMonitor(const std::string& caption, int dpi) {
  for (const SlideFrame& f : frames_) {
    if (f.frame != frameOf(idOf(caption))) continue;
    windows_.setMonitorDpi(f.frame, dpi);
    layoutFrame(f);
  }
}

Hwnd SlideHost::hwndAnswer() const {
  if (majorVersion() < 15) throw HostError(simhr::kUnknownName, "Unknown name");
  if (frames_.empty()) throw HostError(simhr::kServerUnavailable, "The RPC server is unavailable");
  const Hwnd frame = active_ ? frameOf(active_) : kNoWindow;
  return frame != kNoWindow ? frame : frames_.front().frame;
}

void SlideHost::relayout() {
  for (const SlideFrame& f : frames_) layoutFrame(f);
}

Hwnd SlideHost::frameOf(int windowId) const {
  if (frames_.empty()) return kNoWindow;
  if (!framePerDocument()) return frames_.front().frame;
  for (const SlideFrame& f : frames_) {
    if (f.window == windowId) return f.frame;
  }
  return kNoWindow;
}

template <class F>
void SlideHost::raise(const std::string& event, F&& handler) {
  if (!sink_) return;
  log_.action("event " + event);
  try {
    handler(*sink_);
  } catch (const std::exception& e) {
    log_.escaped(event, e.what());
  } catch (...) {
    log_.escaped(event, "unknown exception");
  }
}

template <class F>
void SlideHost::switchTo(int id, F&& between) {
  int old = active_;
  auto self = shared_from_this();
  auto deactivate = [&] {
    if (!old || old == id || !wins_.at(old).open) return;
    raise("WindowDeactivate " + windowName(old), [&](SlideAppEvents& s) {
      s.onWindowDeactivate(std::make_shared<SimDocWindow>(self, old));
    });
  };
  if (deactivateEarly_) deactivate();
  makeActive(id);
  tree_.raise(frameOf(id));
  if (!deactivateEarly_) deactivate();
  between();
  if (quit() || !wins_.at(id).open) return;
  raise("WindowActivate " + windowName(id), [&](SlideAppEvents& s) {
    s.onWindowActivate(std::make_shared<SimDocWindow>(self, id));
  });
}

void SlideHost::applicationDeactivated() {
  if (!active_) return;
  const int id = active_;
  auto self = shared_from_this();
  raise("WindowDeactivate " + windowName(id), [&](SlideAppEvents& s) {
    s.onWindowDeactivate(std::make_shared<SimDocWindow>(self, id));
  });
}

void SlideHost::applicationActivated() {
  if (!active_) return;
  const int id = active_;
  auto self = shared_from_this();
  raise("WindowActivate " + windowName(id), [&](SlideAppEvents& s) {
    s.onWindowActivate(std::make_shared<SimDocWindow>(self, id));
  });
}

void SlideHost::activateWindow(int id) {
  if (active_ == id) {
    makeActive(id);  // ends a "no active window" spell, raises nothing
    return;
  }
  switchTo(id, [] {});
}

void SlideHost::open(const std::string& caption) {
  bool fromFile = caption.find('.') != std::string::npos;
  int doc = addDocument(caption, fromFile ? kDocumentFolder : "");
  int id = addWindow(doc, caption);
  switchTo(id, [&] {
    const char* event = fromFile ? "PresentationOpen " : "NewPresentation ";
    raise(event + caption, [&](SlideAppEvents& s) {
      if (fromFile) {
        s.onPresentationOpen();
      } else {
        s.onNewPresentation();
      }
    });
  });
}

void SlideHost::newWindow(const std::string& caption, const std::string& newCaption) {
  switchTo(addWindow(window(idOf(caption))->doc, newCaption), [] {});
}

void SlideHost::windowAdded(const WinData& w) {
  if (!framePerDocument()) return;
  auto spare = std::find_if(frames_.begin(), frames_.end(),
                            [](const SlideFrame& f) { return f.window == 0; });
  if (spare != frames_.end()) {
    spare->window = w.id;
    tree_.setTitle(spare->frame, w.caption);
    return;
  }
  SlideFrame f = makeFrame(w.caption);
  f.window = w.id;
  tree_.lower(f.frame);  // comes to the top when the window is activated
  frames_.push_back(f);
}

// The frame goes with its window (and with it every window inside it); the
// last one stays, empty, as long as the host runs.
void SlideHost::windowRemoved(const WinData& w) {
  if (!framePerDocument()) return;
  auto it = std::find_if(frames_.begin(), frames_.end(),
                         [&](const SlideFrame& f) { return f.window == w.id; });
  if (it == frames_.end()) return;
  if (frames_.size() == 1) {
    it->window = 0;
    tree_.setTitle(it->frame, kAppTitle);
    return;
  }
  Hwnd frame = it->frame;
  frames_.erase(it);
  tree_.destroy(frame);
}

void SlideHost::windowRenamed(const WinData& w) {
  if (framePerDocument()) tree_.setTitle(frameOf(w.id), w.caption);
}

void SlideHost::lastWindowClosing(int docId) {
  raise("PresentationClose " + documentName(docId),
        [](SlideAppEvents& s) { s.onPresentationClose(); });
}

void SlideHost::quitHost() {
  markQuit();
  for (int id : opened_) {
    wins_.at(id).open = false;
    docs_.at(wins_.at(id).doc).open = false;
  }
  opened_.clear();
  recent_.clear();
  active_ = 0;
  std::vector<SlideFrame> frames;
  frames.swap(frames_);
  for (const SlideFrame& f : frames) tree_.destroy(f.frame);
}

}  // namespace brelm::sim
