#!/usr/bin/env bash
# Start-up time (fork to main window mapped) and resident memory one second later, for
# veltrane and for a bare Qt Widgets program showing the same picture, alternated in one run
# under Xvfb with openbox. Prints the medians and their ratios.
# usage: bench/startup/run.sh [RUNS]     (default 10; needs xvfb and openbox)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-10}
scripts/setup-deps xvfb openbox libx11-dev

cmake --preset release -DVELTRANE_TESTS=OFF >/dev/null
cmake --build --preset release -j "$(nproc)" --target veltrane veltrane_bare_window veltrane_startup_probe >/dev/null
bin=build/release
probe=$bin/bench/startup/veltrane_startup_probe
bare=$bin/bench/startup/veltrane_bare_window
cp content/images/0.jpg "$(dirname "$bare")/0.jpg"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
results=$(mktemp)
for _ in $(seq "$runs"); do
  echo "veltrane $(DISPLAY=$display "$probe" "$bin/src/app/veltrane")" >>"$results"
  echo "bare $(DISPLAY=$display "$probe" "$bare")" >>"$results"
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
print(f"start to window mapped (median): veltrane {v_ms:.1f} ms, bare {b_ms:.1f} ms, ratio {v_ms / b_ms:.2f} (target <= 1.5)")
print(f"resident memory after 1 s (median): veltrane {v_kb:.0f} KiB, bare {b_kb:.0f} KiB, ratio {v_kb / b_kb:.2f} (target <= 1.25)")
PY
