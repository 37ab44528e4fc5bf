#include "host/host.h"

#include <algorithm>

#include "common/text.h"
#include "windows/host_windows.h"
#include "windows/window_watch.h"

namespace hostsim {

namespace {

double screenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

Host::Host(HostConfig config, CallLog& log)
    : config_(std::move(config)), context_{log, false, {}}, dpi_(screenDpi()) {
  app_ = makeCom<ApplicationObj>(*this);
  bars_ = makeCom<CommandBarsObj>(*this);
  tree_ = HostWindows::create(*this);
}

Host::~Host() { shutdown(); }

WindowObj* Host::active() const { return noActive_ || protectedFront_ ? nullptr : active_; }

WindowObj* Host::findWindow(const std::wstring& caption) const {
  for (const auto& w : windows_)
    if (w->caption() == caption) return w.Get();
  return nullptr;
}

DocumentObj* Host::findDocument(const std::wstring& name) const {
  for (const auto& d : documents_)
    if (equalsNoCase(d->name(), name)) return d.Get();
  return nullptr;
}

WindowObj& Host::openDocument(const std::wstring& caption, bool fromFile, bool hidden) {
  return openDocumentAt(caption, fromFile ? L"C:\\users\\Public\\Documents" : L"", hidden);
}

WindowObj& Host::openPersonal() {
  return openDocumentAt(L"PERSONAL.XLSB", L"C:\\users\\Public\\Application Data\\Microsoft\\Excel\\XLSTART", true);
}

WindowObj& Host::openFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw HostFault(static_cast<HRESULT>(0x800A03EC), "The file could not be found");
  size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  return openDocumentAt(name, folder, false);
}

WindowObj& Host::addDocument() {
  std::wstring stem = config_.sheet() ? L"Book" : L"Presentation";
  std::wstring caption;
  do caption = stem + std::to_wstring(++added_);
  while (findWindow(caption) || findDocument(caption));
  return openDocument(caption, false);
}

WindowObj& Host::openDocumentAt(const std::wstring& caption, const std::wstring& path, bool hidden) {
  bool fromFile = !path.empty();
  auto doc = makeCom<DocumentObj>(*this, caption, path);
  documents_.push_back(doc);
  auto window = makeCom<WindowObj>(*this, *doc.Get(), caption);
  window->visible = !hidden;
  windows_.push_back(window);
  tree_->attach(*window.Get());
  if (hidden) return *window.Get();
  makeActive(window.Get());
  if (!window->closed()) {
    if (fromFile) app_->raisePresentationOpen(*doc.Get());
    else app_->raiseNewPresentation(*doc.Get());
  }
  return *window.Get();
}

WindowObj& Host::newWindow(WindowObj& of, const std::wstring& caption) {
  if (of.closed()) throw HostFault(E_FAIL, "window is closed");
  auto window = makeCom<WindowObj>(*this, *of.document(), caption);
  windows_.push_back(window);
  tree_->attach(*window.Get());
  makeActive(window.Get());
  return *window.Get();
}

// A hidden window cannot be activated (the documentation is silent on what
// Activate does to one; hostsim leaves everything as it is).
void Host::activate(WindowObj& window) {
  if (window.closed() || !window.visible) return;
  makeActive(&window);
}

// The spreadsheet host lists its windows most recent first.
void Host::moveToFront(WindowObj& window) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.Get() == &window; });
  if (it != windows_.end()) std::rotate(windows_.begin(), it, it + 1);
}

// Makes `next` active. The presentation host tells the add-in at once: the
// previous window is deactivated, then the new one activated. Whether
// ActiveWindow names the new window already while the previous one is
// deactivated is the test's choice (SwitchOrder): the documentation is
// silent.
void Host::makeActive(WindowObj* next) {
  WindowObj* previous = active_;
  bool wasHidden = noActive_ || protectedFront_;
  noActive_ = false;
  protectedFront_ = false;
  if (next) next->activationSerial = ++activations_;
  if (next == previous && !wasHidden) {
    tree_->bringToFront(next);
    return;
  }
  if (next) appActive_ = true;  // the host is in front again
  ComPtr<WindowObj> keep(next), keepPrevious(previous);
  bool tellsPrevious = !config_.sheet() && next && previous && previous != next && !previous->closed();
  if (tellsPrevious && config_.switchOrder == SwitchOrder::DeactivateFirst) {
    app_->raiseWindowDeactivate(*previous->document(), *previous);
    tellsPrevious = false;
    // The add-in activated some window itself meanwhile: that one is active.
    if (active_ != previous || next->closed()) return;
  }
  active_ = next;
  if (next && config_.sheet()) moveToFront(*next);
  tree_->bringToFront(next);
  if (config_.sheet() || !next) return;
  if (tellsPrevious && !previous->closed()) app_->raiseWindowDeactivate(*previous->document(), *previous);
  if (!next->closed() && active_ == next) app_->raiseWindowActivate(*next->document(), *next);
}

void Host::setApplicationActive(bool active) {
  if (active == appActive_) return;
  appActive_ = active;
  WindowObj* window = this->active();
  if (config_.sheet() || !window) return;
  ComPtr<WindowObj> keep(window);
  if (active) app_->raiseWindowActivate(*window->document(), *window);
  else app_->raiseWindowDeactivate(*window->document(), *window);
}

// A frame per document: the window it shows is minimised with it, and its
// WindowState says so (2) while it is. One frame for all: the document
// windows inside keep their state.
void Host::minimize() {
  if (minimized_) return;
  HWND frame = tree_->mainWindow();
  if (!frame) return;
  WindowObj* window = active();
  {
    WindowWatch::HostActs own;
    ShowWindow(frame, SW_MINIMIZE);
  }
  minimized_ = frame;
  if (window && config_.framePerDocument() && tree_->frameOf(*window) == frame) {
    stateBeforeMinimize_ = window->state;
    window->state = 2;
  }
  setApplicationActive(false);
}

