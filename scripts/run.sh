#!/usr/bin/env bash
# Builds Rowsmith and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    # No desktop session: run on a virtual screen.
    exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/rowsmith
fi
exec ./build/rowsmith
