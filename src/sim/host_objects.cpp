#include "sim/host_objects.h"

#include <typeinfo>

namespace brelm::sim {

// ---- Document window

std::string SimDocWindow::call(const std::string& member) const {
  return member + " " + host().windowName(id_);
}

std::string SimDocWindow::caption() {
  host().enter(call("get Caption"), true);
  return host().liveWindow(id_).caption;
}

std::shared_ptr<Document> SimDocWindow::parent() {
  host().enter(call("get Parent"), true);
  return std::make_shared<SimDocument>(hostPtr(), host().liveWindow(id_).doc);
}

void SimDocWindow::activate() {
  host().enter(call("Activate"), false);
  host().liveWindow(id_);
  host().activateWindow(id_);
}

void SimDocWindow::close() {
  host().enter(call("Close"), false);
  host().closeWindow(id_);
}

bool SimDocWindow::visible() {
  host().enter(call("get Visible"), true);
  return host().liveWindow(id_).visible;
}

int SimDocWindow::windowState() {
  host().enter(call("get WindowState"), true);
  return host().liveWindow(id_).state;
}

void SimDocWindow::setWindowState(int state) {
  host().enter(call("set WindowState") + " " + std::to_string(state), false);
  host().liveWindow(id_).state = state;
}

double SimDocWindow::readPoints(const char* name, double WinData::*field) {
  host().enter(call(std::string("get ") + name), true);
  return host().liveWindow(id_).*field;
}

void SimDocWindow::writePoints(const char* name, double WinData::*field, double v) {
  host().enter(call(std::string("set ") + name) + " " + number(v), false);
  host().liveWindow(id_).*field = v;
}

// COM identity holds even while the host is busy: it is not an
// object-model call.
bool SimDocWindow::sameObject(const DocWindow& other) const {
  if (typeid(other) != typeid(SimDocWindow)) return false;
  const auto& o = static_cast<const SimDocWindow&>(other);
  return o.model() == model() && o.id_ == id_;
}

// ---- Document

std::string SimDocument::call(const std::string& member) const {
  return member + " " + host().documentName(id_);
}

std::string SimDocument::name() {
  host().enter(call("get Name"), true);
  return host().liveDocument(id_).name;
}

std::string SimDocument::path() {
  host().enter(call("get Path"), true);
  return host().liveDocument(id_).path;
}

std::string SimDocument::fullName() {
  host().enter(call("get FullName"), true);
  const DocData& d = host().liveDocument(id_);
  return d.path.empty() ? d.name : d.path + "\\" + d.name;
}

bool SimDocument::saved() {
  host().enter(call("get Saved"), true);
  return host().liveDocument(id_).saved;
}

void SimDocument::save() {
  host().enter(call("Save"), false);
  DocData& d = host().liveDocument(id_);
  if (d.saveFails) throw HostError(hresult::kException, "The document could not be saved");
  if (d.path.empty()) d.path = kDocumentFolder;
  d.saved = true;
}

void SimDocument::activate() {
  host().enter(call(host().kind() == HostKind::Sheet ? "Activate workbook" : "Activate presentation"),
               false);
  host().liveDocument(id_);
  // A document activates its most recently active window.
  for (int id : host().windowOrder()) {
    if (host().window(id)->doc == id_) {
      host().activateWindow(id);
      return;
    }
  }
}

int SimDocument::windowCount() {
  host().enter(call("get Windows.Count"), true);
  host().liveDocument(id_);
  return host().windowCountOf(id_);
}

std::shared_ptr<DocWindow> SimDocument::window(int index) {
  host().enter(call("get Windows.Item(" + std::to_string(index) + ")"), true);
  host().liveDocument(id_);
  int seen = 0;
  for (int id : host().windowOrder()) {
    if (host().window(id)->doc == id_ && ++seen == index)
      return std::make_shared<SimDocWindow>(hostPtr(), id);
  }
  throw HostError(hresult::kInvalidIndex, "Invalid index");
}

// ---- Command-bar button

SimButton::~SimButton() {
  if (binding_) host().unbind(*binding_);
}

ControlData& SimButton::control(const std::string& call) {
  host().enter(call, false);
  return host().liveControl(bar_, control_);
}

void SimButton::setFaceId(int id) { control("set FaceId " + std::to_string(id)).faceId = id; }
void SimButton::setCaption(const std::string& t) { control("set Caption " + t).caption = t; }
void SimButton::setTooltipText(const std::string& t) {
  control("set TooltipText " + t).tooltip = t;
}
void SimButton::setStyle(int style) { control("set Style " + std::to_string(style)).style = style; }
void SimButton::setTag(const std::string& tag) { control("set Tag " + tag).tag = tag; }
void SimButton::setParameter(const std::string& p) { control("set Parameter " + p).parameter = p; }

void SimButton::bindClick(ButtonClickSink* sink) {
  ControlData& c = control("Advise Click");
  if (binding_) host().unbind(*binding_);
  binding_ = host().bind(c.id, sink);
}

void SimButton::unbindClick() {
  if (!binding_) return;
  host().unbind(*binding_);
  binding_.reset();
  host().note("Unadvise Click");
}

// ---- Command bar

std::string SimCommandBar::name() const {
  auto& bars = host().commandBars();
  auto it = bars.find(id_);
  return it == bars.end() ? "(deleted bar)" : it->second.name;
}

void SimCommandBar::deleteBar() {
  host().enter("Delete " + name(), false);
  host().deleteBar(id_);
}

void SimCommandBar::showPopup() {
  host().enter("ShowPopup " + name(), false);
  if (!host().liveBar(id_).popup) {
    throw HostError(hresult::kException, "Method 'ShowPopup' of object failed");
  }
}

std::unique_ptr<CommandBarButton> SimCommandBar::addButton(std::optional<int> before) {
  host().enter("Controls.Add " + name() + (before ? " before " + std::to_string(*before) : ""),
               false);
  int control = host().addControl(id_, before.value_or(0));
  return std::make_unique<SimButton>(hostPtr(), id_, control);
}

// ---- Save As dialog

void SimFileDialog::setInitialFileName(const std::string& name) {
  host().enter("set InitialFileName " + name, false);
  initialFileName_ = name;
}

int SimFileDialog::show() {
  host().enter("Show SaveAs", false);
  accepted_ = host().nextDialogAnswer();
  return accepted_ ? -1 : 0;
}

void SimFileDialog::execute() {
  host().enter("Execute SaveAs " + initialFileName_, false);
  if (!accepted_) throw HostError(hresult::kException, "The dialog was not accepted");
  host().saveActiveAs(initialFileName_);
}

// ---- Application

template <class Base>
std::string SimAppBase<Base>::version() {
  host().enter("get Version", true);
  return host().version();
}

template <class Base>
double SimAppBase<Base>::width() {
  host().enter("get Width", true);
  return host().widthPoints();
}

template <class Base>
std::shared_ptr<DocWindow> SimAppBase<Base>::activeWindow() {
  host().enter("get ActiveWindow", true);
  return std::make_shared<SimDocWindow>(hostPtr(), host().activeId());
}

template <class Base>
int SimAppBase<Base>::windowCount() {
  host().enter("get Windows.Count", true);
  return static_cast<int>(host().windowOrder().size());
}

template <class Base>
std::shared_ptr<DocWindow> SimAppBase<Base>::window(int index) {
  host().enter("get Windows(" + std::to_string(index) + ")", true);
  return std::make_shared<SimDocWindow>(hostPtr(), host().windowAt(index));
}

template <class Base>
void SimAppBase<Base>::setShowWindowsInTaskbar(bool show) {
  host().enter(std::string("set ShowWindowsInTaskbar ") + (show ? "true" : "false"), false);
  host().setShowWindowsInTaskbar(show);
}

template <class Base>
bool SimAppBase<Base>::showWindowsInTaskbar() {
  host().enter("get ShowWindowsInTaskbar", true);
  return host().showWindowsInTaskbarValue();
}

template <class Base>
int SimAppBase<Base>::documentCount() {
  host().enter(std::string("get ") + documentsName() + ".Count", true);
  return static_cast<int>(host().documentOrder().size());
}

template <class Base>
std::shared_ptr<Document> SimAppBase<Base>::document(int index) {
  host().enter(std::string("get ") + documentsName() + "(" + std::to_string(index) + ")", true);
  return std::make_shared<SimDocument>(hostPtr(), host().documentAt(index));
}

template <class Base>
std::unique_ptr<CommandBar> SimAppBase<Base>::commandBar(const std::string& name) {
  host().enter("get CommandBars(" + name + ")", true);
  int id = host().findBar(name);
  if (!id) throw HostError(hresult::kInvalidIndex, "Invalid procedure call or argument");
  return std::make_unique<SimCommandBar>(hostPtr(), id);
}

template <class Base>
std::unique_ptr<CommandBar> SimAppBase<Base>::addPopupBar(const std::string& name, bool temporary) {
  host().enter("CommandBars.Add " + name + " popup" + (temporary ? " temporary" : ""), false);
  return std::make_unique<SimCommandBar>(hostPtr(), host().addBar(name, temporary));
}

template <class Base>
std::unique_ptr<FileDialog> SimAppBase<Base>::saveAsDialog() {
  host().enter("get FileDialog(SaveAs)", true);
  return std::make_unique<SimFileDialog>(hostPtr());
}

template class SimAppBase<SheetApp>;
template class SimAppBase<SlideApp>;

}  // namespace brelm::sim
