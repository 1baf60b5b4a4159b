#!/usr/bin/env bash
# Installs what is needed, builds, and starts signstudio in a demo workspace
# with a virtual card talking to it over loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
BUILD_DIR=$(realpath "${BUILD_DIR:-build}")
DEMO=${DEMO_DIR:-$HOME/.local/share/signstudio-demo}
PORT=${DEMO_PORT:-8900}
mkdir -p "$DEMO"
if [ ! -f "$DEMO/SetCfg.ini" ]; then
    cat > "$DEMO/SetCfg.ini" <<INI
[CommSet]
CommMode=
CommParam01=
CommParam02=$PORT
[ServerIP]
ServerIP=127.0.0.1
[IsShowMulNetCard]
IsShowMulNetCard=0
[IsShowTips]
IsShowTips=1
[IsOPenSearch]
IsOPenSearch=0
INI
fi
VC_ARGS=(--server 127.0.0.1 --port "$PORT" --udp-address 127.0.0.2 --show --save "$DEMO/virtualcard")
if "$BUILD_DIR/virtualcard/virtualcard" --help 2>/dev/null | grep -q -- '--server'; then
    "$BUILD_DIR/virtualcard/virtualcard" "${VC_ARGS[@]}" &
    VC_PID=$!
    trap 'kill $VC_PID 2>/dev/null || true' EXIT
fi
SIGN_PROGRAM_DIR="$DEMO" "$BUILD_DIR/signstudio/app/signstudio"
