#include "objects/dispatch_object.h"

#include <cstdio>

#include "common/com.h"
#include "common/text.h"

namespace hostsim {

std::string callName(const std::string& described, const wchar_t* member) {
  std::string out;
  bool inKey = false;
  for (size_t i = 0; i < described.size(); ++i) {
    char c = described[i];
    if (!inKey && c == '[') inKey = true;
    else if (inKey && c == '"') {
      // A quoted key may hold brackets of its own: skip to its closing quote.
      size_t close = described.find('"', i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (inKey && c == ']') inKey = false;
    else if (!inKey) out += c;
  }
  return out + "." + narrow(member);
}

bool HostContext::hangsOn(const std::string& described, const wchar_t* member) const {
  return !hangOn.empty() && equalsNoCase(callName(described, member), hangOn);
}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    *out = queryOther(iid);
  }
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG DispatchObject::AddRef() {
  live_.referenced();
  return ++refs_;
}

ULONG DispatchObject::Release() {
  live_.released();
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const Member& m : members()) {
    if (names[0] && equalsNoCase(m.name, names[0])) {
      ids[0] = m.id;
      // Named arguments are not part of any member the add-in uses.
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  context_.log.add(describe() + ".?" + narrow(names[0] ? names[0] : L"") + " unknown name");
  return DISP_E_UNKNOWNNAME;
}

const Member* DispatchObject::find(DISPID id) const {
  for (const Member& m : members())
    if (m.id == id) return &m;
  return nullptr;
}

// A property read may come as a method call (as late-bound Basic does), but a
// method never answers a pure property read, and only a put assigns.
Access DispatchObject::chooseAccess(const Member& m, WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return (m.access & kPut) ? kPut : Access{};
  if ((flags & DISPATCH_METHOD) && (m.access & kCall)) return kCall;
  if ((flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) && (m.access & kGet)) return kGet;
  return Access{};
}

void DispatchObject::logCall(const Member& m, Access how, const Args& args,
                             const std::string& outcome) {
  std::string line = describe() + "." + narrow(m.name) + args.describe();
  if (how == kPut && args.hasValue()) line += " = " + Args::describeValue(args.value());
  if (how == kCall && args.describe().empty()) line += "()";
  if (!outcome.empty()) line += " -> " + outcome;
  context_.log.add(std::move(line));
}

// Every object the host hands out is one of its own.
std::string DispatchObject::describeResult(const VARIANT& v) {
  if (v.vt == VT_DISPATCH && v.pdispVal) return static_cast<DispatchObject*>(v.pdispVal)->describe();
  return Args::describeValue(v);
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  if (result) VariantInit(result);
  if (argErr) *argErr = 0;
  const Member* m = find(id);
  if (!m) return DISP_E_MEMBERNOTFOUND;
  Access how = chooseAccess(*m, flags);
  Args args(params, how == kPut);
  if (how == Access{}) {
    logCall(*m, kGet, args, "wrong invocation kind");
    return DISP_E_MEMBERNOTFOUND;
  }
  if (context_.busy) {
    logCall(*m, how, args, "busy");
    return kHostBusy;
  }
  if (context_.hangsOn(describe(), m->name)) {
    logCall(*m, how, args, "hangs (--hang-on)");
    std::fprintf(stderr, "hostsim: %s called: stops answering, as --hang-on asked\n", context_.hangOn.c_str());
    std::fflush(stderr);
    // Neither returns nor pumps messages: the client's call never ends, and
    // only the server's own --timeout or the client ends this process.
    for (;;) Sleep(INFINITE);
  }
  try {
    ComPtr<IDispatch> keepAlive(this);  // a member may drop the host's reference
    logCall(*m, how, args, "");
    invoke(id, how, args, result);
    if (how != kPut && result && result->vt != VT_EMPTY) context_.log.add("  -> " + describeResult(*result));
    return S_OK;
  } catch (const HostFault& fault) {
    context_.log.add("  failed: " + std::string(fault.what()));
    if (result) VariantClear(result);
    if (fault.hr() == DISP_E_TYPEMISMATCH || fault.hr() == DISP_E_PARAMNOTFOUND ||
        fault.hr() == DISP_E_BADPARAMCOUNT || !excep)
      return fault.hr();
    *excep = EXCEPINFO{};
    excep->bstrSource = SysAllocString(L"hostsim");
    excep->bstrDescription = SysAllocString(widen(fault.what()).c_str());
    excep->scode = fault.hr();
    return DISP_E_EXCEPTION;
  } catch (...) {
    context_.log.add("  failed: internal error");
    if (result) VariantClear(result);
    return E_FAIL;
  }
}

}  // namespace hostsim
