#!/usr/bin/env bash
# Builds the fuzz configuration (clang, every library instrumented) in
# build-fuzz/ and runs the fuzzers for a bounded time each:
#   scripts/fuzz.sh [skin|picture|all] [seconds per fuzzer, default 600] [parallel workers, default 1]
# Each fuzzer starts from the seed corpus made from our own skins and keeps
# what it finds in build-fuzz/corpus/<fuzzer>; crashes, leaks, timeouts and
# allocations beyond 512 MiB are written to build-fuzz/findings/<fuzzer>/,
# the fuzzer's output to build-fuzz/logs/<fuzzer>/.
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
seconds=${2:-600}
workers=${3:-1}
dir=$PWD/build-fuzz

if ! command -v clang++ >/dev/null; then
    sudo apt-get install -y clang
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARVO_FUZZ=ON >/dev/null

# name, target, seed folder, longest input (a packed skin's ini text is
# reached through the few kilobytes of a compressed skin).
run() {
    local name=$1 target=$2 seeds=$3 maxlen=$4
    cmake --build "$dir" --target "$target" fuzz_seed_corpora -j4
    local corpus=$dir/corpus/$name findings=$dir/findings/$name logs=$dir/logs/$name
    rm -rf "$logs"
    mkdir -p "$corpus" "$findings" "$logs"
    local program
    program=$(find "$dir" -name "$target" -type f -perm -u+x | head -n1)
    echo "fuzzing $name for ${seconds}s with $workers worker(s); output in $logs"
    set +e
    (cd "$logs" && "$program" "$corpus" "$dir/fuzz-seeds/$seeds" \
        -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
        -artifact_prefix="$findings/" -print_final_stats=1 -jobs="$workers" -workers="$workers" \
        >"$logs/main.log" 2>&1)
    set -e
    # Each worker writes fuzz-<n>.log (main.log repeats them); a single one only main.log.
    local outputs=("$logs"/fuzz-*.log)
    [ -e "${outputs[0]}" ] || outputs=("$logs/main.log")
    local executions
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "${outputs[@]}" | awk '{s += $1} END {print s + 0}')
    echo "executions: $executions"
    grep -h -E '^#[0-9]+[[:space:]]+DONE' "${outputs[@]}" | sed 's/^/  /' || true
    echo "corpus: $(find "$corpus" -type f | wc -l) input(s)"
    echo "findings: $(find "$findings" -type f | wc -l) file(s) in $findings"
    grep -h -E '^SUMMARY|^==[0-9]+==ERROR' "${outputs[@]}" | sort | uniq -c || true
}

case $which in
    skin) run skin skin_loader_fuzz skin 6000 ;;
    picture) run picture picture_reader_fuzz picture 4096 ;;
    all) run skin skin_loader_fuzz skin 6000; run picture picture_reader_fuzz picture 4096 ;;
    *) echo "usage: scripts/fuzz.sh [skin|picture|all] [seconds] [workers]" >&2; exit 2 ;;
esac
