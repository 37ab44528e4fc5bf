#!/usr/bin/env bash
# ./brelm demo: both hosts under Wine with a handful of documents and the
# real add-ins. With a display each host stays open for you to use until you
# close its main window; without one the demo runs on Xvfb and writes
# screenshots to build/demo/. Expects the win64 cross build.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
. tests/e2e/wine_env.sh

arch=win64
hostsim=$root/build/$arch/tools/hostsim/hostsim.exe
sheet=$(find_dll $arch BrelmSheet.dll)
slide=$(find_dll $arch BrelmSlide.dll)
for f in "$hostsim" "$sheet" "$slide"; do
  [ -f "$f" ] || { echo "missing ${f:-an add-in library}: build the $arch preset first" >&2; exit 1; }
done

interactive=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then interactive=1; fi
ensure_display
trap stop_display EXIT
ensure_prefix $arch
regsvr $arch "$(find_dll $arch HostSimTestAddin.dll)" /u
regsvr $arch "$(find_dll $arch HostSimTestAddin.dll)" /u /n /i:user
regsvr $arch "$sheet"
regsvr $arch "$slide"

demo=$root/build/demo
mkdir -p "$demo"
if [ $interactive -eq 1 ]; then
  # One host after the other: their windows would cover each other.
  wine_log "the spreadsheet host is open: try the tabs, then close its window"
  wine "$hostsim" --host sheet --version 14.0 --open "Budget 2025.xlsx,Sales Q3.xlsx,Inventory.xlsx,Forecast.xlsx"
  wine_log "the presentation host is open: try the tabs, then close its windows"
  wine "$hostsim" --host slide --version 14.0 --open "Product launch.pptx,Quarterly review.pptx,Onboarding.pptx"
  wine_log "the spreadsheet host 16.0 (one frame per workbook) is open: close its windows to end"
  wine "$hostsim" --host sheet --version 16.0 --open "Budget 2025.xlsx,Sales Q3.xlsx,Forecast.xlsx"
  exit 0
fi

rm -f "$demo"/*.bmp "$demo"/*.png
# Version 14 of both hosts, then the spreadsheet host's version 16 with one
# frame per workbook window.
for run in "sheet 14.0 sheet" "slide 14.0 slide" "sheet 16.0 sheet16"; do
  read -r host version script <<<"$run"
  wine_log "$host host $version"
  # At 96 dpi whatever the prefix was left at (a test run at another
  # resolution keeps it): the screenshots in docs/ are.
  wine "$hostsim" --host $host --version $version --dpi 96 --script tools/hostsim/demo/$script.hs --screenshot "$demo" \
    --timeout 120 >"$demo/$script.txt" 2>&1 || { cat "$demo/$script.txt" >&2; exit 1; }
done
for bmp in "$demo"/*.bmp; do
  case $(basename "$bmp") in
    # Frames side by side fill the screen's width.
    sheet16-*) crop=1280x700+0+0 ;;
    # The strip and what opens from it, without the empty sheet below.
    tabs-unsaved.bmp) crop=820x80+40+120 ;;
    tabs-tooltip.bmp) crop=820x110+40+120 ;;
    tabs-list.bmp) crop=1140x230+40+120 ;;
    *) crop=1080x720+0+0 ;;
  esac
  convert "$bmp" -crop "$crop" +repage "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Screenshots of the add-ins at work:"
ls "$demo"/*.png
