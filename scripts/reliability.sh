#!/usr/bin/env bash
# The reliability suites at their full counts (the test step runs them briefly): every program
# started 200 times with garbage in its settings, four Vexlos, two Pellums and DateVexlo saving
# beside store writers for 30 s, and a writer killed 100 times mid-save; then the in-process ones.
# Uses the sanitizer build, so that a fault shows as a report and not only as a crash.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" sanitize
bin="$top/build/sanitize/bin"
export ASAN_OPTIONS=detect_leaks=0 TZ=America/New_York LANG=C.UTF-8
VEXLO_GARBAGE_RUNS=${VEXLO_GARBAGE_RUNS:-200} \
    VEXLO_CONCURRENT_SECONDS=${VEXLO_CONCURRENT_SECONDS:-30} "$bin/reliability_program_tests"
VEXLO_KILL_RUNS=${VEXLO_KILL_RUNS:-100} QT_QPA_PLATFORM=offscreen "$bin/reliability_store_tests"
QT_QPA_PLATFORM=offscreen "$bin/reliability_window_tests"
