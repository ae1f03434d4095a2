#!/usr/bin/env bash
# A short pass of every libFuzzer target, each over a scratch copy of its seed corpus.
#
#   tools/fuzz_pass.sh [BUILD_FOLDER]        (default: build-fuzz, made by the preset "fuzz")
#
# Every fuzz/fuzz_<name>.cpp must have its program BUILD_FOLDER/fuzz/fuzz_<name> and its
# seeds in fuzz/corpus/fuzz_<name>/. The committed seeds are copied to
# BUILD_FOLDER/fuzz-pass/<target>/corpus and only that copy grows; the log of each target
# and whatever it finds (crash-*, leak-*, timeout-*, oom-*) lie beside it. The pass fails when any target ends with a crash, a leak, undefined behaviour,
# a timeout or too much memory, or when a target or its seeds are missing.
#
# Environment:
#   FUZZ_SECONDS   time each target fuzzes after its seeds ran (default 60)
#   FUZZ_RUNS      also stop a target after this many inputs (default: no limit)
#   FUZZ_SEED      libFuzzer's random seed (default 1, so a run can be repeated)
#   FUZZ_TIMEOUT   seconds one input may take before it counts as a hang (default 10)
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
seed=${FUZZ_SEED:-1}
timeout=${FUZZ_TIMEOUT:-10}

for n in "$seconds" "$seed" "$timeout"; do
    [[ $n =~ ^[0-9]+$ ]] || { echo "fuzz_pass: FUZZ_SECONDS, FUZZ_SEED and FUZZ_TIMEOUT take whole numbers" >&2; exit 2; }
done
[[ $runs =~ ^-?[0-9]+$ ]] || { echo "fuzz_pass: FUZZ_RUNS takes a whole number" >&2; exit 2; }

# Stack traces with the undefined behaviour, not just its line.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# AddressSanitizer keeps freed memory in a quarantine to catch late uses; with millions of small
# inputs a minute it can grow past libFuzzer's 2 GB memory limit although the live heap is a few
# megabytes. A smaller quarantine keeps the pass about real memory use.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}

shopt -s nullglob
sources=(fuzz/fuzz_*.cpp)
if ((${#sources[@]} == 0)); then
    echo "fuzz_pass: no fuzz/fuzz_*.cpp found" >&2
    exit 1
fi

work="$build/fuzz-pass"
rm -rf "$work"
mkdir -p "$work" || exit 1
work=$(cd "$work" && pwd)

echo "fuzz pass: ${seconds} s per target, seed $seed, timeout ${timeout} s per input, work folder $work"
failed=()
for src in "${sources[@]}"; do
    target=$(basename "$src" .cpp)
    program="$build/fuzz/$target"
    seeds="fuzz/corpus/$target"
    dir="$work/$target"
    log="$dir/$target.log"
    mkdir -p "$dir/corpus"
    if [ ! -x "$program" ]; then
        printf '  %-18s FAILED: %s was not built\n' "$target" "$program"
        failed+=("$target")
        continue
    fi
    seedfiles=("$seeds"/*)
    if ((${#seedfiles[@]} == 0)); then
        printf '  %-18s FAILED: no seeds in %s\n' "$target" "$seeds"
        failed+=("$target")
        continue
    fi
    cp -- "${seedfiles[@]}" "$dir/corpus/"
    start=$SECONDS
    # No standard input: a target that reads it would wait forever.
    "$program" -seed="$seed" -max_total_time="$seconds" -runs="$runs" -timeout="$timeout" \
        -print_final_stats=1 -artifact_prefix="$dir/" "$dir/corpus" </dev/null >"$log" 2>&1
    rc=$?
    took=$((SECONDS - start))
    units=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -n1 | cut -d' ' -f2)
    grown=$(find "$dir/corpus" -type f | wc -l)
    findings=("$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*)
    if ((rc != 0 || ${#findings[@]} != 0)); then
        printf '  %-18s FAILED (exit %d) after %d s\n' "$target" "$rc" "$took"
        # The sanitizer's or libFuzzer's report, else the end of the log.
        first=$(grep -nE '^==[0-9]+==ERROR|runtime error:|^==[0-9]+== ERROR: libFuzzer|^ALARM:|out-of-memory' "$log" | head -n1 | cut -d: -f1)
        echo "---- $log"
        if [ -n "$first" ]; then sed -n "${first},\$p" "$log"; else tail -n 40 "$log"; fi | head -n 80 | sed 's/^/    /'
        echo "----"
        for f in "${findings[@]}"; do echo "    found: $f   (replay: $program $f)"; done
        failed+=("$target")
    else
        printf '  %-18s ok  %4d s  %9s inputs  cov %-5s  corpus %d -> %d\n' \
            "$target" "$took" "${units:-?}" "${cov:-?}" "${#seedfiles[@]}" "$grown"
    fi
done

if ((${#failed[@]})); then
    echo "fuzz pass FAILED: ${failed[*]}"
    exit 1
fi
echo "fuzz pass: ${#sources[@]} targets ran clean"
