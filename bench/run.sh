#!/usr/bin/env bash
# Builds and runs the native benchmarks and writes bench/REPORT.md.
#   bench/run.sh [Google Benchmark flags, e.g. --benchmark_min_time=2]
# Each figure is the median of three runs.
# The Wine figures come from bench/wine.sh when it exists: it measures the
# real add-ins in the Windows test host and prints its section of the report
# as Markdown on standard output. Until then the report keeps placeholders.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target brelm_bench
native_md=build/native/bench/native.md
# The median of three short runs: the machine is shared, and a single run
# now and then catches another job's burst.
build/native/bench/brelm_bench --report="$native_md" --benchmark_repetitions=3 \
  --benchmark_min_time=0.2 --benchmark_report_aggregates_only=true "$@" >&2

wine_section() {
  if [ -x bench/wine.sh ]; then
    local md
    if md=$(bench/wine.sh); then
      printf '%s\n' "$md"
      return
    fi
    echo "_bench/wine.sh failed in this run; its figures are missing._"
    echo
  fi
  cat <<'PLACEHOLDER'
<!-- Placeholder: bench/wine.sh (the Windows test host) replaces this section. -->
_Not measured in this run: `bench/wine.sh` is not present yet._

| figure | target | measured |
|---|---|---|
| idle tick at 1, 10, 100 and 1000 tabs in `hostsim`, against the bare host calls it must make (one active-window read, one caption read per tab, one window count); their ratio | ratio ≤ 1.5 | – |
| start-up (connection) time of each add-in with 0 and with 50 documents open | < 50 ms with 50 documents | – |
| one full repaint of the strip at 50 tabs | – | – |
| CPU time per second of an idle presentation host at its 10 ms tick with 30 documents | – | – |
| soak: 10,000 open/close cycles, sampling the add-in's live host references, GDI and USER objects and private bytes every 1000 cycles | flat | – |
PLACEHOLDER
}

{
  echo "# Brelm benchmarks"
  echo
  echo "Written by \`./brelm bench\` on $(date -u '+%Y-%m-%d %H:%M UTC'), commit" \
       "$(git rev-parse --short HEAD 2>/dev/null || echo unknown), $(uname -sm)." \
       "Timings vary with the load of the machine; the counts do not."
  echo
  cat "$native_md"
  echo
  echo "## Under Wine: the real add-ins in the Windows test host"
  echo
  wine_section
} > bench/REPORT.md
echo "== wrote bench/REPORT.md" >&2
