#include "objects/connection_point.h"

namespace hostsim {

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = &container_;
  container_.AddRef();
  return S_OK;
}

// The sink must answer for the event interface itself or for IDispatch, as
// the hosts ask for one of them and then call only IDispatch::Invoke.
HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie) *cookie = 0;
  if (!sink || !cookie) return E_POINTER;
  ComPtr<IDispatch> events;
  HRESULT hr = sink->QueryInterface(iid_, reinterpret_cast<void**>(events.GetAddressOf()));
  if (FAILED(hr)) hr = sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.GetAddressOf()));
  if (FAILED(hr) || !events) {
    log_.add(name_ + ".Advise -> sink has no IDispatch");
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, std::move(events));
  log_.add(name_ + ".Advise -> " + std::to_string(*cookie));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first == cookie) {
      ComPtr<IDispatch> last = std::move(it->second);  // released after the erase
      sinks_.erase(it);
      log_.add(name_ + ".Unadvise(" + std::to_string(cookie) + ")");
      return S_OK;
    }
  }
  log_.add(name_ + ".Unadvise(" + std::to_string(cookie) + ") -> no such connection");
  return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

std::vector<ComPtr<IDispatch>> ConnectionPoint::sinks() const {
  std::vector<ComPtr<IDispatch>> out;
  for (const auto& s : sinks_) out.push_back(s.second);
  return out;
}

void ConnectionPoint::fire(DISPID id, const std::string& eventName, std::vector<VARIANT>& args) {
  // Invoke takes the arguments last to first.
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  for (const ComPtr<IDispatch>& sink : sinks()) {
    log_.add("event " + eventName);
    HRESULT hr = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                              nullptr, nullptr);
    if (FAILED(hr)) log_.add("event " + eventName + " -> sink returned " + hresultText(hr));
  }
}

HRESULT ConnectionPoints::QueryInterface(REFIID iid, void** out) { return owner_.QueryInterface(iid, out); }

HRESULT ConnectionPoints::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT ConnectionPoints::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (ConnectionPoint* p : points_) {
    if (p->iid() == iid) {
      *out = p;
      p->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

}  // namespace hostsim
