#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, replays
# every regression case, then runs each target on its seed corpus for a while: the seconds given as
# the first argument (scripts/fuzz.sh 3600 for a long run), else VEXOL_FUZZ_SECONDS, else 20. The
# seeds kept in fuzz/corpus/<target>/ join the generated ones; what a run finds stays in
# build/fuzz/corpus/<target>/, so later runs go on from there. Exits non-zero when a target crashes,
# leaks or breaks its checks; the failing input is left in build/fuzz/artifacts/<target>/ — copy it
# to fuzz/regressions/<target>/ once fixed. Each target's last line reports its executions.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
seconds="${1:-${VEXOL_FUZZ_SECONDS:-20}}"
jobs="${VEXOL_FUZZ_BUILD_JOBS:-2}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEXOL_FUZZ=ON -DVEXOL_TESTS=OFF -DVEXOL_BENCH=OFF -DVEXOL_SANITIZE=ON \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$build" --target vexol_fuzz_targets -j"$jobs"

status=0
for target in chromatogram_parse chromatogram_document andi_read repeatability_limits \
              component_table profile_store report_template; do
  fuzzer="$build/bin/fuzz_$target"
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  if [ -d "fuzz/corpus/$target" ]; then
    cp -f fuzz/corpus/"$target"/* "$corpus"/
  elif [ "$target" = andi_read ]; then
    # The real vendor exports seed it where their folder exists.
    "$build/bin/vexol_andi_fuzz_seeds" "$corpus" "${VEXOL_REAL_ANDI:-$PWD/../shared/real/andi}"
  else
    "$build/bin/vexol_fuzz_seeds" "$target" "$corpus"
  fi

  regressions=(fuzz/regressions/"$target"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "fuzz: $target: replaying ${#regressions[@]} regression case(s)"
    if ! "$fuzzer" "${regressions[@]}" >"$artifacts/regressions.log" 2>&1; then
      echo "fuzz: $target: a regression case fails; see $artifacts/regressions.log" >&2
      status=1
      continue
    fi
  fi

  echo "fuzz: $target: ${seconds}s on $corpus"
  if ! "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="$artifacts/" "$corpus" >"$artifacts/run.log" 2>&1; then
    echo "fuzz: $target: found a failure; see $artifacts/run.log and the crash file in $artifacts/" >&2
    tail -n 30 "$artifacts/run.log" >&2
    status=1
  else
    tail -n 1 "$artifacts/run.log"
  fi
done
exit "$status"
