#!/usr/bin/env bash
# Sets up, builds and starts Velmaris with the stand-in host and demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "The Velmaris main window is not built yet; there is nothing to run."
echo "Run scripts/setup-and-test.sh to build and test what exists."
