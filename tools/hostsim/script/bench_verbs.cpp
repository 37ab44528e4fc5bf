// Script commands that measure rather than check: the add-in's idle ticks
// and repaints as the host dispatches them, the bare host calls a tick must
// make, connection time, the host's CPU time, and the resources the soak
// samples. Each prints one `bench:` line of key=value pairs; bench/wine.sh
// turns them into tables. Nothing here fails a script over a timing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>

#include "common/addin_messages.h"
#include "common/com.h"
#include "common/live_objects.h"
#include "common/text.h"
#include "host/host.h"
#include "input/strip_reader.h"
#include "loader/addin_loader.h"
#include "script/runner.h"
#include "script/window_query.h"
#include "windows/host_windows.h"
#include "windows/modal_loop.h"

namespace hostsim {

namespace {

// How long the host's message loop runs between a disconnection and the
// next connection it times.
constexpr int kSettleMs = 150;

struct Percentiles {
  double median = 0, p90 = 0;
};

Percentiles percentiles(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  auto at = [&](double q) { return samples[static_cast<size_t>(q * static_cast<double>(samples.size() - 1))]; };
  return {at(0.5), at(0.9)};
}

double processCpuMicros() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto micros = [](FILETIME f) {
    return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10.0;
  };
  return micros(kernel) + micros(user);
}

// Calls made into the object model since entry `from` of the call log; the
// log puts results and failures on lines of their own, indented.
size_t callsSince(const CallLog& log, size_t from) {
  size_t calls = 0;
  for (size_t i = from; i < log.all().size(); ++i) calls += log.all()[i].rfind("  ", 0) != 0;
  return calls;
}

// What `bench start` recorded.
struct Window {
  double wallMicros = 0, cpuMicros = 0;
  size_t logEntries = 0;
  DWORD tickIntervalMs = 0;  // the add-in's, as the last `bench idle` saw it
} window;

Outcome start(Runner& r, const ScriptLine&) {
  AddinMessages::instance().reset();
  window = {nowMicros(), processCpuMicros(), r.host().log().all().size(), window.tickIntervalMs};
  return Outcome::done();
}

// Ticks and repaints the add-in had since `bench start`, and the host
// process's CPU time per second of that stretch.
Outcome idle(Runner& r, const ScriptLine& line) {
  const AddinMessages& m = AddinMessages::instance();
  double seconds = (nowMicros() - window.wallMicros) / 1e6;
  double cpuMsPerS = seconds > 0 ? (processCpuMicros() - window.cpuMicros) / 1e3 / seconds : 0;
  Percentiles t = percentiles(m.tickMicros());
  size_t ticks = m.tickMicros().size();
  double callsPerTick = ticks ? static_cast<double>(callsSince(r.host().log(), window.logEntries)) / ticks : 0;
  std::printf("bench: idle label=%s tabs=%zu ticks=%zu tick_median_us=%.1f tick_p90_us=%.1f calls_per_tick=%.1f "
              "paints=%zu seconds=%.2f cpu_ms_per_s=%.2f\n",
              word(line, 2).c_str(), r.host().windows().size(), ticks, t.median, t.p90, callsPerTick,
              m.paintMicros().size(), seconds, cpuMsPerS);
  if (ticks > 0) window.tickIntervalMs = static_cast<DWORD>(seconds * 1000 / static_cast<double>(ticks));
  return Outcome::done();
}

// Late binding as the add-in does it: the member's id by name, then Invoke.
struct Reply {
  HRESULT hr = E_FAIL;
  VARIANT value{};
  Reply() { VariantInit(&value); }
  ~Reply() { VariantClear(&value); }
  Reply(const Reply&) = delete;
  Reply& operator=(const Reply&) = delete;
  IDispatch* object() const { return SUCCEEDED(hr) && value.vt == VT_DISPATCH ? value.pdispVal : nullptr; }
};

void get(IDispatch* target, const wchar_t* name, Reply& out, const VARIANT* arg = nullptr) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  out.hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(out.hr)) return;
  VARIANT args[1];
  if (arg) args[0] = *arg;
  DISPPARAMS dp{args, nullptr, arg ? 1u : 0u, 0};
  out.hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &dp,
                          &out.value, nullptr, nullptr);
}

