#!/usr/bin/env bash
# scripts/install-deps against a make-believe apt: the package lists per
# target, an index that fails to download, a package that cannot be
# installed. apt-get, dpkg, dpkg-query and sudo are stubs on the PATH, so
# nothing on the machine is touched.
#   setup_test.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=$1
work=$2
deps=$source_dir/scripts/install-deps
rm -rf "$work"
mkdir -p "$work/bin"

failed=0
fail() { echo "FAIL $1"; failed=1; }

# --list: play and build need none of the big cross and browser tool chains.
build_list=$("$deps" --list build) || fail "--list build gave status $?"
# Read whole first: grep -q stops at the first match, and with pipefail the
# list, cut off mid-write, would count as failed.
test_list=$("$deps" --list test) || fail "--list test gave status $?"
for big in wine wine32:i386 g++-mingw-w64-i686-posix emscripten chromium; do
  grep -qx -- "$big" <<<"$build_list" && fail "--list build names $big"
  grep -qx -- "$big" <<<"$test_list" || fail "--list test leaves out $big"
done
grep -qx libsdl2-dev <<<"$build_list" || fail "--list build leaves out libsdl2-dev"
"$deps" --list nonsense >/dev/null 2>&1 && fail "--list of an unknown target succeeds"

# The stubs: nothing is installed; apt-get update fails as a mirror in
# mid-sync makes it; apt-get install fails for the names in $work/broken.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
grep -qx -- "$4" "$STUB_DIR/installed" 2>/dev/null && printf 'install ok installed'
exit 0
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/bin/sh
echo i386
STUB
cat >"$work/bin/locale" <<'STUB'
#!/bin/sh
echo ja_JP.utf8
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/bin/sh
exec "$@"
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
case "$1" in
  update) echo "E: Some index files failed to download." >&2; exit 100 ;;
  install)
    shift 2
    for p in "$@"; do
      grep -qx -- "$p" "$STUB_DIR/broken" 2>/dev/null && { echo "E: $p: unmet dependencies" >&2; exit 100; }
    done
    for p in "$@"; do echo "$p" >>"$STUB_DIR/installed"; done
    ;;
esac
exit 0
STUB
chmod +x "$work/bin/"*
export STUB_DIR=$work

run_deps() { PATH="$work/bin:$PATH" "$deps" "$@" >"$work/out" 2>&1; }

# A failed index and an optional package that cannot be had: a warning each, status 0.
echo wine32:i386 >"$work/broken"
: >"$work/installed"
run_deps test || fail "a failed index or a missing wine32 stops the set-up: $(cat "$work/out")"
grep -q "warning: apt-get update" "$work/out" || fail "the failed index is not reported"
grep -q "warning: wine32:i386 cannot be installed" "$work/out" || fail "the missing wine32 is not reported"
grep -qx libsdl2-dev "$work/installed" || fail "the required packages were not installed"

# A required package that cannot be installed: status 1, and named.
echo chromium >"$work/broken"
: >"$work/installed"
run_deps test && fail "an uninstallable chromium passes"
grep -q "cannot be installed: chromium$" "$work/out" || fail "the uninstallable package is not named: $(cat "$work/out")"

# Everything present: apt is not asked at all.
"$deps" --list test >"$work/installed"
rm -f "$work/bin/apt-get"
run_deps test || fail "with everything installed the set-up still runs apt-get"

[ $failed -eq 0 ] && echo "ok   install-deps"
exit $failed
