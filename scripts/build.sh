#!/usr/bin/env bash
# Configures and builds into build/<kind>: "release" (warnings are errors) or "sanitize"
# (AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
case "$kind" in
    release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXLO_WERROR=ON) ;;
    sanitize) flags=(-DCMAKE_BUILD_TYPE=Debug -DVEXLO_WERROR=ON -DVEXLO_SANITIZE=ON) ;;
    *) echo "usage: $0 [release|sanitize]" >&2; exit 2 ;;
esac
cmake -S "$top" -B "$top/build/$kind" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$top/build/$kind" --parallel "$(nproc)"
