#include "objects/command_bars.h"

#include <algorithm>
#include <array>

#include "common/text.h"
#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/popup_menu.h"

namespace hostsim {

namespace {
constexpr IID kButtonEvents = {0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kClickEvent = 1;

[[noreturn]] void invalidCall() { throw HostFault(E_INVALIDARG, "Invalid procedure call or argument"); }

enum ButtonMember : DISPID { kFaceId = 1, kCaption, kTooltipText, kStyle, kTag, kParameter, kType, kId, kDelete, kExecute };
constexpr std::array<Member, 10> kButton{{
    {L"FaceId", kFaceId, kGet | kPut},
    {L"Caption", kCaption, kGet | kPut},
    {L"TooltipText", kTooltipText, kGet | kPut},
    {L"Style", kStyle, kGet | kPut},
    {L"Tag", kTag, kGet | kPut},
    {L"Parameter", kParameter, kGet | kPut},
    {L"Type", kType, kGet},
    {L"Id", kId, kGet},
    {L"Delete", kDelete, kCall},
    {L"Execute", kExecute, kCall},
}};

enum BarMember : DISPID { kName = 1, kControls, kBarDelete, kShowPopup, kPosition };
constexpr std::array<Member, 5> kBar{{
    {L"Name", kName, kGet},
    {L"Controls", kControls, kGet},
    {L"Delete", kBarDelete, kCall},
    {L"ShowPopup", kShowPopup, kCall},
    {L"Position", kPosition, kGet},
}};

enum CollectionMember : DISPID { kItem = DISPID_VALUE, kCount = 1, kAdd };
constexpr std::array<Member, 3> kCollection{{
    {L"Item", kItem, kGet | kCall},
    {L"Count", kCount, kGet},
    {L"Add", kAdd, kCall},
}};

// Delivers a button's Click to every sink bound to a live button with the
// same Tag, each sink once, the clicked button's own sinks first.
void fireClick(Host& host, ButtonObj& clicked) {
  std::vector<ButtonObj*> buttons{&clicked};
  if (!clicked.tag().empty())
    for (ButtonObj* b : host.commandBars().buttonsTagged(clicked.tag()))
      if (b != &clicked) buttons.push_back(b);
  std::vector<IUnknown*> seen;  // identities; the sinks stay held by their buttons
  ComPtr<ButtonObj> keep(&clicked);
  for (ButtonObj* b : buttons) {
    for (const ComPtr<IDispatch>& sink : b->clickPoint().sinks()) {
      ComPtr<IUnknown> identity;
      sink.As(&identity);
      if (std::find(seen.begin(), seen.end(), identity.Get()) != seen.end()) continue;
      seen.push_back(identity.Get());
      VARIANT_BOOL cancel = VARIANT_FALSE;
      std::vector<VARIANT> args(2);
      VariantInit(&args[0]);
      VariantInit(&args[1]);
      args[0].vt = VT_DISPATCH;
      args[0].pdispVal = &clicked;
      args[1].vt = VT_BOOL | VT_BYREF;
      args[1].pboolVal = &cancel;
      std::vector<VARIANT> reversed{args[1], args[0]};
      DISPPARAMS params{reversed.data(), nullptr, 2, 0};
      host.log().add("event Click(" + clicked.describe() + ")");
      HRESULT hr = sink->Invoke(kClickEvent, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                nullptr, nullptr);
      if (FAILED(hr)) host.log().add("event Click -> sink returned " + hresultText(hr));
    }
  }
}
}  // namespace

ButtonObj::ButtonObj(Host& host, CommandBarObj& bar, long type, long id)
    : DispatchObject(host.context(), "Button"), host_(host), bar_(&bar), type_(type), id_(id),
      click_(*this, container_, kButtonEvents, "Button.Click", host.log()) {
  container_.add(click_);
}

std::string ButtonObj::describe() const {
  return std::string(deleted_ ? "DeletedButton[\"" : "Button[\"") + narrow(caption_) + "\"]";
}

void* ButtonObj::queryOther(REFIID iid) {
  if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(&container_);
  return nullptr;
}

std::span<const Member> ButtonObj::members() const { return kButton; }

void ButtonObj::markDeleted() {
  deleted_ = true;
  bar_ = nullptr;
}

void ButtonObj::checkAlive() const {
  if (deleted_) throw HostFault(static_cast<HRESULT>(0x80010108), "The object invoked has disconnected from its clients.");
}

void ButtonObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  checkAlive();
  auto text = [&](std::wstring& field) {
    if (how == kPut) field = args.valueString();
    else setString(result, field);
  };
  auto number = [&](long& field) {
    if (how == kPut) field = args.valueLong();
    else setLong(result, field);
  };
  switch (id) {
    case kFaceId: return number(faceId_);
    case kCaption: return text(caption_);
    case kTooltipText: return text(tooltip_);
    case kStyle: return number(style_);
    case kTag: return text(tag_);
    case kParameter: return text(parameter_);
    case kType: return setLong(result, type_);
    case kId: return setLong(result, id_);
    case kDelete: return bar_->removeControl(*this);
    case kExecute: return fireClick(host_, *this);
  }
}

CommandBarObj::CommandBarObj(Host& host, std::wstring name, long position, bool temporary)
    : DispatchObject(host.context(), "CommandBar"), host_(host), name_(std::move(name)), position_(position),
      temporary_(temporary) {}

std::string CommandBarObj::describe() const {
  return std::string(deleted_ ? "DeletedCommandBar[\"" : "CommandBar[\"") + narrow(name_) + "\"]";
}

std::span<const Member> CommandBarObj::members() const { return kBar; }

void CommandBarObj::checkAlive() const {
  if (deleted_) throw HostFault(static_cast<HRESULT>(0x80010108), "The object invoked has disconnected from its clients.");
}

ButtonObj& CommandBarObj::addControl(long type, long id, std::optional<long> before) {
  if (type != 1) invalidCall();  // only push buttons are imitated
  auto button = makeCom<ButtonObj>(host_, *this, type, id);
  size_t at = controls_.size();
  if (before) {
    if (*before < 1 || *before > static_cast<long>(controls_.size()) + 1) invalidCall();
    at = static_cast<size_t>(*before - 1);
  }
  controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(at), button);
  return *button.Get();
}

