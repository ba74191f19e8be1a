#!/usr/bin/env bash
# The test server streams 200 chunks a second for 60 s to Veltrane's article window: the main
# window's key response (99th percentile; target 50 ms) and Veltrane's CPU use (target under a
# fifth of one core); then the time from Send to the first character painted, against
# `curl -N`'s time to the first byte from the same server (target: within 5 ms).
# usage: bench/model/run.sh [SECONDS] [RUNS]   (defaults 60 and 20)
# Builds optimised in build/model-bench; everything goes to 127.0.0.1 only.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
runs=${2:-20}
bin=build/model-bench
cmake -S . -B "$bin" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DVELTRANE_TESTS=OFF \
  -DVELTRANE_BENCHMARKS=ON >/dev/null
cmake --build "$bin" -j "$(nproc)" --target veltrane_model_server_tool veltrane_stream_bench \
  >/dev/null

scratch=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkfifo "$scratch/address"
"$bin/bench/model/veltrane_model_server" 200 "$seconds" >"$scratch/address" &
server=$!
read -r base <"$scratch/address"
echo "server: $base, 200 chunks a second for $seconds s"

# curl's time to the first byte of the answer, whose first chunk goes with its head.
body='{"model":"bench","messages":[{"role":"user","content":"Write."}],"stream":true}'
for _ in $(seq "$runs"); do
  curl -N -s -o /dev/null --max-time 1 -w '%{time_starttransfer}\n' \
    -H 'Content-Type: application/json' -d "$body" "$base/chat/completions" || true
done | python3 -c '
import statistics, sys
times = [float(line) * 1000 for line in sys.stdin if line.strip()]
print(f"curl -N, first byte: median {statistics.median(times):.2f} ms ({len(times)} runs)")'

# A keyring of the run's own, as a desktop has: the key lookup is part of Send.
XDG_CONFIG_HOME=$scratch tests/model/with-keyring.sh \
  "$bin/bench/model/veltrane_stream_bench" "$base" "$seconds" "$runs"
echo "targets: key response 99th percentile <= 50 ms; CPU < 20 % of one core;" \
  "first character within 5 ms of curl's first byte"
