#!/usr/bin/env bash
# The main job: builds the release programs and runs the headless demo against the simulated
# dam wall, leaving the project-station, training file, cycle files and screen pictures in
# OUTPUT_FOLDER (default demo-output). Exits with the demo's code.
#   scripts/demo.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-demo-output}"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target VigilStation basic-mode-sim vigil-results

status=0
build/release/src/app/VigilStation --demo "$out" --sim sim/scenarios/dam-wall.json || status=$?
echo
[ -d "$out" ] || exit "$status"
echo "The demo's files are in $(cd "$out" && pwd):"
echo "  Station/ Training/ Data/   project-station, training file, cycle files, results.sqlite"
echo "  office/                    the stick imported by vigil-results: CSV, GeoJSON, report"
echo "  device/Removable Disk/     the USB stick with the downloaded cycle files"
echo "  screens/                   pictures of the screens"
exit "$status"