void CommandBarObj::removeControl(ButtonObj& control) {
  ComPtr<ButtonObj> keep(&control);
  control.markDeleted();
  std::erase_if(controls_, [&](const ComPtr<ButtonObj>& b) { return b.Get() == &control; });
}

void CommandBarObj::markDeleted() {
  deleted_ = true;
  for (auto& b : controls_) b->markDeleted();
  controls_.clear();
}

void CommandBarObj::showPopup() {
  std::vector<PopupItem> items;
  for (const auto& b : controls_) items.push_back({b->caption(), b->faceId()});
  POINT at{};
  GetCursorPos(&at);
  std::optional<size_t> chosen = runPopupMenu(host_.tree().mainWindow(), items, at);
  if (!chosen || *chosen >= controls_.size()) return;
  ComPtr<ButtonObj> button = controls_[*chosen];
  host_.log().add("popup chose \"" + narrow(button->caption()) + "\"");
  fireClick(host_, *button.Get());
}

void CommandBarObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  checkAlive();
  switch (id) {
    case kName: return setString(result, name_);
    case kPosition: return setLong(result, position_);
    case kBarDelete: return host_.commandBars().remove(*this);
    case kShowPopup:
      if (position_ != 5) invalidCall();  // only popup bars pop up
      return showPopup();
    case kControls: {
      auto controls = makeCom<ControlsObj>(host_, *this);
      if (args.size() == 0) return setObject(result, controls.Get());
      DISPPARAMS params{const_cast<VARIANT*>(&args.raw(0)), nullptr, 1, 0};
      HRESULT hr = controls->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result, nullptr, nullptr);
      if (FAILED(hr)) invalidCall();
      return;
    }
  }
}

