#include "session.h"

namespace brelm::bench {

const char* hostName(HostKind kind) { return kind == HostKind::Sheet ? "sheet" : "slide"; }

std::string caption(int n) { return "Book" + std::to_string(n); }

namespace {

sim::SimOptions optionsFor(HostKind kind, const char* version = "14.0") {
  sim::SimOptions options;
  options.host = kind;
  options.version = version;
  return options;
}

}  // namespace

Session::Session(HostKind kind, int documents, const char* version)
    : sim(optionsFor(kind, version)), addin(sim.platform(), kind) {
  sim.log.setRecording(false);
  for (int i = 1; i <= documents; ++i) sim.host->open(caption(i));
  addin.OnConnection(sim.host->application());
  // The first ticks add the tabs and dock the strip; from then on it is idle.
  sim.toolkit.fire(TimerId::Mouse, 3);
}

Strip::Strip(int tabs) : sim(optionsFor(HostKind::Sheet)), bar(sim.toolkit, sim.windows) {
  sim.log.setRecording(false);
  bar.fload();
  for (int i = 1; i <= tabs; ++i) bar.addtab(caption(i));
}

}  // namespace brelm::bench
