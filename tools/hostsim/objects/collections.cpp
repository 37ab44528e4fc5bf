#include "objects/collections.h"

#include <array>

#include "common/text.h"
#include "host/host.h"

namespace hostsim {

namespace {
enum CollectionMember : DISPID { kItem = DISPID_VALUE, kCount = 1, kAdd, kOpen };

constexpr std::array<Member, 2> kCollection{{
    {L"Item", kItem, kGet | kCall},
    {L"Count", kCount, kGet},
}};

constexpr std::array<Member, 4> kDocuments{{
    {L"Item", kItem, kGet | kCall},
    {L"Count", kCount, kGet},
    {L"Add", kAdd, kCall},
    {L"Open", kOpen, kCall},
}};

[[noreturn]] void badIndex() { throw HostFault(DISP_E_BADINDEX, "Subscript out of range"); }
}  // namespace

WindowsObj::WindowsObj(Host& host, DocumentObj* owner)
    : DispatchObject(host.context(), "Windows"), host_(host), owner_(owner) {}

std::string WindowsObj::describe() const { return owner_ ? owner_->describe() + ".Windows" : "Windows"; }

std::span<const Member> WindowsObj::members() const { return kCollection; }

std::vector<WindowObj*> WindowsObj::list() const {
  if (owner_) return owner_->windows();
  std::vector<WindowObj*> out;
  for (const auto& w : host_.windows()) out.push_back(w.Get());
  return out;
}

// Item by 1-based number or by caption.
void WindowsObj::itemOf(const std::vector<WindowObj*>& list, const Args& args, size_t at, VARIANT* result) {
  if (!args.has(at)) throw HostFault(DISP_E_PARAMNOTFOUND, "Argument not optional");
  VARTYPE vt = static_cast<VARTYPE>(args.raw(at).vt & ~VT_BYREF);
  if (vt == VT_BSTR) {
    std::wstring name = args.toString(at);
    for (WindowObj* w : list)
      if (equalsNoCase(w->caption(), name)) return setObject(result, w);
    badIndex();
  }
  long i = args.toLong(at);
  if (i < 1 || i > static_cast<long>(list.size())) badIndex();
  setObject(result, list[static_cast<size_t>(i - 1)]);
}

void WindowsObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  if (owner_ && owner_->closed()) throw HostFault(static_cast<HRESULT>(0x80010108), "The object invoked has disconnected from its clients.");
  if (id == kCount) return setLong(result, static_cast<long>(list().size()));
  itemOf(list(), args, 0, result);
}

DocumentsObj::DocumentsObj(Host& host)
    : DispatchObject(host.context(), "Documents"), host_(host) {}

std::string DocumentsObj::describe() const { return host_.config().sheet() ? "Workbooks" : "Presentations"; }

std::span<const Member> DocumentsObj::members() const { return kDocuments; }

void DocumentsObj::itemOf(Host& host, const Args& args, size_t at, VARIANT* result) {
  if (!args.has(at)) throw HostFault(DISP_E_PARAMNOTFOUND, "Argument not optional");
  const auto& docs = host.documents();
  VARTYPE vt = static_cast<VARTYPE>(args.raw(at).vt & ~VT_BYREF);
  if (vt == VT_BSTR) {
    DocumentObj* d = host.findDocument(args.toString(at));
    if (!d) badIndex();
    return setObject(result, d);
  }
  long i = args.toLong(at);
  if (i < 1 || i > static_cast<long>(docs.size())) badIndex();
  setObject(result, docs[static_cast<size_t>(i - 1)].Get());
}

void DocumentsObj::invoke(DISPID id, Access, const Args& args, VARIANT* result) {
  if (id == kCount) return setLong(result, static_cast<long>(host_.documents().size()));
  // Add's arguments (a template, WithWindow) and Open's beyond the file
  // name are taken as their defaults.
  if (id == kAdd) return setObject(result, host_.addDocument().document());
  if (id == kOpen) return setObject(result, host_.openFile(args.toString(0)).document());
  itemOf(host_, args, 0, result);
}

}  // namespace hostsim
