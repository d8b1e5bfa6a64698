# Sourced by the benchmark scripts: a virtual screen and private folders for
# the per-user store, the host registry and the stand-in host, all removed
# again when the script ends. Sets `build`, `runs`, `work` and `version`, the
# version the build runs as the per-user store names it.
set -euo pipefail
build=$(realpath "${1:-build}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\)\.\([0-9]*\)\.\([0-9]*\)$/\1\2\3/p' \
    "$build/CMakeCache.txt")
runs=${2:-$default_runs}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/virtual-screen.sh"
start_virtual_screen 1280x800x24
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime VELMARIS_HOST_REGISTRY=$work/registry.reg
export HOST_STANDIN_JOURNAL=$work/journal.jsonl
mkdir -p "$XDG_CONFIG_HOME/Velmaris" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
