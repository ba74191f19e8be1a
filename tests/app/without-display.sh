#!/usr/bin/env bash
# The program run as a script would run it: no X or Wayland display, no Qt platform chosen.
# Usage: without-display.sh PATH/TO/veltrane
set -uo pipefail
program=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
run() {  # expected status, then the arguments; leaves out/err behind
  local want=$1; shift
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$scratch" \
        "$program" "$@" 2>"$scratch/err"); got=$?
  err=$(cat "$scratch/err")
  [ "$got" -eq "$want" ] || fail "veltrane $* ended with $got, not $want: $err"
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run 0 --version
grep -Eqx 'veltrane [0-9]+\.[0-9]+\.[0-9]+' <<<"$out" || fail "--version printed '$out'"
run 0 --help
grep -q -- '--print' <<<"$out" || fail "--help does not mention --print"

# The shipped problems of SEO, then one of the user's own among them.
run 0 --list --niche 0 --subniche 2
shipped=$(grep -c '' <<<"$out")
[ "$shipped" -ge 10 ] || fail "--list printed $shipped problems"
mkdir -p "$scratch/veltrane/niches/0/2"
printf '[PROBLEM]\r\nMine.\r\n\r\n[FREE]\r\nF: f\r\n\r\n[PAID]\r\nP: p\r\n' \
  >"$scratch/veltrane/niches/0/2/AAA My Own.txt"
run 0 --list --niche "internet marketing" --subniche seo
[ "$(head -n 1 <<<"$out")" = "AAA My Own" ] || fail "the user's problem is not listed first"
run 0 --print --niche 0 --subniche 2 --problem "AAA My Own"
grep -q '^Mine\.$' <<<"$out" || fail "--print lacks the user's problem text"
[ -z "$err" ] || fail "--print wrote to standard error: $err"

run 0 --search "aaa MY own"
[ "$out" = "$(printf '0\t2\tAAA My Own')" ] || fail "--search printed '$out'"
run 1 --search "zzqxv"
[ -z "$out$err" ] || fail "a search that finds nothing printed '$out$err'"

run 1 --print --niche 0 --subniche 2 --problem "No Such Problem"
run 2 --niche 9
grep -q 'Personal Finance' <<<"$err" || fail "an unknown niche does not list the choices"
run 1
grep -q 'no display' <<<"$err" || fail "no display: '$err'"
[ "$(grep -c '' <<<"$err")" -eq 1 ] || fail "no display: more than one line: $err"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
