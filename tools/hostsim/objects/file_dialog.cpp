#include "objects/file_dialog.h"

#include <array>

#include "common/com.h"
#include "common/text.h"
#include "host/host.h"
#include "windows/host_windows.h"
#include "windows/save_dialog.h"

namespace hostsim {

namespace {
enum DialogMember : DISPID { kInitialFileName = 1, kShow, kExecute };
constexpr std::array<Member, 3> kDialog{{
    {L"InitialFileName", kInitialFileName, kGet | kPut},
    {L"Show", kShow, kCall},
    {L"Execute", kExecute, kCall},
}};
constexpr long kSaveAs = 2;
}  // namespace

FileDialogObj::FileDialogObj(Host& host, long type)
    : DispatchObject(host.context(), "FileDialog"), host_(host), type_(type) {
  if (type < 1 || type > 4) throw HostFault(E_INVALIDARG, "Invalid procedure call or argument");
}

std::span<const Member> FileDialogObj::members() const { return kDialog; }

void FileDialogObj::invoke(DISPID id, Access how, const Args& args, VARIANT* result) {
  switch (id) {
    case kInitialFileName:
      if (how == kPut) initialFileName_ = args.valueString();
      else setString(result, initialFileName_);
      return;
    case kShow: {
      std::optional<std::wstring> name = runSaveDialog(host_.tree().mainWindow(), initialFileName_);
      accepted_ = name.has_value();
      chosen_ = name.value_or(L"");
      host_.log().add(accepted_ ? "dialog accepted \"" + narrow(chosen_) + "\"" : "dialog cancelled");
      return setLong(result, accepted_ ? -1 : 0);
    }
    case kExecute: return execute();
  }
}

// The Save As dialog's Execute saves the active document, whichever
// document the caller had in mind.
void FileDialogObj::execute() {
  if (!accepted_ || type_ != kSaveAs) return;
  WindowObj* active = host_.active();
  if (!active || !active->document()) throw HostFault(E_FAIL, "There is no active document to save.");
  std::wstring name = chosen_;
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name = name.substr(slash + 1);
  active->document()->saveAs(name, L"C:\\users\\Public\\Documents");
}

}  // namespace hostsim
