#!/usr/bin/env bash
# What a player installs, checked as installed.
#   install_test.sh tree BUILD_DIR VERSION ICON_FILE
#     cmake --install --strip into a scratch prefix: every file in its place,
#     the desktop entry, metainfo and manual pages valid, each icon a sharp
#     magnification of the game's own icon (ICON_FILE, the .ico it embeds),
#     all six small; then the install manifest takes every file away again.
#   install_test.sh deb BUILD_DIR VERSION TOOL XHELPER
#     the Debian package made by CPack: lintian finds no error and no
#     hardening to add, SDL2 is among its dependencies, and the game unpacked
#     from it (dpkg -x) reaches the title under Xvfb (the SDL end-to-end case
#     title_pixels).
#   install_test.sh reproducible BUILD_DIR VERSION SOURCE_DIR GENERATOR CXX [BUILD_TYPE]
#     the package of BUILD_DIR and that of a fresh build of the same sources
#     in another folder, made at another time, are the same bytes.
#   install_test.sh notes README NOTES
#     the README's "## Versions" holds the notes made from dist/releases.txt
#     (NOTES), as the package's changelog does; skipped while it has none.
set -euo pipefail

CASE=$1
BUILD=$2
VERSION=$3
APP_ID=org.pinwick.Pinwick
ICON_SIZES="16 32 48 64 128 256"
HERE=$(dirname "${BASH_SOURCE[0]}")

WORK_PREFIX=pinwick-install
source "$HERE/../sdl/common.sh"

fail() {
  echo "FAIL ($CASE): $*" >&2
  exit 1
}

# need TOOL...: fails naming the first program that is missing.
need() {
  local t
  for t in "$@"; do
    command -v "$t" >/dev/null || fail "$t is missing (scripts/install-deps installs it)"
  done
}

# man_clean PAGE: the manual page formats without a warning.
man_clean() {
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null) ||
    fail "man cannot format $1"
  [ -z "$warnings" ] || fail "$1: $warnings"
}