// What a round of bare calls works on, fetched once, as the add-in holds it
// between ticks: the Application, the host's document windows and their
// documents, the windows whose rectangles the add-in's geometry check reads,
// and the frame the strip is in.
struct BareCalls {
  IDispatch* app = nullptr;
  bool sheet = false;
  bool frames = false;  // the spreadsheet host with a frame per workbook
  std::vector<ComPtr<IDispatch>> windows, documents;
  std::vector<HWND> rectangles;
  HWND stripFrame = nullptr;
  int savedEvery = 1;  // rounds between reads of every document's Saved
  mutable int round = 0;
};

std::vector<ComPtr<IDispatch>> heldItems(IDispatch* app, const wchar_t* collection) {
  std::vector<ComPtr<IDispatch>> held;
  Reply items, count;
  get(app, collection, items);
  if (!items.object()) return held;
  get(items.object(), L"Count", count);
  for (long i = 1; count.value.vt == VT_I4 && i <= count.value.lVal; ++i) {
    Reply item;
    VARIANT index;
    index.vt = VT_I4;
    index.lVal = i;
    get(items.object(), L"Item", item, &index);
    if (item.object()) held.emplace_back(item.object());
  }
  return held;
}

// The DPI of a window as the add-in asks it: GetDpiForWindow where user32
// has it.
UINT dpiOfWindow(HWND w) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto f = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return f ? f(w) : 0;
}

// The spreadsheet host's check reads the layout window (the main window from
// version 12 on) and the formula bar; the presentation host's the top
// command-bar dock, the strip and the document area.
std::vector<HWND> geometryWindows(Host& host) {
  std::vector<std::string> targets = host.config().sheet()
                                         ? std::vector<std::string>{"main", "EXCEL;"}
                                         : std::vector<std::string>{"MsoCommandBarDock:MsoDockTop", "strip", "MDIClient"};
  std::vector<HWND> found;
  for (const std::string& t : targets)
    if (HWND w = findHostWindow(host, t)) found.push_back(w);
  return found;
}

BareCalls bareCalls(Runner& r, const ScriptLine& line) {
  Host& host = r.host();
  BareCalls b;
  b.app = &host.app();
  b.sheet = host.config().sheet();
  b.frames = b.sheet && host.config().framePerDocument();
  b.windows = heldItems(b.app, L"Windows");
  b.documents = heldItems(b.app, b.sheet ? L"Workbooks" : L"Presentations");
  b.rectangles = geometryWindows(host);
  if (b.rectangles.size() != (b.sheet ? 2u : 3u)) badLine(line, "a window of the geometry check is missing");
  HWND strip = findStripWindow();
  b.stripFrame = strip ? GetAncestor(strip, GA_ROOT) : nullptr;
  b.savedEvery = b.sheet ? 1 : 10;
  return b;
}

