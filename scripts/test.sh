#!/usr/bin/env bash
# Sets everything up, builds, and runs every test program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
ctest --preset win64 "$@"
