# Shared by the Wine tests and the frame-pacing bench: a fresh Wine prefix set
# up as the game expects it. Source it, start the X server, then call
#   make_wine_prefix DIR LOG
# which makes the prefix in DIR (wineboot's output goes to LOG) and keeps one
# wineserver running for it (stop it with `wineserver -k`). On failure it
# returns 1 with the reason in WINE_PREFIX_ERROR.
make_wine_prefix() {
  local boot_timeout=300 step_timeout=60 r key name value
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    WINE_PREFIX_ERROR="the ja_JP.UTF-8 locale is missing (scripts/install-deps generates it)"
    return 1
  fi
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Shift-JIS as the narrow code page, as on a Japanese Windows.
  export LANG=ja_JP.UTF-8
  export LC_ALL=ja_JP.UTF-8
  timeout "$boot_timeout" wineboot -i >"$2" 2>&1
  r=$?
  if [ "$r" = 124 ]; then
    WINE_PREFIX_ERROR="wineboot did not finish within ${boot_timeout}s"
    return 1
  elif [ "$r" != 0 ]; then
    WINE_PREFIX_ERROR="wineboot failed ($r): $(tail -n 3 "$2")"
    return 1
  fi
  # Keep one wineserver for the whole run; no sound device (the game then runs
  # silent), DirectDraw on GDI, and Wine's own caption with its close box,
  # since there is no window manager.
  timeout 30 wineserver -p || true   # not fatal: wine commands only start slower
  local regs=(
    'HKCU\Software\Wine\Drivers|Audio|'
    'HKCU\Software\Wine\Direct3D|renderer|gdi'
    'HKCU\Software\Wine\X11 Driver|Decorated|N'
  )
  # DirectDraw's blits on the game's own thread: with no GPU, Wine's command
  # stream thread only adds a hand-off to every blit.
  timeout "$step_timeout" wine reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f >/dev/null 2>&1 || {
    WINE_PREFIX_ERROR="could not set HKCU\Software\Wine\Direct3D\csmt"
    return 1
  }
  for r in "${regs[@]}"; do
    IFS='|' read -r key name value <<<"$r"
    timeout "$step_timeout" wine reg add "$key" /v "$name" /t REG_SZ /d "$value" /f >/dev/null 2>&1 || {
      WINE_PREFIX_ERROR="could not set $key\\$name"
      return 1
    }
  done
}
