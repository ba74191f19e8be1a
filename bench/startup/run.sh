#!/usr/bin/env bash
# Start-up time (fork to main window mapped) and resident memory one second later, for
# veltrane and for a bare Qt Widgets program showing the same picture, alternated in one run
# under Xvfb with openbox. Prints the medians, their ratios and the targets.
# usage: bench/startup/run.sh [RUNS]     (default 10; installs xvfb, openbox, x11-utils, dbus)
# Builds in its own folder, build/startup, so no preset's build changes; everything else it
# makes is removed on exit.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-10}
scripts/setup-deps xvfb openbox x11-utils dbus-daemon libx11-dev

bin=build/startup
cmake -S . -B "$bin" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DVELTRANE_TESTS=OFF \
  -DVELTRANE_BENCHMARKS=ON >/dev/null
cmake --build "$bin" -j "$(nproc)" --target veltrane veltrane_bare_window veltrane_startup_probe \
  >/dev/null
probe=$bin/bench/startup/veltrane_startup_probe
bare=$bin/bench/startup/veltrane_bare_window
picture=$(dirname "$bare")/0.jpg

scratch=$(mktemp -d "${TMPDIR:-/tmp}/veltrane-startup-XXXXXX")
xvfb=""
wm=""
bus=""
cleanup() {
  for pid in $wm $bus $xvfb; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch" "$picture"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The bare program loads the picture from beside itself.
cp content/images/0.jpg "$picture"

# Xvfb picks a free display and writes its number once it accepts connections.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
if ! read -r -t 30 number <"$scratch/display"; then
  echo "Xvfb did not start:" >&2
  cat "$scratch/xvfb.log" >&2
  exit 1
fi
export DISPLAY=:$number

# openbox is managing windows once it has put its check window on the root window.
openbox >"$scratch/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 200); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
  if ! kill -0 "$wm" 2>/dev/null; then
    echo "openbox stopped:" >&2
    cat "$scratch/openbox.log" >&2
    exit 1
  fi
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; then
  echo "openbox did not take the display in 10 s" >&2
  exit 1
fi

# A session bus of the run's own, as a desktop has: without one Qt starts one for the display,
# which outlives the run.
bus_info=$(dbus-daemon --session --address="unix:path=$scratch/bus" --fork --print-address=1 \
  --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=${bus_info%%$'\n'*}
bus=${bus_info##*$'\n'}
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
  export XDG_RUNTIME_DIR=$scratch/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
results=$scratch/results
for _ in $(seq "$runs"); do
  echo "veltrane $("$probe" "$bin/src/app/veltrane")" >>"$results"
  echo "bare $("$probe" "$bare")" >>"$results"
done

python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def median(name, col):
    return statistics.median(float(r[col]) for r in rows if r[0] == name)
v_ms, b_ms = median("veltrane", 1), median("bare", 1)
v_kb, b_kb = median("veltrane", 2), median("bare", 2)
n = sum(1 for r in rows if r[0] == "veltrane")
print(f"runs: {n} each")
print(f"start to window mapped (median): veltrane {v_ms:.1f} ms, bare {b_ms:.1f} ms, ratio {v_ms / b_ms:.3f} (target <= 1.10)")
print(f"resident memory after 1 s (median): veltrane {v_kb:.0f} KiB, bare {b_kb:.0f} KiB, ratio {v_kb / b_kb:.3f} (target <= 1.10)")
PY
