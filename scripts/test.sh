#!/usr/bin/env bash
# Sets up, then builds and runs the whole suite twice: a normal build with warnings as errors,
# and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
# With --fast: only the release build's unit and window tests, for daily work.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
if [ "${1:-}" = --fast ]; then
    "$top/scripts/build.sh" release
    exec ctest --test-dir "$top/build/release" --output-on-failure --parallel "$(nproc)" \
        --timeout 300 -L 'unit|window'
fi
status=0
for kind in release sanitize; do
    echo "=== $kind build"
    "$top/scripts/build.sh" "$kind"
    # Installing the package changes the machine: done as root (CI) or when asked for.
    if [ "$kind" = release ] && { [ "$(id -u)" -eq 0 ] || [ -n "${VEXLO_PACKAGE_TEST:-}" ]; }; then
        echo "=== the Debian package, installed and started"
        "$top/scripts/package-test.sh" || status=1
    fi
    ctest --test-dir "$top/build/$kind" --output-on-failure --parallel "$(nproc)" \
        --timeout 300 || status=1
done
exit $status
