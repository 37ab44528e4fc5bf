#pragma once
// Base of every host object the add-in sees: IUnknown and IDispatch over a
// member table. Names are looked up without regard to case, each member
// states which invocation kinds it answers, every call is logged, and a
// HostFault thrown by a member becomes DISP_E_EXCEPTION with the host's text.
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <span>
#include <string>

#include "common/call_log.h"
#include "common/live_objects.h"
#include "objects/args.h"

namespace hostsim {

// What every object needs of its host.
struct HostContext {
  CallLog& log;
  bool busy = false;  // every call is rejected as while a cell is being edited
  // hostsim's own test device, no host behaviour: the first call of this
  // member ("Workbooks.Add", see callName) never returns and the thread
  // stops pumping messages, as a host that stopped answering does.
  std::string hangOn;
  // Whether a call of `member` of the object the call log names `described`
  // is the one to hang on.
  bool hangsOn(const std::string& described, const wchar_t* member) const;
};

// How a member of an object is named for --hang-on: the object as the call
// log names it without its keys, a dot, the member ("Window.Activate" for
// `Window["Book1"]`, "Workbook.Windows.Item").
std::string callName(const std::string& described, const wchar_t* member);

enum Access : unsigned { kGet = 1, kPut = 2, kCall = 4 };

struct Member {
  const wchar_t* name;
  DISPID id;
  unsigned access;
};

// The spreadsheet host's answer while it cannot take automation calls.
constexpr HRESULT kHostBusy = static_cast<HRESULT>(0x800AC472);

class DispatchObject : public IDispatch {
 public:
  DispatchObject(HostContext& context, const char* kind) : context_(context), live_(kind) {}
  virtual ~DispatchObject() = default;
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

  // How the call log names this object, e.g. `Window["Book1"]`.
  virtual std::string describe() const = 0;

 protected:
  virtual std::span<const Member> members() const = 0;
  // Runs one member; throws HostFault on failure.
  virtual void invoke(DISPID id, Access how, const Args& args, VARIANT* result) = 0;
  // Interfaces beyond IUnknown and IDispatch (connection points).
  virtual void* queryOther(REFIID) { return nullptr; }

  HostContext& context_;

 private:
  const Member* find(DISPID id) const;
  static Access chooseAccess(const Member& m, WORD flags);
  static std::string describeResult(const VARIANT& v);
  void logCall(const Member& m, Access how, const Args& args, const std::string& outcome);

  std::atomic<ULONG> refs_{1};
  LiveToken live_;
};

}  // namespace hostsim
