#!/usr/bin/env bash
# Makes the Debian package of the build folder given, unpacks it with dpkg -x into a scratch root
# and runs the installed programs from there: --help without a display, the demo through
# dvinar-batch with the template and component table the first run puts in place, and minihost
# finding the plug-in in its installed plug-in folder.
set -euo pipefail
build="$1"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/dvinar-package-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

fail() { echo "package test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
debs=("$scratch"/out/*.deb)
[ -f "${debs[0]}" ] || fail "no .deb was made"
deb="${debs[0]}"
echo "package test: made $(basename "$deb")"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "package test: Depends: $depends"
for needed in libqt6widgets6 libsqlite3 libxslt1.1 libicu libnetcdf; do
  [[ "$depends" == *"$needed"* ]] || fail "the dependencies lack $needed"
done
[[ "$depends" != *Fitral* && "$depends" != *vexol* ]] || fail "the package depends on its own libraries"

root="$scratch/root"
dpkg -x "$deb" "$root"
bin="$(dirname "$(find "$root" -path '*/bin/dvinar-batch' -type f)")"
[ -x "$bin/dvinar-batch" ] || fail "dvinar-batch is not installed"
for tool in minihost vexol-demo-data vantrel-import; do
  [ -x "$bin/$tool" ] || fail "$tool is not installed"
  [ -f "$root/usr/share/man/man1/$tool.1.gz" ] || fail "no manual page for $tool"
done
[ -f "$root/usr/share/applications/dvinar-minihost.desktop" ] || fail "no desktop entry"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/dvinar-minihost.png" ] || fail "no icon"
zcat "$root/usr/share/man/man1/dvinar-batch.1.gz" | grep -q 'Exit codes' || fail "the manual page of dvinar-batch lacks its help text"

# No display and no platform: --help must not need one.
help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_LIBRARY_PATH "$bin/dvinar-batch" --help)"
[[ "$help" == *"usage: dvinar-batch"* ]] || fail "dvinar-batch --help: $help"
help="$(env -u LD_LIBRARY_PATH "$bin/vantrel-import" --help)"
[[ "$help" == *"usage: vantrel-import"* ]] || fail "vantrel-import --help: $help"
help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_LIBRARY_PATH "$bin/minihost" --help)"
[[ "$help" == *"usage: minihost"* ]] || fail "minihost --help: $help"

# The demo through dvinar-batch, with nothing but the installed tree and an empty public folder.
public="$scratch/public"
mkdir -p "$public"
"$bin/vexol-demo-data" "$scratch/demo" >/dev/null
rm -rf "$scratch/demo/public"
env -u LD_LIBRARY_PATH VANTREL_PUBLIC_DOCUMENTS="$public" "$bin/dvinar-batch" --db "$scratch/demo/vantrel.db" \
  --ids 1,2,3,4,5,6,7,8 --dev-control --report "$scratch/report.html" --json "$scratch/result.json" \
  || fail "the demo through dvinar-batch failed"
[ -f "$public/Vantrel4/Templates/vexol/Report.xsl" ] || fail "the first run did not put the template in place"
cmp -s "$public/Vantrel4/vexol/CompsTableVexol.csv" "$root/usr/share/dvinar/CompsTableVexol.csv" \
  || fail "the first run did not put the sample component table in place"
grep -q '<html' "$scratch/report.html" || fail "the report is no HTML document"
grep -q 'Изобутанол' "$scratch/result.json" || fail "the result lacks the demo's components"

# minihost finds the plug-in in the installed plug-in folder on its own.
state="$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen HOME="$scratch/home" VANTREL_PUBLIC_DOCUMENTS="$public" \
         "$bin/minihost" --profile "$scratch/profile.txt" --print-state --quit)" || fail "minihost failed: $state"
[[ "$state" == *"plugin: vexol"* ]] || fail "minihost did not load the plug-in: $state"
[[ "$state" == *"menu: Данные/Расчёты/Dvinar"* ]] || fail "the plug-in's menu item is missing: $state"
echo "package test: the installed tree works"
