// Script commands that act as the host or its user would outside the strip:
// open, close and rename documents, switch windows, resize the host, make it
// busy, and connect or disconnect the add-ins.
#include <array>

#include "common/text.h"
#include "host/host.h"
#include "loader/addin_loader.h"
#include "script/runner.h"
#include "windows/host_windows.h"

namespace hostsim {

namespace {
WindowObj& window(Runner& r, const ScriptLine& line, size_t i) {
  WindowObj* w = r.host().findWindow(wword(line, i));
  if (!w) badLine(line, "no open window \"" + word(line, i) + "\"");
  return *w;
}

bool onOff(const ScriptLine& line, size_t i) {
  const std::string& w = word(line, i);
  if (w == "on" || w == "yes") return true;
  if (w == "off" || w == "no") return false;
  badLine(line, "expected on or off");
}

Outcome start(Runner& r, const ScriptLine&) {
  r.loader().startup();
  return Outcome::done();
}

Outcome open(Runner& r, const ScriptLine& line) {
  r.host().openDocument(wword(line, 1), true);
  return Outcome::done();
}

Outcome newDocument(Runner& r, const ScriptLine& line) {
  r.host().openDocument(wword(line, 1), false);
  return Outcome::done();
}

Outcome newWindow(Runner& r, const ScriptLine& line) {
  r.host().newWindow(window(r, line, 1), wword(line, 2));
  return Outcome::done();
}

Outcome activate(Runner& r, const ScriptLine& line) {
  r.host().activate(window(r, line, 1));
  return Outcome::done();
}

Outcome close(Runner& r, const ScriptLine& line) {
  r.host().closeWindow(window(r, line, 1), false);
  return Outcome::done();
}

Outcome rename(Runner& r, const ScriptLine& line) {
  r.host().rename(window(r, line, 1), wword(line, 2));
  return Outcome::done();
}

Outcome modify(Runner& r, const ScriptLine& line) {
  window(r, line, 1).document()->setSaved(false);
  return Outcome::done();
}

Outcome saved(Runner& r, const ScriptLine& line) {
  window(r, line, 1).document()->setSaved(true);
  return Outcome::done();
}

Outcome noActive(Runner& r, const ScriptLine&) {
  r.host().setNoActive();
  return Outcome::done();
}

Outcome busy(Runner& r, const ScriptLine& line) {
  r.host().setBusy(onOff(line, 1));
  return Outcome::done();
}

Outcome hostWidth(Runner& r, const ScriptLine& line) {
  int px = static_cast<int>(number(line, 1) * r.host().dpi() / 72.0 + 0.5);
  r.host().tree().setWidthPx(px);
  return Outcome::done();
}

Outcome formulaBar(Runner& r, const ScriptLine& line) {
  r.host().setFormulaBar(onOff(line, 1));
  return Outcome::done();
}

Outcome connect(Runner& r, const ScriptLine&) {
  r.loader().connectAll(ext_cm_AfterStartup);
  return Outcome::done();
}

Outcome disconnect(Runner& r, const ScriptLine&) {
  r.loader().disconnectAll(ext_dm_UserClosed);
  return Outcome::done();
}

constexpr std::array<CommandEntry, 16> kCommands{{
    {"start", start},
    {"open", open},
    {"new", newDocument},
    {"newwindow", newWindow},
    {"activate", activate},
    {"close", close},
    {"rename", rename},
    {"modify", modify},
    {"saved", saved},
    {"noactive", noActive},
    {"busy", busy},
    {"hostwidth", hostWidth},
    {"formulabar", formulaBar},
    {"connect", connect},
    {"disconnect", disconnect},
    {"quit", [](Runner& r, const ScriptLine&) { r.host().quit(); return Outcome::done(); }},
}};
}  // namespace

std::span<const CommandEntry> hostCommands() { return kCommands; }

}  // namespace hostsim
