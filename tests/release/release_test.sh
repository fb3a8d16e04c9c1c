#!/usr/bin/env bash
# Unpacks the portable zip into a fresh folder, then runs the release tests under Wine.
# Usage: release_test.sh WINE_RUN RELEASE_TESTS_EXE PORTABLE_ZIP INSTALLER
set -euo pipefail
wine_run=$1 tests=$2 zip=$3 installer=$4
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
unzip -q "$zip" -d "$folder/Varkam portable"
"$wine_run" "$tests" "$installer" "$folder/Varkam portable"
