#!/usr/bin/env bash
# Installs what is missing, builds the optimised program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages
configure_and_build release
exec build/release/kestrova
