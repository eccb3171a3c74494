#!/usr/bin/env bash
# Sets up, builds and starts one program of the family: DateVexlo unless another is named.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-DateVexlo}
"$top/scripts/setup.sh"
"$top/scripts/build.sh" release
exec "$top/build/release/bin/$program"
