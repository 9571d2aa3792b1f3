#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. The groups marked for the
# sanitizers run first, each in a build folder of its own; the full run comes last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

bash scripts/build.sh build

# label, sanitizer, target
for pass in "sanitize address sanitizer_tests" "tsan thread tsan_tests"; do
    read -r label sanitizer target <<<"$pass"
    if ctest --test-dir build -N -L "$label" | grep -q 'Total Tests: [1-9]'; then
        cmake -S . -B "build-$sanitizer" -G Ninja -DZARVO_SANITIZE="$sanitizer" >/dev/null
        cmake --build "build-$sanitizer" --target "$target"
        ctest --test-dir "build-$sanitizer" -L "$label" --output-on-failure -j "$jobs"
    fi
done

ctest --test-dir build --output-on-failure -j "$jobs"
