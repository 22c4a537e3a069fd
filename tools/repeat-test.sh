#!/bin/sh
# Runs `make test` N times in a row and counts the runs that passed, to show
# that a failure is not rare but gone (no run is retried).  Each run's log is
# kept in LOG_DIR (default build/repeat-test).
#
#   tools/repeat-test.sh N [LOG_DIR]
set -u
runs=${1:?usage: tools/repeat-test.sh N [LOG_DIR]}
logs=${2:-build/repeat-test}
mkdir -p "$logs"
passed=0
i=1
while [ "$i" -le "$runs" ]; do
    if make test >"$logs/run-$i.log" 2>&1; then
        passed=$((passed + 1))
        echo "run $i: passed"
    else
        echo "run $i: FAILED (see $logs/run-$i.log)"
    fi
    i=$((i + 1))
done
echo "$passed passed, $((runs - passed)) failed"
[ "$passed" -eq "$runs" ]