case "$CASE" in
  tree)
    ICON_FILE=$4
    need desktop-file-validate appstreamcli man convert compare
    P=$WORK/prefix
    cmake --install "$BUILD" --prefix "$P" --strip >"$WORK/install.log" ||
      fail "cmake --install: $(cat "$WORK/install.log")"
    # The game on the PATH, the maintainers' tool off it.
    [ ! -e "$P/bin/pinwick-tool" ] || fail "pinwick-tool is on the players' PATH"
    for program in bin/pinwick libexec/pinwick/pinwick-tool; do
      name=$(basename "$program")
      [ -x "$P/$program" ] || fail "no $P/$program"
      [ "$("$P/$program" --version)" = "$name $VERSION" ] || fail "the installed $name is not $VERSION"
      man_clean "$P/share/man/man6/$name.6.gz"
    done
    [ "$(zcat "$P/share/doc/pinwick/changelog.gz" | head -n1)" = "pinwick ($VERSION) unstable; urgency=medium" ] ||
      fail "the changelog does not begin with $VERSION"

    desktop=$P/share/applications/$APP_ID.desktop
    desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
    grep -qx 'Name=Pinwick' "$desktop" || fail "no Name=Pinwick"
    grep -qx 'Categories=Game;BoardGame;' "$desktop" || fail "not in Game;BoardGame;"
    grep -qx "Icon=$APP_ID" "$desktop" || fail "the entry does not name the icon $APP_ID"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$P/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"

    metainfo=$P/share/metainfo/$APP_ID.metainfo.xml
    appstreamcli validate --no-net "$metainfo" >"$WORK/appstream.log" 2>&1 ||
      fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
      fail "the metainfo does not launch $APP_ID.desktop"
    grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metainfo names no MIT licence"
    # No address that never resolves: the screenshots ship with the package.
    ! grep -q 'pinwick\.example' "$metainfo" || fail "the metainfo names pinwick.example"
    for shot in screenshot-title.png screenshot-match.png; do
      [ -f "$P/share/doc/pinwick/screenshots/$shot" ] || fail "no $shot installed"
    done
    grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "no release $VERSION in the metainfo"

    # The 16 and 32 pixel images as the game's icon file holds them, read by
    # ImageMagick's own decoder; every size must be one of them magnified by
    # repeating pixels, see-through corners and all.
    convert "$ICON_FILE[0]" "$WORK/base16.png"
    convert "$ICON_FILE[1]" "$WORK/base32.png"
    for size in $ICON_SIZES; do
      icon=$P/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png
      [ -f "$icon" ] || fail "no $icon"
      if [ $((size % 32)) -eq 0 ]; then base=32; else base=16; fi
      convert "$WORK/base$base.png" -filter point -resize "${size}x${size}" "$WORK/expected$size.png"
      diff=$(compare -metric AE "$icon" "$WORK/expected$size.png" null: 2>&1 || true)
      [ "$diff" = "0" ] || fail "the ${size}x${size} icon is not the $base pixel icon magnified ($diff pixels differ)"
    done
    [ "$(convert "$P/share/icons/hicolor/256x256/apps/$APP_ID.png" -format '%[fx:p{0,0}.a]' info:)" = "0" ] ||
      fail "the icon's corner is not see-through"
    icon_bytes=$(cat "$P"/share/icons/hicolor/*/apps/$APP_ID.png | wc -c)
    [ "$icon_bytes" -lt 16384 ] || fail "the six icons take $icon_bytes bytes; compressed they fit in 16 KB"

    # Uninstalling as the README says leaves no file behind.
    xargs -d '\n' rm -- <"$BUILD/install_manifest.txt" || fail "the install manifest did not remove the files"
    left=$(find "$P" ! -type d)
    [ -z "$left" ] || fail "the install manifest left: $left"
    ;;
  deb)
    TOOL=$4
    XHELPER=$5
    need cpack dpkg-deb dpkg-shlibdeps lintian
    cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
      fail "cpack: $(cat "$WORK/cpack.log")"
    deb=$(ls "$WORK"/package/pinwick_"$VERSION"_*.deb)
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
    # lintian warns when run as root; that says nothing about the package.
    status=0
    lintian --fail-on error -EvIL +pedantic "$deb" >"$WORK/lintian.log" 2>&1 || status=$?
    grep -v -e 'running with root privileges' -e '^N: ' "$WORK/lintian.log" || true
    [ "$status" -eq 0 ] || fail "lintian found errors (status $status)"
    ! grep -q ' hardening-' "$WORK/lintian.log" || fail "lintian finds the programs built without Debian's hardening"
    dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "SDL2 is not among the dependencies: $(dpkg-deb -f "$deb" Depends)"
    dpkg -x "$deb" "$WORK/root"
    game=$WORK/root/usr/games/pinwick
    [ -x "$game" ] || fail "no usr/games/pinwick in the package"
    [ -x "$WORK/root/usr/libexec/pinwick/pinwick-tool" ] && [ ! -e "$WORK/root/usr/games/pinwick-tool" ] ||
      fail "pinwick-tool is not in usr/libexec/pinwick alone"
    run_tracked bash "$HERE/../sdl/run.sh" title_pixels "$game" "$TOOL" "$XHELPER" || fail "the unpacked game did not reach the title"
    ;;
  reproducible)
    SOURCE=$4
    GENERATOR=$5
    CXX_COMPILER=$6
    BUILD_TYPE=${7-}
    need cpack cmp
    cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/first" >"$WORK/cpack.log" 2>&1 ||
      fail "cpack: $(cat "$WORK/cpack.log")"
    # The same sources built again elsewhere, without the tests, which the
    # package does not hold.
    cmake -S "$SOURCE" -B "$WORK/tree" -G "$GENERATOR" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
      -DCMAKE_CXX_COMPILER="$CXX_COMPILER" -DPINWICK_TESTS=OFF -DPINWICK_BENCH=OFF >"$WORK/configure.log" 2>&1 ||
      fail "configuring the second tree: $(tail -n 20 "$WORK/configure.log")"
    cmake --build "$WORK/tree" -j 2 >"$WORK/build.log" 2>&1 || fail "building the second tree: $(tail -n 20 "$WORK/build.log")"
    cpack --config "$WORK/tree/CPackConfig.cmake" -B "$WORK/second" >"$WORK/cpack.log" 2>&1 ||
      fail "cpack: $(cat "$WORK/cpack.log")"
    first=$(ls "$WORK"/first/pinwick_"$VERSION"_*.deb)
    second=$(ls "$WORK"/second/pinwick_"$VERSION"_*.deb)
    if ! cmp "$first" "$second"; then
      mkdir -p "$BUILD/package-differs"
      cp "$first" "$BUILD/package-differs/first.deb"
      cp "$second" "$BUILD/package-differs/second.deb"
      fail "two packages of one commit differ (both kept in $BUILD/package-differs)"
    fi
    ;;
  notes)
    README=$BUILD
    NOTES=$3
    if ! grep -qx '## Versions' "$README"; then
      echo "skipped: $README has no \"## Versions\" section yet"
      exit 0
    fi
    section=$(awk '/^## Versions$/ { inside = 1; next } /^## / { inside = 0 } inside' "$README")
    [[ "$section" == *"$(cat "$NOTES")"* ]] ||
      fail "the README's \"## Versions\" does not hold the notes made from dist/releases.txt ($NOTES)"
    ;;
  *)
    fail "unknown case"
    ;;
esac
echo "ok: $CASE"