// One round of what an idle tick cannot do without. Where every workbook has
// a frame of its own, Application.Hwnd (the frame in front). The DPI of the
// frame the strip is in. Its geometry check reads the rectangles of two
// (spreadsheet host) or three (presentation host) windows; the spreadsheet
// host's also DisplayFormulaBar, and Width where one main window holds every
// workbook. Then the active window, the window count and every window's
// caption; the spreadsheet host's active window is known by its caption, so
// that is read as well, and it reads every window's Visible (hidden windows
// get no tab). Every document's Saved (the unsaved mark) on every round of
// the spreadsheet host and every tenth of the presentation host's, as their
// ticks do. `rectMicros` gets the time of the rectangle reads alone.
bool bareRound(const BareCalls& b, double& rectMicros) {
  Reply active, windows, count;
  if (b.frames) {
    Reply hwnd;
    get(b.app, L"Hwnd", hwnd);
  }
  dpiOfWindow(b.stripFrame);
  if (b.sheet) {
    Reply shown;
    get(b.app, L"DisplayFormulaBar", shown);
  }
  double t0 = nowMicros();
  for (HWND w : b.rectangles) {
    RECT rect;
    GetWindowRect(w, &rect);
  }
  rectMicros = nowMicros() - t0;
  if (b.sheet && !b.frames) {
    Reply width;
    get(b.app, L"Width", width);
  }
  get(b.app, L"ActiveWindow", active);
  if (b.sheet && active.object()) {
    Reply caption;
    get(active.object(), L"Caption", caption);
  }
  for (const ComPtr<IDispatch>& w : b.windows) {
    Reply caption;
    get(w.Get(), L"Caption", caption);
    if (FAILED(caption.hr)) return false;
    if (b.sheet) {
      Reply visible;
      get(w.Get(), L"Visible", visible);
      if (FAILED(visible.hr)) return false;
    }
  }
  if (b.round++ % b.savedEvery == 0) {
    for (const ComPtr<IDispatch>& d : b.documents) {
      Reply saved;
      get(d.Get(), L"Saved", saved);
      if (FAILED(saved.hr)) return false;
    }
  }
  get(b.app, L"Windows", windows);
  if (!windows.object()) return false;
  get(windows.object(), L"Count", count);
  return SUCCEEDED(count.hr);
}

// Paced rounds of the bare calls: each one run from a host message that
// follows one of the add-in's ticks by half its interval, so that rounds and
// ticks alternate at even spacing, each after the same pause, on the same
// machine at the same moment. The host's loop times the round's message
// as it times the tick's, dispatch included. The script's own timer stands
// still meanwhile: firing at its own pace, it would warm the host before one
// of the two more than before the other.
struct PacedRounds {
  Runner* runner = nullptr;
  BareCalls calls;
  int remaining = 0;
  bool failed = false;
  HWND window = nullptr;
  std::vector<double> rectMicros;

  static constexpr const wchar_t* kClass = L"HostsimBenchRounds";
  static constexpr UINT_PTR kGiveUpTimer = 1;
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = reinterpret_cast<PacedRounds*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_TIMER && wp == kGiveUpTimer) {
      // The add-in stopped ticking: report the rounds there were.
      self->finish();
      return 0;
    }
    if (msg != AddinMessages::kFollowMessage) return DefWindowProcW(hwnd, msg, wp, lp);
    if (self->remaining <= 0) return 0;
    double rect = 0;
    self->failed = !bareRound(self->calls, rect) || self->failed;
    self->rectMicros.push_back(rect);
    if (--self->remaining == 0) self->finish();
    return 0;
  }
  void finish() {
    KillTimer(window, kGiveUpTimer);
    remaining = 0;
    AddinMessages::instance().follow(nullptr, 0);
    runner->resume();
  }
  bool start(int rounds, DWORD tickIntervalMs) {
    remaining = rounds;
    rectMicros.reserve(static_cast<size_t>(rounds));
    if (!registerClassOnce(kClass, proc, nullptr)) return false;
    window = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    AddinMessages::instance().reset();
    AddinMessages::instance().follow(window, std::max<DWORD>(1, tickIntervalMs / 2));
    SetTimer(window, kGiveUpTimer, (tickIntervalMs + 2) * static_cast<UINT>(rounds) * 10 + 5000, nullptr);
    runner->pause();
    return true;
  }
  ~PacedRounds() {
    AddinMessages::instance().follow(nullptr, 0);
    if (window) DestroyWindow(window);
  }
};

// One more tick of the add-in's timer now, rather than at its next interval,
// so that a soak cycle is seen by a polling add-in without waiting for it.
void tickNow() {
  const AddinMessages& m = AddinMessages::instance();
  if (m.timerWindow() && IsWindow(m.timerWindow())) {
    MSG msg{m.timerWindow(), WM_TIMER, m.timerId(), 0, GetTickCount(), {}};
    AddinMessages::instance().dispatch(msg);
  }
}

