#!/usr/bin/env bash
# Runs the fuzz harnesses of a clang build made with -DSORVAN_FUZZ=ON, each
# target for a while, from the seed corpora that tools/fuzz_corpora.py made.
# A crash, a sanitizer report or a harness's own finding ends that run with
# an error; the script then fails, after every run has ended, and the input
# that led to it is kept in <work>/findings/.
#
# usage: tools/fuzz.sh BUILD CORPORA WORK SECONDS JOBS [harness-target ...]
#   e.g. tools/fuzz.sh build-fuzz build-fuzz/corpora build-fuzz/runs 60 4
# Without targets every target of every harness runs.
set -euo pipefail

build=$1 corpora=$2 work=$3 seconds=$4 jobs=$5
shift 5

all_targets=(
  project
  import-tap-blocks import-eclipse-tap import-prefixed-text import-keyword-text import-inf-asc
  import-numbered-files import-vamas import-npl import-two-column-binding
  import-two-column-binding-reversed import-two-column-kinetic-reversed import-two-column-kinetic
  import-spx-experiment import-pcf import-transmission-function
  tables-line-positions tables-auger-parameters tables-sensitivity-factors tables-doublets
  settings-presetting settings-language settings-region-names settings-satellites
  settings-doublet-table settings-line-positions settings-sensitivity-factors
  settings-transmission-parameters settings-auger-list settings-parameter-set
)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi

mkdir -p "$work/findings" "$work/logs"
# Every save syncs its files and folders; on a memory file system that costs
# nothing, so the runs' program folders go there where there is one.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch=$(mktemp -d /dev/shm/sorvan-fuzz.XXXXXX); else scratch=$work/tmp; fi
trap 'rm -rf "$scratch"' EXIT
build=$(cd "$build" && pwd) corpora=$(mkdir -p "$corpora" && cd "$corpora" && pwd) work=$(cd "$work" && pwd)

# One run: "<harness>-<target>" runs fuzz_<harness> with SORVAN_FUZZ_TARGET=<target>.
run_one() {
  local name=$1 harness target
  harness=${name%%-*}
  target=${name#*-}
  [ "$target" = "$name" ] && target=""
  local corpus="$work/corpus/$name"
  mkdir -p "$corpus" "$scratch/$name"
  if [ -d "$corpora/$name" ]; then cp -n "$corpora/$name"/* "$corpus"/ 2>/dev/null || true; fi
  local status=0
  TMPDIR="$scratch/$name" SORVAN_FUZZ_TARGET="$target" QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$harness" "$corpus" -max_total_time="$seconds" -timeout=60 -max_len=131072 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$work/findings/$name-" \
    >"$work/logs/$name.log" 2>&1 || status=$?
  rm -rf "${scratch:?}/$name"
  local runs
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/logs/$name.log" | grep -o '[0-9]*$' || echo "?")
  if [ "$status" -ne 0 ]; then
    echo "FINDING  $name ($seconds s, ${runs:-?} runs): see $work/logs/$name.log"
    grep -E '^==[0-9]+==ERROR|^==== fuzz finding|runtime error|SUMMARY' "$work/logs/$name.log" | head -5 || true
    return 1
  fi
  echo "ok       $name ($seconds s, ${runs:-?} runs)"
}
export -f run_one
export build corpora work seconds scratch

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}
