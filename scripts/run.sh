#!/usr/bin/env bash
# Builds the plug-in and minihost and starts minihost with the plug-in on the built-in demo: the
# demo's host database and chromatograms, its component table and the report template in the
# demo's public documents folder. The plug-in's window is one menu click away
# (Данные → Расчёты → Dvinar); its "+" button offers the demo's chromatograms.
# Without a display the same demo runs through dvinar-batch, and the HTML report's path is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXOL_TESTS=OFF -DVEXOL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

demo="$PWD/build/demo"
public="$demo/public"
mkdir -p "$public"
# The database and the chromatograms are made afresh; the component table and the settings in the
# profile only where missing, so the analyst's edits survive a restart.
"$build/bin/vexol-demo-data" "$demo" >/dev/null
mkdir -p "$public/Vantrel4/Templates/vexol"
cp data/Report.xsl "$public/Vantrel4/Templates/vexol/Report.xsl"
export VANTREL_PUBLIC_DOCUMENTS="$public"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display, so no window can be shown; running the same demo through dvinar-batch."
  # The demo numbers its eight chromatograms 1 to 8 in the host database.
  ids=$(seq -s, 1 8)
  report="$demo/report.html"
  "$build/bin/dvinar-batch" --db "$demo/vantrel.db" --ids "$ids" --dev-control \
    --components "$public/Vantrel4/vexol/CompsTableVexol.csv" \
    --template "$public/Vantrel4/Templates/vexol/Report.xsl" \
    --report "$report" --json "$demo/result.json"
  echo "run: the HTML report is $report (the result as JSON: $demo/result.json)"
  exit 0
fi
echo "run: minihost with the plug-in on the demo; choose Данные → Расчёты → Dvinar, then \"+\" to add the chromatograms."
exec "$build/bin/minihost" --plugins "$PWD/$build/bin" --profile "$demo/profile.txt" --db "$demo/vantrel.db"