// Times N rounds of the bare calls two ways, each beside the add-in's ticks
// of the same stretch. Back to back, caches warm: a tick dispatched at once,
// then a round, N times. Paced: alternating with the add-in's own ticks (see
// PacedRounds).
Outcome hostCalls(Runner& r, const ScriptLine& line) {
  int rounds = number(line, 2);
  auto paced = std::make_shared<PacedRounds>();
  paced->runner = &r;
  paced->calls = bareCalls(r, line);
  // The calls of a round, counted alone over as many rounds as it takes
  // for every kind of round to come (the presentation host reads Saved every
  // tenth): between the timed rounds the log also gets the ticks' calls.
  size_t logged = r.host().log().all().size();
  double ignored = 0;
  for (int i = 0; i < paced->calls.savedEvery; ++i)
    if (!bareRound(paced->calls, ignored)) badLine(line, "a host call failed");
  const double callsPerRound =
      static_cast<double>(callsSince(r.host().log(), logged)) / paced->calls.savedEvery;
  std::vector<double> hot, hotRect;
  AddinMessages::instance().reset();
  for (int i = 0; i < rounds; ++i) {
    tickNow();
    double rect = 0, t0 = nowMicros();
    if (!bareRound(paced->calls, rect)) badLine(line, "a host call failed");
    hot.push_back(nowMicros() - t0);
    hotRect.push_back(rect);
  }
  const Percentiles hotTick = percentiles(AddinMessages::instance().tickMicros());
  const DWORD interval = window.tickIntervalMs ? window.tickIntervalMs : 10;
  if (!paced->start(rounds, interval)) badLine(line, "no window for the paced rounds");
  // The script waits, its timer stopped, until the last round (or the
  // rounds' own bound) resumes it; resuming ends this delay.
  r.queue([] {}, static_cast<int>(interval + 2) * rounds * 10 + 6000);
  r.queue([&r, line, rounds, callsPerRound, interval, paced, h = percentiles(hot), hr = percentiles(hotRect), hotTick] {
    const AddinMessages& m = AddinMessages::instance();
    if (paced->failed) badLine(line, "a host call failed");
    Percentiles p = percentiles(m.companionMicros()), t = percentiles(m.followedTickMicros()),
                pr = percentiles(paced->rectMicros);
    std::printf("bench: hostcalls label=%s tabs=%zu rounds=%d calls=%.1f rects=%zu median_us=%.1f p90_us=%.1f "
                "rect_median_us=%.1f hot_tick_median_us=%.1f pause_ms=%lu paced_rounds=%zu paced_median_us=%.1f paced_p90_us=%.1f "
                "paced_rect_median_us=%.1f paced_ticks=%zu paced_tick_median_us=%.1f paced_tick_p90_us=%.1f\n",
                word(line, 3).c_str(), r.host().windows().size(), rounds, callsPerRound,
                paced->calls.rectangles.size(), h.median, h.p90, hr.median, hotTick.median,
                static_cast<unsigned long>(interval),
                m.companionMicros().size(), p.median, p.p90, pr.median, m.followedTickMicros().size(), t.median,
                t.p90);
  }, 0);
  return Outcome::done();
}

// The strip docked in the active window's frame with a tab for every
// window the user can see.
bool readyWithEveryTab(Host& host) {
  WindowObj* active = host.active();
  if (!active || !stripDockedIn(host, host.tree().frameOf(*active))) return false;
  long visible = 0;
  for (const auto& w : host.windows()) visible += w->visible ? 1 : 0;
  return stripTabCount(findStripWindow()) == visible;
}

// How long a docking may take before it counts as never done.
constexpr DWORD kDockLimitMs = 3000;

