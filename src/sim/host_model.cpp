#include "sim/host_model.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace brelm::sim {

namespace {

void erase(std::vector<int>& list, int id) {
  list.erase(std::remove(list.begin(), list.end(), id), list.end());
}

[[noreturn]] void gone(const std::string& what) {
  throw HostError(simhr::kDisconnected,
                  "The object invoked has disconnected from its clients (" + what + ")");
}

}  // namespace

std::string number(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

HostModel::HostModel(HostKind kind, const HostOptions& options, SimLog& log, WindowTree& tree,
                     SimWindowSystem& windows)
    : kind_(kind),
      version_(options.version),
      widthPoints_(options.widthPoints),
      frameBorder_(options.frameBorder),
      frameOrigin_(options.frameOrigin),
      log_(log),
      tree_(tree),
      windows_(windows) {}

int HostModel::majorVersion() const { return std::atoi(version_.c_str()); }

// ---- The user's actions

int HostModel::idOf(const std::string& caption) const {
  for (int id : opened_) {
    if (wins_.at(id).caption == caption) return id;
  }
  throw std::invalid_argument("no open window \"" + caption + "\"");
}

void HostModel::rename(const std::string& caption, const std::string& newCaption) {
  WinData& w = wins_.at(idOf(caption));
  DocData& d = docs_.at(w.doc);
  // A document saved under a new name takes its window's new caption.
  if (d.name == w.caption && windowCountOf(d.id) == 1) d.name = newCaption;
  w.caption = newCaption;
  windowRenamed(w);
}

void HostModel::modify(const std::string& caption) {
  docs_.at(wins_.at(idOf(caption)).doc).saved = false;
}

void HostModel::markSaved(const std::string& caption) {
  docs_.at(wins_.at(idOf(caption)).doc).saved = true;
}

void HostModel::failSaves(const std::string& caption) {
  docs_.at(wins_.at(idOf(caption)).doc).saveFails = true;
}

void HostModel::setWindowState(const std::string& caption, int state) {
  wins_.at(idOf(caption)).state = state;
}

void HostModel::unhide(const std::string& caption) {
  const int id = idOf(caption);
  setWindowVisible(id, true);
  activateWindow(id);
}

void HostModel::setWindowVisible(int id, bool visible) {
  WinData& w = liveWindow(id);
  if (w.visible == visible) return;
  w.visible = visible;
  visibilityChanged(w);
  if (!visible && active_ == id) {
    active_ = 0;
    activateNextVisible();
  }
}

void HostModel::activateNextVisible() {
  for (int id : recent_) {
    if (wins_.at(id).visible) return activateWindow(id);
  }
}

void HostModel::setWidthPoints(double points) {
  widthPoints_ = points;
  relayout();
}

void HostModel::clickButton(const std::string& key) {
  const ControlData* clicked = nullptr;
  int preferred = findBar("tabPopup");
  for (auto& [barId, bar] : bars_) {
    for (const ControlData& c : bar.controls) {
      if (c.parameter == key && (!clicked || barId == preferred)) clicked = &c;
    }
  }
  if (!clicked) throw std::invalid_argument("no command-bar button with Parameter \"" + key + "\"");
  log_.action("Click " + clicked->caption);
  // The host raises Click on every binding whose button carries the clicked
  // button's Tag, passing the clicked button.
  const ControlData copy = *clicked;
  std::vector<int> tokens;
  for (const auto& [token, b] : bindings_) tokens.push_back(token);
  for (int token : tokens) {
    auto it = bindings_.find(token);
    if (it == bindings_.end()) continue;
    const ControlData* boundControl = nullptr;
    for (const auto& [barId, bar] : bars_) {
      for (const ControlData& c : bar.controls) {
        if (c.id == it->second.controlId) boundControl = &c;
      }
    }
    bool same = boundControl && (boundControl->id == copy.id ||
                                 (!copy.tag.empty() && boundControl->tag == copy.tag));
    if (!same) continue;
    try {
      it->second.sink->onButtonClick(copy.parameter);
    } catch (const std::exception& e) {
      log_.escaped("CommandBarButton_Click", e.what());
    } catch (...) {
      log_.escaped("CommandBarButton_Click", "unknown exception");
    }
  }
}

// ---- What tests read

const WinData* HostModel::window(int id) const {
  auto it = wins_.find(id);
  return it == wins_.end() ? nullptr : &it->second;
}

const DocData* HostModel::document(int id) const {
  auto it = docs_.find(id);
  return it == docs_.end() ? nullptr : &it->second;
}

const WinData* HostModel::active() const {
  return active_ && !noActive_ ? &wins_.at(active_) : nullptr;
}

std::vector<int> HostModel::documentOrder() const {
  std::vector<int> out;
  for (const auto& [id, d] : docs_) {
    if (d.open) out.push_back(id);
  }
  return out;
}

bool HostModel::bound(int controlId) const {
  return std::any_of(bindings_.begin(), bindings_.end(),
                     [&](const auto& b) { return b.second.controlId == controlId; });
}

// ---- The object model

void HostModel::enter(const std::string& call, bool read) {
  if (quit_) {
    log_.action("(host gone) " + call);
    throw HostError(simhr::kServerUnavailable, "The RPC server is unavailable");
  }
  if (busy_) {
    if (read) {
      log_.read(call + " (busy)");
    } else {
      log_.action(call + " (busy)");
    }
    throw HostError(hresult::kHostBusy, "The host is busy");
  }
  for (const std::string& missing : lacking_) {
    if (call.rfind(missing, 0) != 0) continue;
    log_.action(call + " (unknown name)");
    throw HostError(simhr::kUnknownName, "Unknown name");
  }
  if (faults_ && faults_->fail(FaultSite::Host)) {
    log_.action(call + " (fails)");
    throw HostError(faults_->hostError(), "Injected failure of " + call);
  }
  if (read) {
    log_.read(call);
  } else {
    log_.action(call);
  }
}

WinData& HostModel::liveWindow(int id) {
  WinData& w = wins_.at(id);
  if (!w.open) gone("window " + w.caption);
  return w;
}

DocData& HostModel::liveDocument(int id) {
  DocData& d = docs_.at(id);
  if (!d.open) gone("document " + d.name);
  return d;
}

std::string HostModel::windowName(int id) const { return wins_.at(id).caption; }
std::string HostModel::documentName(int id) const { return docs_.at(id).name; }

int HostModel::activeId() {
  if (!active_ || noActive_) throw HostError(hresult::kFail, "There is no active window");
  return active_;
}

int HostModel::windowAt(int index) {
  std::vector<int> order = hostOrder();
  if (index < 1 || index > static_cast<int>(order.size())) {
    throw HostError(hresult::kInvalidIndex, "Invalid index");
  }
  return order[index - 1];
}

int HostModel::documentAt(int index) {
  std::vector<int> order = documentOrder();
  if (index < 1 || index > static_cast<int>(order.size())) {
    throw HostError(hresult::kInvalidIndex, "Invalid index");
  }
  return order[index - 1];
}

int HostModel::windowCountOf(int docId) const {
  return static_cast<int>(std::count_if(opened_.begin(), opened_.end(),
                                        [&](int id) { return wins_.at(id).doc == docId; }));
}

// Closing a document's last window closes the document. The presentation
// host raises PresentationClose first, and the handler may close windows
// itself (this one included) or quit the host.
void HostModel::closeWindow(int id) {
  WinData& w = liveWindow(id);
  if (w.closing) return;
  w.closing = true;
  int docId = w.doc;
  bool last = windowCountOf(docId) == 1;
  if (last) lastWindowClosing(docId);
  if (quit_ || !w.open) return;
  w.open = false;
  erase(opened_, id);
  erase(recent_, id);
  windowRemoved(w);
  if (last) docs_.at(docId).open = false;
  if (active_ == id) {
    active_ = 0;
    activateNextVisible();
  }
}

void HostModel::saveActiveAs(const std::string& fileName) {
  DocData& d = liveDocument(wins_.at(activeId()).doc);
  if (d.saveFails) throw HostError(hresult::kException, "The document could not be saved");
  d.saved = true;
  d.path = kDocumentFolder;
  (void)fileName;  // the name stays: the dialog was accepted with the proposed name
}

bool HostModel::nextDialogAnswer() {
  if (dialogAnswers_.empty()) return false;
  DialogAnswer answer = std::move(dialogAnswers_.front());
  dialogAnswers_.pop_front();
  if (answer.meanwhile) answer.meanwhile();
  return answer.accept;
}

BarData& HostModel::liveBar(int id) {
  auto it = bars_.find(id);
  if (it == bars_.end()) gone("command bar");
  return it->second;
}

ControlData& HostModel::liveControl(int barId, int controlId) {
  BarData& bar = liveBar(barId);
  for (ControlData& c : bar.controls) {
    if (c.id == controlId) return c;
  }
  gone("command-bar control");
}

int HostModel::findBar(const std::string& name) const {
  for (const auto& [id, bar] : bars_) {
    if (bar.name == name) return id;
  }
  return 0;
}

int HostModel::addBar(const std::string& name, bool temporary) {
  if (findBar(name)) throw HostError(hresult::kException, "Invalid procedure call or argument");
  int id = nextId_++;
  bars_[id] = BarData{id, name, false, true, temporary, {}};
  return id;
}

void HostModel::addBuiltinBar(const std::string& name) {
  int id = nextId_++;
  bars_[id] = BarData{id, name, true, false, false, {}};
}

void HostModel::deleteBar(int id) {
  BarData& bar = liveBar(id);
  if (bar.builtin) throw HostError(hresult::kException, "Method 'Delete' of object failed");
  for (const ControlData& c : bar.controls) {
    std::erase_if(bindings_, [&](const auto& b) { return b.second.controlId == c.id; });
  }
  bars_.erase(id);
}

int HostModel::addControl(int barId, int before) {
  BarData& bar = liveBar(barId);
  int count = static_cast<int>(bar.controls.size());
  if (before < 0 || before > count + 1) {
    throw HostError(hresult::kException, "Invalid procedure call or argument");
  }
  ControlData c;
  c.id = nextId_++;
  auto at = before == 0 ? bar.controls.end() : bar.controls.begin() + (before - 1);
  bar.controls.insert(at, c);
  return c.id;
}

int HostModel::bind(int controlId, ButtonClickSink* sink) {
  int token = nextId_++;
  bindings_[token] = Binding{controlId, sink};
  return token;
}

void HostModel::unbind(int token) { bindings_.erase(token); }

// ---- Building blocks for the hosts

int HostModel::addDocument(const std::string& name, const std::string& path) {
  int id = nextId_++;
  docs_[id] = DocData{id, name, path, true, true};
  return id;
}

int HostModel::addWindow(int docId, const std::string& caption) {
  int id = nextId_++;
  WinData w;
  w.id = id;
  w.doc = docId;
  w.caption = caption;
  // New windows cascade, so that a window taking over another's place shows.
  double step = 18.0 * static_cast<double>(opened_.size() % 8);
  w.top = step;
  w.left = step;
  wins_[id] = w;
  opened_.push_back(id);
  recent_.push_back(id);
  windowAdded(wins_[id]);
  return id;
}

void HostModel::makeActive(int id) {
  noActive_ = false;
  active_ = id;
  erase(recent_, id);
  recent_.insert(recent_.begin(), id);
}

}  // namespace brelm::sim
