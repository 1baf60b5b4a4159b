#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test inside a private network
# namespace that has nothing but loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
CTEST=(ctest --test-dir "$BUILD_DIR" --output-on-failure -j 2 --timeout 600 -LE bench)
if unshare --net true 2>/dev/null; then
    unshare --net sh -c 'ip link set lo up && exec "$@"' sh "${CTEST[@]}"
else
    echo "!!! unshare --net was refused: running the tests in the host's network namespace." >&2
    echo "!!! Every test binds loopback addresses only." >&2
    "${CTEST[@]}"
fi