// Dispatches this thread's messages until `done` holds, asked after each one.
// Gives the dispatch time of the message after which it held (0 when it
// held at once), or nothing when it did not within `limitMs`.
template <class Done>
std::optional<double> pumpUntilDone(Done done, DWORD limitMs) {
  if (done()) return 0.0;
  ULONGLONG end = GetTickCount64() + limitMs;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return std::nullopt;
      }
      TranslateMessage(&msg);
      double t0 = nowMicros();
      AddinMessages::instance().dispatch(msg);
      double took = nowMicros() - t0;
      if (done()) return took;
    }
  }
  return std::nullopt;
}

// Switches the add-ins off and on again N times; times each connection and,
// with documents open, the time from its start until the strip is docked in
// the active window's frame with every tab (which may wait for the add-in's
// first tick). Between the two the host runs its message loop for a while,
// as it does when a user switches an add-in off and on, so each connection
// starts from a host that has painted what the last disconnection changed.
Outcome connectTimes(Runner& r, const ScriptLine& line) {
  int times = number(line, 2);
  auto samples = std::make_shared<std::vector<double>>();
  auto ready = std::make_shared<std::vector<double>>();
  auto missed = std::make_shared<int>(0);
  for (int i = 0; i < times; ++i) {
    r.queue([&r] { r.loader().disconnectAll(ext_dm_UserClosed); }, kSettleMs);
    r.queue([&r, samples, ready, missed] {
      double t0 = nowMicros();
      r.loader().connectAll(ext_cm_AfterStartup);
      samples->push_back(nowMicros() - t0);
      if (r.host().documents().empty()) return;
      if (pumpUntilDone([&r] { return readyWithEveryTab(r.host()); }, kDockLimitMs)) ready->push_back(nowMicros() - t0);
      else ++*missed;
    }, kSettleMs);
  }
  r.queue([&r, samples, ready, missed, label = word(line, 3), times] {
    Percentiles p = percentiles(*samples), q = percentiles(*ready);
    double worst = samples->empty() ? 0 : *std::max_element(samples->begin(), samples->end());
    double worstReady = ready->empty() ? 0 : *std::max_element(ready->begin(), ready->end());
    std::printf("bench: connect label=%s documents=%zu times=%d median_us=%.1f max_us=%.1f ready=%zu "
                "ready_median_us=%.1f ready_max_us=%.1f ready_missed=%d\n",
                label.c_str(), r.host().documents().size(), times, p.median, worst, ready->size(), q.median,
                worstReady, *missed);
  }, 0);
  return Outcome::done();
}

// Switches N times between the host's visible windows, each to the next
// one in the host's list as it stood when the command began (the active
// one skipped), by the host's own activation (the user clicking into a
// frame behind, or the host's window list). Each is timed from just before
// the activation until the strip is docked in the new window's frame,
// whatever it took: a tick the add-in waits for, a re-parenting, room made
// in a frame the strip is new to. The message loop runs between switches.
Outcome switchTimes(Runner& r, const ScriptLine& line) {
  int times = number(line, 2);
  auto order = std::make_shared<std::vector<std::wstring>>();
  for (const auto& w : r.host().windows())
    if (w->visible) order->push_back(w->caption());
  if (order->size() < 2) badLine(line, "bench switch needs two visible windows");
  auto samples = std::make_shared<std::vector<double>>(), docking = std::make_shared<std::vector<double>>();
  auto missed = std::make_shared<int>(0);
  auto at = std::make_shared<size_t>(0);
  for (int i = 0; i < times; ++i) {
    r.queue([&r, order, samples, docking, missed, at] {
      Host& host = r.host();
      WindowObj* next = nullptr;
      for (size_t tries = 0; tries < order->size() && (!next || next == host.active()); ++tries)
        next = host.findWindow((*order)[(*at)++ % order->size()]);
      if (!next || next == host.active()) return;
      ComPtr<WindowObj> keep(next);
      double t0 = nowMicros();
      host.activate(*next);
      HWND frame = host.tree().frameOf(*next);
      std::optional<double> last = pumpUntilDone([&host, frame] { return stripDockedIn(host, frame); }, kDockLimitMs);
      if (!last) {
        ++*missed;
        return;
      }
      samples->push_back(nowMicros() - t0);
      // Docked inside the activation (the host's events) or by the message
      // the loop dispatched last: its time is the docking's own.
      docking->push_back(*last > 0 ? *last : samples->back());
    }, kSettleMs);
  }
  r.queue([&r, samples, docking, missed, label = word(line, 3), times] {
    Percentiles p = percentiles(*samples), d = percentiles(*docking);
    double worst = samples->empty() ? 0 : *std::max_element(samples->begin(), samples->end());
    std::printf("bench: switch label=%s windows=%zu times=%d docked=%zu missed=%d median_us=%.1f p90_us=%.1f "
                "max_us=%.1f docking_median_us=%.1f docking_p90_us=%.1f\n",
                label.c_str(), r.host().windows().size(), times, samples->size(), *missed, p.median, p.p90, worst,
                d.median, d.p90);
  }, 0);
  return Outcome::done();
}