void Host::restore() {
  HWND frame = minimized_;
  if (!frame) return;
  minimized_ = nullptr;
  {
    WindowWatch::HostActs own;
    ShowWindow(frame, SW_RESTORE);
    SetForegroundWindow(frame);
  }
  for (const auto& w : windows_)
    if (config_.framePerDocument() && w->state == 2 && tree_->frameOf(*w.Get()) == frame) w->state = stateBeforeMinimize_;
  setApplicationActive(true);
}

WindowObj* Host::successorOf(const WindowObj& closing) const {
  WindowObj* best = nullptr;
  for (const auto& w : windows_)
    if (w.Get() != &closing && !w->closed() && w->visible &&
        (!best || w->activationSerial > best->activationSerial))
      best = w.Get();
  return best;
}

bool Host::promptToSave(WindowObj& window) {
  DocumentObj* doc = window.document();
  if (!config_.sheet() || !doc || doc->saved() || doc->windows().size() > 1) return true;
  std::wstring text = L"Do you want to save the changes you made to '" + doc->name() + L"'?";
  int answer = MessageBoxW(tree_->mainWindow(), text.c_str(), L"Spreadsheet host", MB_YESNOCANCEL | MB_ICONWARNING);
  log().add("host prompt answered " + std::to_string(answer));
  if (answer == IDCANCEL) return false;
  if (answer == IDYES) doc->save();
  return true;
}

bool Host::closeWindow(WindowObj& window, bool prompt) {
  if (window.closed()) return true;
  if (prompt && !promptToSave(window)) return false;
  ComPtr<WindowObj> keep(&window);
  ComPtr<DocumentObj> doc(window.document());
  bool wasActive = active_ == &window;
  // A close asked for from inside the window's own closing events closes it
  // without raising them again.
  if (!config_.sheet() && !window.closing) {
    window.closing = true;
    if (wasActive) app_->raiseWindowDeactivate(*doc.Get(), window);
    if (!window.closed() && doc->windows().size() == 1) app_->raisePresentationClose(*doc.Get());
    window.closing = false;
    if (window.closed()) return true;  // the add-in closed it from inside the event
  }
  removeWindow(window);
  if (wasActive && !quit_) makeActive(successorOf(window));
  return true;
}

void Host::removeWindow(WindowObj& window) {
  ComPtr<WindowObj> keep(&window);
  DocumentObj* doc = window.document();
  tree_->detach(window);
  window.markClosed();
  if (active_ == &window) active_ = nullptr;
  std::erase_if(windows_, [&](const auto& w) { return w.Get() == &window; });
  if (doc && doc->windows().empty()) removeDocument(*doc);
}

void Host::removeDocument(DocumentObj& document) {
  ComPtr<DocumentObj> keep(&document);
  document.markClosed();
  std::erase_if(documents_, [&](const auto& d) { return d.Get() == &document; });
}

void Host::rename(WindowObj& window, const std::wstring& caption) {
  DocumentObj* doc = window.document();
  if (doc && doc->name() == window.caption()) doc->setName(caption);
  window.setCaption(caption);
  tree_->captionChanged(window);
}

double Host::widthPoints() const {
  RECT r{};
  const HWND main = tree_->mainWindow();
  GetWindowRect(main, &r);
  // Points at the scale of the monitor the frame is on.
  return (r.right - r.left) * 72.0 / tree_->frameDpi(main);
}

void Host::setFormulaBar(bool shown) {
  if (shown == formulaBar_) return;
  formulaBar_ = shown;
  tree_->layout();
}

void Host::setVisible(bool visible) {
  appVisible_ = visible;
  if (visible && config_.sheet() && config_.framePerDocument())
    for (const auto& w : std::vector<ComPtr<WindowObj>>(windows_))
      if (!w->visible && !w->closed()) setWindowVisible(*w.Get(), true, false);
  tree_->showFrames(visible);
}

void Host::setWindowVisible(WindowObj& window, bool visible, bool activateIt) {
  if (window.closed()) return;
  if (window.visible == visible) {
    if (visible && activateIt) activate(window);
    return;
  }
  ComPtr<WindowObj> keep(&window);
  window.visible = visible;
  tree_->visibilityChanged(window);
  if (!visible && active_ == &window) {
    WindowObj* next = successorOf(window);
    if (next) {
      makeActive(next);
    } else {
      active_ = nullptr;
      tree_->bringToFront(nullptr);
    }
  } else if (visible && (activateIt || !active_)) {
    makeActive(&window);
  }
}

HWND Host::applicationHwnd() const {
  if (hwndFails_) return nullptr;
  if (protectedFront_ && tree_->protectedView()) return tree_->protectedView();
  return tree_->mainWindow();
}

void Host::setProtectedView(bool open) {
  tree_->setProtectedView(open);
  protectedFront_ = open;
  if (!open) tree_->bringToFront(active());
}

// The host closes every window without asking and ends once control returns
// to its message loop.
void Host::quit() {
  if (quit_) return;
  quit_ = true;
  log().add("host quits");
  while (!windows_.empty()) removeWindow(*windows_.back().Get());
  if (onQuit) onQuit();
}

void Host::shutdown() {
  if (bars_) bars_->dropAllSinks();
  if (app_) app_->events().dropAll();
  while (!windows_.empty()) removeWindow(*windows_.back().Get());
  tree_.reset();
  bars_.Reset();
  app_.Reset();
}

}  // namespace hostsim
