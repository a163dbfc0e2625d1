#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; exits non-zero on any failure.
# Usage: scripts/test.sh [release|debug|asan]   (KESTROVA_WERROR=ON turns warnings into errors)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
preset=${1:-release}
ensure_packages
configure_and_build "$preset"
ctest --preset "$preset" -j "$(nproc)"
