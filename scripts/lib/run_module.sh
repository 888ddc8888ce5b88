# Sourced: running the simulated switch and the module without a display.

# start_sim <qmx-sim> <model> <workdir> [<address> [<option>...]]: starts the
# simulated switch in the background (on 127.0.0.1 unless told another
# address, with the further options given) and waits until it answers; sets
# sim_pid and sim_port.
# The caller stops it (kill "$sim_pid") when done.
start_sim() {
  local program="$1" model="$2" workdir="$3" address="${4:-127.0.0.1}"
  shift $(($# < 4 ? $# : 4))
  "$program" --model "$model" --listen "$address" "$@" >"$workdir/sim.out" 2>"$workdir/sim.err" &
  sim_pid=$!
  sim_port=""
  for _ in $(seq 1 300); do
    sim_port=$(sed -n 's/.*answering on .*:\([0-9][0-9]*\) .*/\1/p' "$workdir/sim.out")
    [ -n "$sim_port" ] && return 0
    if ! kill -0 "$sim_pid" 2>/dev/null; then
      cat "$workdir/sim.err" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "the simulated switch did not answer" >&2
  return 1
}

# shoot_panel <folder> <screenshot> <workdir> <module> <line>: runs the module
# from <folder> under Xvfb until it has saved its window after the first
# polling cycle; fails when no screenshot was saved.
shoot_panel() {
  local folder="$1" shot="$2" workdir="$3"
  shift 3
  rm -f "$shot"
  (cd "$folder" && XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$workdir}" QMX_SCREENSHOT="$shot" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@" >/dev/null)
  [ -f "$shot" ] || { echo "no screenshot was saved" >&2; return 1; }
}
