#!/usr/bin/env bash
# Builds the fuzz configuration (clang, every library instrumented) in
# build-fuzz/ and runs the fuzzers for a bounded time each:
#   scripts/fuzz.sh [skin|picture|all] [seconds per fuzzer, default 600] [workers, default 1]
# Each fuzzer starts from the seed corpus made from our own skins and keeps
# what it finds in build-fuzz/corpus/<fuzzer>; crashes, leaks, timeouts and
# allocations beyond 512 MiB are written to build-fuzz/findings/<fuzzer>/.
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
seconds=${2:-600}
workers=${3:-1}
dir=build-fuzz

if ! command -v clang++ >/dev/null; then
    sudo apt-get install -y clang
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARVO_FUZZ=ON >/dev/null

run() {
    local name=$1 target=$2 seeds=$3
    cmake --build "$dir" --target "$target" fuzz_seed_corpora -j4
    local corpus=$dir/corpus/$name findings=$dir/findings/$name
    mkdir -p "$corpus" "$findings"
    local log=$dir/fuzz-$name.log
    echo "fuzzing $name for ${seconds}s with $workers worker(s); log in $log"
    local jobs=()
    if [ "$workers" -gt 1 ]; then
        jobs=(-fork="$workers" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
    fi
    set +e
    "$dir/$(find "$dir" -name "$target" -type f -printf '%P\n' | head -n1)" \
        "$corpus" "$dir/fuzz-seeds/$seeds" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
        -artifact_prefix="$findings/" -print_final_stats=1 "${jobs[@]}" 2>&1 | tee "$log" | grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' | tail -n 3
    set -e
    grep -E 'stat::number_of_executed_units|Done [0-9]+ runs|cov: [0-9]+|^==[0-9]+==ERROR|SUMMARY' "$log" | tail -n 4
    echo "findings: $(find "$findings" -type f | wc -l) file(s) in $findings"
}

case $which in
    skin) run skin skin_loader_fuzz skin ;;
    picture) run picture picture_reader_fuzz picture ;;
    all) run skin skin_loader_fuzz skin; run picture picture_reader_fuzz picture ;;
    *) echo "usage: scripts/fuzz.sh [skin|picture|all] [seconds] [workers]" >&2; exit 2 ;;
esac
