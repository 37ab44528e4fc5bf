#!/usr/bin/env bash
# Turns the `bench:` lines collected by bench/wine.sh into the Markdown of
# the Wine section of bench/REPORT.md, each target next to its figure.
#   bench/wine_report.sh RESULTS ARCH SHEET_VERSION SLIDE_VERSION
set -euo pipefail
results=$1 arch=$2 sheet_version=$3 slide_version=$4

awk -v sq="'" -v arch="$arch" -v sv="$sheet_version" -v pv="$slide_version" '
function val(key,   i, kv) {
  for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
  return ""
}
function ms(us) { return sprintf("%.2f", us / 1000) }
function yes(ok) { return ok ? "**met**" : "**not met**" }
{
  sub(/\r$/, "")  # hostsim writes its lines with CR LF
  kind = $1; host = val("host"); label = val("label")
  key = host SUBSEP label
  if (kind == "idle" && label ~ /^tabs/) {
    tabs[key] = val("tabs"); paints[key] = val("paints"); tickCalls[key] = val("calls_per_tick")
    if (!(key in seenTick)) { seenTick[key] = 1; tickOrder[++nTick] = key }
  } else if (kind == "hostcalls") {
    calls[key] = val("median_us"); perRound[key] = val("calls")
    paced[key] = val("paced_median_us"); pause[key] = val("pause_ms")
    pacedTick[key] = val("paced_tick_median_us"); pacedRounds[key] = val("paced_rounds")
    pacedRect[key] = val("paced_rect_median_us"); hot[key] = val("hot_tick_median_us")
  } else if (kind == "connect") {
    conn[key] = val("median_us"); connMax[key] = val("max_us"); connDocs[key] = val("documents")
    ready[key] = val("ready"); readyMed[key] = val("ready_median_us"); readyMax[key] = val("ready_max_us")
    readyMissed[key] = val("ready_missed")
    connOrder[++nConn] = key
  } else if (kind == "switch") {
    swMed[key] = val("median_us"); swP90[key] = val("p90_us"); swMax[key] = val("max_us")
    swDockMed[key] = val("docking_median_us"); swDockP90[key] = val("docking_p90_us")
    swTimes[key] = val("times"); swDocked[key] = val("docked"); swMissed[key] = val("missed")
    swWindows[key] = val("windows")
    swOrder[++nSw] = key
  } else if (kind == "repaint") {
    rep[host] = val("median_us"); repP90[host] = val("p90_us"); repTabs[host] = val("tabs")
  } else if (kind == "idle") {
    cpu[label] = val("cpu_ms_per_s"); cpuTabs[label] = val("tabs"); cpuSec[label] = val("seconds")
  } else if (kind == "sample") {
    n = ++nSample[host]; sLabel[host, n] = label * 1000
    sLive[host, n] = val("live"); sStale[host, n] = val("stale"); sUser[host, n] = val("user")
    sGdi[host, n] = val("gdi"); sPriv[host, n] = val("private_kb"); sWs[host, n] = val("pagefile_kb"); sTicks[host, n] = val("ticks")
  }
}
END {
  printf "Measured inside `hostsim` (the Windows test host) under Wine, %s build: spreadsheet host version %s, presentation host version %s (one frame for all documents). Rows marked `/x86` are the 32-bit build in a 32-bit prefix, the same versions; `slide/14.0` is the presentation host version 14, a frame per document; `sheet/16.0` is the spreadsheet host version 16, a frame per workbook (its tick is measured up to 100 tabs: a thousand frames take the test host too long to open under Wine). Times are medians on a shared 2-core machine; from run to run they move by a quarter or so, the counts do not.\n\n", arch, sv, pv
  print "### Idle polling tick against the bare host calls it must make"
  print ""
  print "The tick is the host dispatching the add-in" sq "s timer message (`DispatchMessage` of its `WM_TIMER`, timed by the host). The bare calls are those the tick must make, made by the host through the same late-bound `IDispatch` path the add-in uses (the member" sq "s id by name, then `Invoke`): `ActiveWindow`, `Windows` and its `Count`, and `Caption` of every window (the window and document objects fetched beforehand, as the add-in holds them between ticks); for the spreadsheet host also the active window" sq "s `Caption` (its active tab is found by caption) and every window" sq "s `Visible` (hidden windows get no tab); every document" sq "s `Saved` (the unsaved mark), on every round of the spreadsheet host and every tenth of the presentation host" sq "s, as their ticks read it every 100 ms; `GetDpiForWindow` of the frame the strip is in (a frame moved to a monitor of another scale). And what the tick" sq "s check of an unchanged layout reads: `GetWindowRect` of the top command-bar dock, the strip and the document area (presentation host), or of the main window and the formula bar with `DisplayFormulaBar` and `Width` (spreadsheet host; where every workbook has a frame of its own, `Application.Hwnd` for the frame in front instead of `Width`). The calls of a round are counted from the host" sq "s call log, averaged over ten rounds where `Saved` is read every tenth. The rectangle reads are timed apart as well; the tick makes the same reads, so taking them off both sides gives roughly the comparison with the object-model calls alone."
  print ""
  print "Two comparisons, each like for like. *As it runs*: the add-in ticking at its own interval, and half an interval after each of its ticks one round of the bare calls run by the host from a message of its own (posted by a helper thread: a timer cannot be set shorter than 10 ms). Ticks and rounds alternate at even spacing, each after the same pause, on the same machine at the same moment, and the host times both the same way: around the `DispatchMessage` of the message that runs them. Both pay for cold caches and a waking thread, which under Wine is most of the cost; the tick also for bringing the add-in" sq "s own code back into the caches. (Before, the bare rounds ran on the host" sq "s script timer, timed inside its handler and set beside ticks of another stretch; the two timers fell in and out of step, and the dispatch of the message was counted for the tick only.) *Back to back*: caches warm, the add-in" sq "s timer message dispatched at once and then one round of the bare calls, the pair repeated 200 times (100 at 100 tabs, 50 at 1000), so that both see the machine at the same moments (timed one after the other in separate stretches, the two drifted apart by up to a factor of two from run to run); this is the add-in" sq "s own overhead. The calls the tick made are counted from the host" sq "s call log over an idle stretch; idle repaints are `WM_PAINT` messages dispatched to the add-in" sq "s windows during it."
  print ""
  print "| host | tabs | host calls the tick made | calls in the bare round | tick as it runs (µs) | bare calls, alternating (µs) | of which rectangle reads (µs) | ratio | tick back to back (µs) | bare calls back to back (µs) | ratio | idle repaints (target 0) |"
  print "|---|---|---|---|---|---|---|---|---|---|---|---|"
  pacedOk = 1; hotOk = 1; paintOk = 1
  for (i = 1; i <= nTick; i++) {
    k = tickOrder[i]; split(k, hl, SUBSEP)
    rp = (paced[k] > 0) ? pacedTick[k] / paced[k] : 0
    rh = (calls[k] > 0 && hot[k] != "") ? hot[k] / calls[k] : 0
    if (rp > 1.5 || paced[k] == "" || pacedRounds[k] == 0) pacedOk = 0
    if (rh > 1.5 || hot[k] == "") hotOk = 0
    if (paints[k] != 0) paintOk = 0
    printf "| %s | %s | %s | %s | %.1f | %.1f | %.1f | %.2f | %.1f | %.1f | %.2f | %s |\n", hl[1], tabs[k], tickCalls[k], perRound[k], pacedTick[k], paced[k], pacedRect[k], rp, hot[k], calls[k], rh, paints[k]
  }
  print ""
  print "### Connection (start-up) time"
  print ""
  print "The whole connection as the host makes it, timed around it: creating the add-in object, `OnConnection` and `OnAddInsUpdate`; the add-in is switched off and on 20 times (`ext_cm_AfterStartup`, the DLL already loaded), median and worst, the host" sq "s message loop running for 150 ms between a disconnection and the next connection, as it does when a user switches an add-in off and on. (Switched back to back with no message loop between, the spreadsheet add-in took about 50 ms with 50 documents: each connection then also paid, inside its first window moves, for the host repainting what the previous disconnection had moved.)"
  print ""
  print "With documents open, each connection is also timed from its start until the strip is docked in the active window" sq "s frame with a tab for every window the user can see (the host" sq "s message loop running meanwhile, the strip" sq "s tabs read through its accessible object after every message): that takes the add-in" sq "s first tick, which is where the tabs come from. The spreadsheet build follows its host by polling alone, every 100 ms from the strip" sq "s creation, so this figure is about one tick interval whatever the add-in does in it; the presentation build" sq "s first tick comes 10 ms after start-up."
  print ""
  print "| host | documents open | connection: median (ms) | worst (ms) | connected < 50 ms with 50 documents | docked with every tab: median (ms) | worst (ms) | docked < 50 ms with 50 documents |"
  print "|---|---|---|---|---|---|---|---|"
  connOk = 1; readyOk = 1; nReady = 0
  for (i = 1; i <= nConn; i++) {
    k = connOrder[i]; split(k, hl, SUBSEP)
    verdict = "–"; rverdict = "–"; rmed = "–"; rmax = "–"
    if (connDocs[k] == 50) { ok = conn[k] < 50000; if (!ok) connOk = 0; verdict = yes(ok) }
    if (ready[k] != "" && ready[k] > 0) {
      rmed = ms(readyMed[k]); rmax = ms(readyMax[k])
      if (readyMissed[k] > 0) rmax = rmax sprintf(" (%s never within 3 s)", readyMissed[k])
    }
    if (connDocs[k] == 50) {
      nReady++
      rok = ready[k] > 0 && readyMissed[k] == 0 && readyMed[k] < 50000
      if (!rok) readyOk = 0
      rverdict = yes(rok)
    }
    printf "| %s | %s | %s | %s | %s | %s | %s | %s |\n", hl[1], connDocs[k], ms(conn[k]), ms(connMax[k]), verdict, rmed, rmax, rverdict
  }
  print ""
  print "### Frame switch: a frame per workbook"
  print ""
  print "The spreadsheet host version 16 with 50 workbooks, each in a frame of its own, all open before the add-in connects. The host activates another workbook (its own activation, as a click into a frame behind does), and the time is taken from just before that until the strip is docked in the new frame: its child, its bottom edge on the formula bar" sq "s, the document area right under it. The host" sq "s message loop runs meanwhile; nothing is dispatched out of turn. *First*: 49 switches, each into a frame the strip has never been in (room is made there); *again*: 98 more round the same frames, each with its room already made. The docking itself is the dispatch of the message after which the strip was found docked (the add-in" sq "s tick that moved it); the rest is the wait for that tick: the spreadsheet build handles no host event and learns of the switch at its next 100 ms tick, so the whole switch takes half an interval on average and up to a whole one."
  print ""
  print "| host | switches | frames | activation to docked: median (ms) | p90 (ms) | worst (ms) | the docking itself: median (ms) | p90 (ms) | target < 20 ms (median) |"
  print "|---|---|---|---|---|---|---|---|---|"
  swOk = 1
  for (i = 1; i <= nSw; i++) {
    k = swOrder[i]; split(k, hl, SUBSEP)
    ok = swDocked[k] > 0 && swMissed[k] == 0 && swMed[k] < 20000
    if (!ok) swOk = 0
    missedText = swMissed[k] > 0 ? sprintf(" (%s never docked within 3 s)", swMissed[k]) : ""
    printf "| %s | %s, %s | %s | %s | %s | %s%s | %s | %s | %s |\n", hl[1], hl[2], swTimes[k], swWindows[k], ms(swMed[k]), ms(swP90[k]), ms(swMax[k]), missedText, ms(swDockMed[k]), ms(swDockP90[k]), yes(ok)
  }
  print ""
  print "### One full repaint"
  print ""
  print "The strip invalidated and repainted at once (`RedrawWindow` with `RDW_UPDATENOW`), 50 times."
  print ""
  print "| host | tabs | median (µs) | p90 (µs) |"
  print "|---|---|---|---|"
  for (h in rep) printf "| %s | %s | %.1f | %.1f |\n", h, repTabs[h], rep[h], repP90[h]
  print ""
  print "### Idle presentation host: CPU time"
  print ""
  print "`GetProcessTimes` of the host process over an idle stretch with 30 documents, the add-in ticking every 10 ms; then the same host with the add-in switched off. The host" sq "s own script timer runs in both."
  print ""
  print "| | documents | stretch (s) | CPU time per second (ms/s) |"
  print "|---|---|---|---|"
  if ("addin" in cpu) printf "| add-in connected | %s | %s | %s |\n", cpuTabs["addin"], cpuSec["addin"], cpu["addin"]
  if ("hostonly" in cpu) printf "| add-in switched off | %s | %s | %s |\n", cpuTabs["hostonly"], cpuSec["hostonly"], cpu["hostonly"]
  if (("addin" in cpu) && ("hostonly" in cpu)) printf "| the add-in" sq "s share | | | %.2f |\n", cpu["addin"] - cpu["hostonly"]
  print ""
  print "### Soak: open/close cycles"
  print ""
  print "Each cycle opens a document next to one that stays open, lets the add-in tick (its own timer message, dispatched at once rather than after its interval), closes the document and lets it tick again. Sampled every 1000 cycles: host objects alive (the host" sq "s own included) and closed windows and documents still held by someone (the add-in), USER and GDI objects of the host process (`GetGuiResources`; Wine answers 0 for both, so under Wine the USER column counts the windows of the host" sq "s thread, and the GDI column the live entries of the process" sq "s GDI handle table, the PEB" sq "s `GdiSharedHandleTable`, which Wine keeps per process as older Windows did: stock objects included, one entry per live pen, brush, font, bitmap, region or DC) and private bytes (`GetProcessMemoryInfo` `PrivateUsage`; **Wine 8 leaves it at 0**, so its `PagefileUsage`, the committed private memory, is given beside it). Flat means every sample from 1000 cycles on equals the 1000-cycle one and nothing closed is held."
  print ""
  soakOk = 1
  for (h in nSample) {
    printf "**%s host**\n\n", h
    print "| cycles | add-in ticks | live host objects | closed but held | USER objects | GDI objects | private KB | pagefile KB |"
    print "|---|---|---|---|---|---|---|---|"
    for (j = 1; j <= nSample[h]; j++) {
      printf "| %d | %s | %s | %s | %s | %s | %s | %s |\n", sLabel[h, j], sTicks[h, j], sLive[h, j], sStale[h, j], sUser[h, j], sGdi[h, j], sPriv[h, j], sWs[h, j]
      if (j > 1 && (sLive[h, j] != sLive[h, 2] || sUser[h, j] != sUser[h, 2] || sGdi[h, j] != sGdi[h, 2] || sStale[h, j] != 0)) soakOk = 0
    }
    ran[h] = sLabel[h, nSample[h]]; nRan++
    if (ran[h] < 10000) soakOk = 0
    print ""
  }
  print "### Targets, as measured in this run"
  print ""
  print "| target | result |"
  print "|---|---|"
  printf "| idle tick at most 1.5 × the host calls it must make, as it runs, every row | %s |\n", yes(pacedOk && nTick > 0)
  printf "| the same, back to back (the add-in" sq "s own overhead), every row | %s |\n", yes(hotOk && nTick > 0)
  printf "| start-up under 50 ms with 50 documents open: the connection | %s |\n", yes(connOk && nConn > 0)
  printf "| start-up under 50 ms with 50 documents open: until the strip is docked with every tab | %s |\n", yes(readyOk && nReady > 0)
  printf "| frame switch under 20 ms, activation to the strip docked in the new frame (median), first time and again | %s |\n", yes(swOk && nSw > 0)
  printf "| zero repaints while nothing changes | %s |\n", yes(paintOk && nTick > 0)
  soakText = ""
  for (h in ran) soakText = soakText sprintf("%s: %d cycles; ", h, ran[h])
  printf "| flat live-reference, USER and GDI counts across 10,000 cycles (%sprivate bytes unmeasurable under Wine) | %s |\n", soakText, yes(soakOk && nRan > 0)
}' "$results"