ControlsObj::ControlsObj(Host& host, CommandBarObj& bar) : DispatchObject(host.context(), "Controls"), bar_(&bar) {}

std::string ControlsObj::describe() const { return bar_->describe() + ".Controls"; }

std::span<const Member> ControlsObj::members() const { return kCollection; }

void ControlsObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  if (bar_->deleted()) invalidCall();
  const auto& controls = bar_->controls();
  switch (id) {
    case kCount: return setLong(result, static_cast<long>(controls.size()));
    case kAdd: {
      long type = args.has(0) ? args.toLong(0) : 1;
      long controlId = args.has(1) ? args.toLong(1) : 1;
      std::optional<long> before;
      if (args.has(3)) before = args.toLong(3);
      return setObject(result, &bar_->addControl(type, controlId, before));
    }
    default: {
      long i = args.toLong(0);
      if (i < 1 || i > static_cast<long>(controls.size())) invalidCall();
      return setObject(result, controls[static_cast<size_t>(i - 1)].Get());
    }
  }
}

CommandBarsObj::CommandBarsObj(Host& host) : DispatchObject(host.context(), "CommandBars"), host_(host) {
  const wchar_t* builtIn[] = {host.config().sheet() ? L"Worksheet Menu Bar" : L"Menu Bar", L"Standard",
                              L"Formatting", host.config().sheet() ? L"Cell" : L"Slide Sorter"};
  for (const wchar_t* name : builtIn) bars_.push_back(makeCom<CommandBarObj>(host, name, 1));
}

std::string CommandBarsObj::describe() const { return "CommandBars"; }

std::span<const Member> CommandBarsObj::members() const { return kCollection; }

CommandBarObj* CommandBarsObj::find(const std::wstring& name) const {
  for (const auto& bar : bars_)
    if (equalsNoCase(bar->name(), name)) return bar.Get();
  return nullptr;
}

CommandBarObj& CommandBarsObj::add(const std::wstring& name, long position, bool temporary) {
  if (!name.empty() && find(name)) invalidCall();
  bars_.push_back(makeCom<CommandBarObj>(host_, name, position, temporary));
  return *bars_.back().Get();
}

void CommandBarsObj::remove(CommandBarObj& bar) {
  ComPtr<CommandBarObj> keep(&bar);
  bar.markDeleted();
  std::erase_if(bars_, [&](const ComPtr<CommandBarObj>& b) { return b.Get() == &bar; });
}

std::vector<ButtonObj*> CommandBarsObj::buttonsTagged(const std::wstring& tag) const {
  std::vector<ButtonObj*> out;
  for (const auto& bar : bars_)
    for (const auto& b : bar->controls())
      if (b->tag() == tag) out.push_back(b.Get());
  return out;
}

void CommandBarsObj::dropAllSinks() {
  for (const auto& bar : bars_)
    for (const auto& b : bar->controls()) b->clickPoint().dropAll();
}

void CommandBarsObj::item(const Args& args, VARIANT* result) const {
  VARTYPE vt = static_cast<VARTYPE>(args.raw(0).vt & ~VT_BYREF);
  if (vt == VT_BSTR) {
    CommandBarObj* bar = find(args.toString(0));
    if (!bar) invalidCall();
    return setObject(result, bar);
  }
  long i = args.toLong(0);
  if (i < 1 || i > static_cast<long>(bars_.size())) invalidCall();
  setObject(result, bars_[static_cast<size_t>(i - 1)].Get());
}

void CommandBarsObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  switch (id) {
    case kCount: return setLong(result, static_cast<long>(bars_.size()));
    case kAdd: {  // Add(Name, Position, MenuBar, Temporary)
      std::wstring name = args.has(0) ? args.toString(0) : L"";
      long position = args.has(1) ? args.toLong(1) : 1;
      bool temporary = args.has(3) && args.toBool(3);
      return setObject(result, &add(name, position, temporary));
    }
    default:
      if (!args.has(0)) throw HostFault(DISP_E_PARAMNOTFOUND, "Argument not optional");
      return item(args, result);
  }
}

}  // namespace hostsim