// The time of N full repaints of the strip, each forced through at once.
Outcome repaint(Runner& r, const ScriptLine& line) {
  int times = number(line, 2);
  HWND strip = findStripWindow();
  if (!strip) badLine(line, "no strip window");
  std::vector<double> samples;
  for (int i = 0; i < times; ++i) {
    double t0 = nowMicros();
    RedrawWindow(strip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    samples.push_back(nowMicros() - t0);
  }
  Percentiles p = percentiles(samples);
  std::printf("bench: repaint label=%s tabs=%zu times=%d median_us=%.1f p90_us=%.1f\n", word(line, 3).c_str(),
              r.host().windows().size(), times, p.median, p.p90);
  return Outcome::done();
}

// Open a document, let the add-in see it, close it, let the add-in see that.
Outcome cycle(Runner& r, const ScriptLine& line) {
  r.host().log().clear();
  AddinMessages::instance().reset();
  WindowObj& w = r.host().openDocument(wword(line, 2), true);
  tickNow();
  r.host().closeWindow(w, false);
  tickNow();
  return Outcome::done();
}

// The soak's sample: host objects alive and those closed but still held,
// USER and GDI objects, private bytes.
Outcome sample(Runner& r, const ScriptLine& line) {
  int windows = LiveObjects::instance().count("Window") - static_cast<int>(r.host().windows().size());
  int documents = LiveObjects::instance().count("Document") - static_cast<int>(r.host().documents().size());
  ResourceCounts c = resourceCounts();
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem);
  std::printf("bench: sample label=%s ticks=%zu live=%d stale=%d user=%ld gdi=%ld private_kb=%zu pagefile_kb=%zu "
              "workingset_kb=%zu\n",
              word(line, 2).c_str(), AddinMessages::instance().tickCount(), LiveObjects::instance().total(),
              windows + documents, c.user, c.gdi, static_cast<std::size_t>(mem.PrivateUsage / 1024),
              static_cast<std::size_t>(mem.PagefileUsage / 1024),
              static_cast<std::size_t>(mem.WorkingSetSize / 1024));
  return Outcome::done();
}

struct BenchVerb {
  const char* name;
  CommandFn run;
};
constexpr std::array<BenchVerb, 8> kVerbs{{
    {"switch", switchTimes},
    {"start", start},
    {"idle", idle},
    {"hostcalls", hostCalls},
    {"connect", connectTimes},
    {"repaint", repaint},
    {"cycle", cycle},
    {"sample", sample},
}};

Outcome bench(Runner& r, const ScriptLine& line) {
  const std::string& verb = word(line, 1);
  for (const BenchVerb& v : kVerbs)
    if (verb == v.name) {
      Outcome o = v.run(r, line);
      std::fflush(stdout);
      return o;
    }
  badLine(line, "bench start|idle|hostcalls|connect|switch|repaint|cycle|sample");
}

constexpr std::array<CommandEntry, 1> kCommands{{{"bench", bench}}};
}  // namespace

std::span<const CommandEntry> benchCommands() { return kCommands; }

}  // namespace hostsim
