#!/usr/bin/env bash
# Sets everything up, builds, and starts Corvane.exe under Wine on the current display
# (or on a private Xvfb display when there is none). Wine here runs the 64-bit build of the
# same sources; see README.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export WINEDEBUG=-all WINEARCH=win64
if [ -z "${DISPLAY:-}" ]; then
  source scripts/wine-env.sh
  trap wine_env_stop EXIT
  wine_env_start
fi
wine build/win64/bin/Corvane.exe "$@"
