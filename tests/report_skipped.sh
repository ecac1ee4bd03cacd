#!/usr/bin/env bash
# Lists the tests of the last ctest run in BUILD_DIR that skipped, each with
# the reason it gave (its output line "skipped: ..."), so that a check this
# machine could not run is seen in make test's summary and not passed over.
#   report_skipped.sh BUILD_DIR
set -uo pipefail
log=$1/Testing/Temporary/LastTest.log
[ -f "$log" ] || exit 0
awk '
  /^[0-9]+\/[0-9]+ Testing: / { name = $3; next }
  /^skipped: / && name != "" { sub(/^skipped: /, ""); print "skipped " name ": " $0; name = "" }
' "$log"
