#!/usr/bin/env bash
# Sets up, builds and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
cmake --preset checked
cmake --build build -j "$(nproc)"
exec build/app/dorvek "$@"
