#include "objects/addin_object.h"

#include <array>

#include "common/com.h"

namespace hostsim {

namespace {
enum AddinMember : DISPID { kProgId = 1, kDescription, kConnect };
constexpr std::array<Member, 3> kAddin{{
    {L"ProgId", kProgId, kGet},
    {L"Description", kDescription, kGet},
    {L"Connect", kConnect, kGet},
}};
}  // namespace

AddinObj::AddinObj(HostContext& context, std::wstring progId, std::wstring description)
    : DispatchObject(context, "COMAddIn"), progId_(std::move(progId)), description_(std::move(description)) {}

std::span<const Member> AddinObj::members() const { return kAddin; }

void AddinObj::invoke(DISPID id, Access, const Args&, VARIANT* result) {
  if (id == kProgId) return setString(result, progId_);
  if (id == kDescription) return setString(result, description_);
  setBool(result, connected_);
}

}  // namespace hostsim
