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
alive() { [ -n "${1#*:}" ] && [ "$(started "${1%%:*}")" = "${1#*:}" ]; }
# run_tracked COMMAND...: runs it as a tracked child and waits for it, so
# that a stop is heard at once (bash holds a trap back until a command in
# the foreground ends) and takes the child with it.
run_tracked() {
  "$@" &
  local pid=$!
  track $pid
  wait $pid
}
# TERM first, so that a driver we started (run.sh from the install test)
# cleans up after itself; whatever is left after two seconds is killed.
cleanup() {
  local entry any
  for entry in "${PIDS[@]}"; do
    alive "$entry" && kill -TERM "${entry%%:*}" 2>/dev/null || true
  done
  for _ in $(seq 1 40); do
    any=0
    for entry in "${PIDS[@]}"; do
      if alive "$entry" && ! grep -q '^State:.*Z' "/proc/${entry%%:*}/status" 2>/dev/null; then any=1; fi
    done
    [ "$any" -eq 1 ] || break
    sleep 0.05
  done
  for entry in "${PIDS[@]}"; do
    alive "$entry" && kill -9 "${entry%%:*}" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
# Stopped (a test's timeout, Ctrl-C): end what we started, then ourselves.
trap 'exit 143' TERM
trap 'exit 130' INT
