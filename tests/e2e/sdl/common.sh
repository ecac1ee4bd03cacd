# Shared by the SDL end-to-end tests and the resource bench: a private work
# folder and runtime directory, silent audio, and cleanup of exactly the
# processes the script started. Source it after setting WORK_PREFIX.
WORK=$(mktemp -d "/tmp/${WORK_PREFIX}.XXXXXX")
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy
PIDS=()
# track PID: remembers a process we started, with its start time, so that
# cleanup never kills a process that merely got the same number later.
track() { PIDS+=("$1:$(started "$1")"); }
started() { awk '{print $22}' "/proc/$1/stat" 2>/dev/null || true; }
cleanup() {
  local entry pid
  for entry in "${PIDS[@]}"; do
    pid=${entry%%:*}
    [ -n "${entry#*:}" ] && [ "$(started "$pid")" = "${entry#*:}" ] && kill -9 "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
