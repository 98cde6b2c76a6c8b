#!/usr/bin/env bash
# Builds the plug-in and minihost and starts minihost with the plug-in on the built-in demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXOL_TESTS=OFF -DVEXOL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

demo="$PWD/build/demo"
mkdir -p "$demo/public"
if [ -x "$build/bin/vexol-demo-data" ]; then
  "$build/bin/vexol-demo-data" "$demo" >/dev/null
fi
mkdir -p "$demo/public/Vantrel4/Templates/vexol"
[ -f data/Report.xsl ] && cp data/Report.xsl "$demo/public/Vantrel4/Templates/vexol/Report.xsl"
export VANTREL_PUBLIC_DOCUMENTS="$demo/public"

args=(--plugins "$PWD/$build/bin" --profile "$demo/profile.txt")
[ -f "$demo/vantrel.db" ] && args+=(--db "$demo/vantrel.db")

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display; starting minihost offscreen and choosing the plug-in's menu item once."
  QT_QPA_PLATFORM=offscreen "$build/bin/minihost" "${args[@]}" --trigger "Данные/Расчёты/Dvinar" --print-state --quit
  exit 0
fi
echo "run: minihost with the plug-in; choose Данные → Расчёты → Dvinar."
exec "$build/bin/minihost" "${args[@]}"
