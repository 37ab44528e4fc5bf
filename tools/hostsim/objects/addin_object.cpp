#include "objects/addin_object.h"

#include <array>

#include "common/com.h"

namespace hostsim {

namespace {
enum AddinMember : DISPID { kProgId = 1, kDescription, kConnect };
constexpr std::array<Member, 3> kAddin{{
    {L"ProgId", kProgId, kGet},
    {L"Description", kDescription, kGet},
    {L"Connect", kConnect, kGet | kPut},
}};

enum CollectionMember : DISPID { kItem = DISPID_VALUE, kCount = 1 };
constexpr std::array<Member, 2> kCollection{{
    {L"Item", kItem, kGet | kCall},
    {L"Count", kCount, kGet},
}};

[[noreturn]] void badIndex() { throw HostFault(DISP_E_BADINDEX, "Subscript out of range"); }
}  // namespace

AddinObj::AddinObj(HostContext& context, std::wstring progId, std::wstring description, AddinRegistry* registry)
    : DispatchObject(context, "COMAddIn"),
      progId_(std::move(progId)),
      description_(std::move(description)),
      registry_(registry) {}

std::span<const Member> AddinObj::members() const { return kAddin; }

void AddinObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  if (id == kProgId) return setString(result, progId_);
  if (id == kDescription) return setString(result, description_);
  if (how == kPut) {
    // The add-in itself cannot switch itself on or off through its own object.
    if (!registry_) throw HostFault(E_ACCESSDENIED, "Connect cannot be set here");
    HRESULT hr = registry_->setConnected(progId_, args.valueBool());
    if (FAILED(hr)) throw HostFault(hr, "The add-in could not be connected");
    return;
  }
  setBool(result, registry_ ? registry_->connected(progId_) : connected_);
}

ComAddinsObj::ComAddinsObj(HostContext& context, AddinRegistry* registry)
    : DispatchObject(context, "COMAddIns"), registry_(registry) {}

std::span<const Member> ComAddinsObj::members() const { return kCollection; }

void ComAddinsObj::itemOf(HostContext& context, AddinRegistry* registry, const Args& args, size_t at,
                          VARIANT* result) {
  if (!args.has(at)) throw HostFault(DISP_E_PARAMNOTFOUND, "Argument not optional");
  std::vector<AddinRegistry::Entry> list;
  if (registry) list = registry->registered();
  const AddinRegistry::Entry* found = nullptr;
  VARTYPE vt = static_cast<VARTYPE>(args.raw(at).vt & ~VT_BYREF);
  if (vt == VT_BSTR) {
    std::wstring name = args.toString(at);
    for (const auto& e : list)
      if (equalsNoCase(e.progId, name)) found = &e;
  } else {
    long i = args.toLong(at);
    if (i >= 1 && i <= static_cast<long>(list.size())) found = &list[static_cast<size_t>(i - 1)];
  }
  if (!found) badIndex();
  auto item = makeCom<AddinObj>(context, found->progId, found->description, registry);
  setObject(result, item.Get());
}

void ComAddinsObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  if (id == kCount) return setLong(result, registry_ ? static_cast<long>(registry_->registered().size()) : 0);
  itemOf(context_, registry_, args, 0, result);
}

}  // namespace hostsim
