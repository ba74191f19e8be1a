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

# Standard output that cannot take the output. A full disk or a closed descriptor is said;
# a reader that went away (head) is not. Big.txt outgrows a pipe, so head leaves mid-output.
big=$(head -c 300000 /dev/zero | tr '\0' x)
printf '[PROBLEM]\r\n%s\r\n\r\n[FREE]\r\nF\r\n\r\n[PAID]\r\nP\r\n' "$big" \
  >"$scratch/veltrane/niches/0/2/Big.txt"
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$scratch" "$program" "$@"; }
unwritable() {  # how standard output is set, the status wanted ("any" but 0), message or quiet, arguments
  local how=$1 want=$2 says=$3 got; shift 3
  case $how in
    full) bare "$@" >/dev/full 2>"$scratch/err"; got=$? ;;
    closed) bare "$@" >&- 2>"$scratch/err"; got=$? ;;
    full-sigpipe-ignored) (trap '' PIPE; bare "$@" >/dev/full 2>"$scratch/err"); got=$? ;;
    pipe) bare "$@" 2>"$scratch/err" | head -c 1 >/dev/null; got=${PIPESTATUS[0]} ;;
    pipe-sigpipe-ignored)
      (trap '' PIPE; bare "$@" 2>"$scratch/err" | head -c 1 >/dev/null; exit "${PIPESTATUS[0]}"); got=$? ;;
  esac
  err=$(cat "$scratch/err")
  [ "$got" -ne 0 ] && { [ "$want" = any ] || [ "$got" -eq "$want" ]; } ||
    fail "veltrane $* >$how ended with $got, not $want"
  if [ "$says" = message ]; then
    grep -q '^veltrane: could not write to standard output: .' <<<"$err" || fail "veltrane $* >$how said '$err'"
  elif [ -n "$err" ]; then fail "veltrane $* >$how: not quiet: $err"; fi
}
unwritable full 1 message --version
unwritable full 1 message -h
unwritable full 1 message --list
unwritable full 1 message --print --niche 0 --subniche 2 --problem "AAA My Own"
unwritable full 1 message --print --niche 0 --subniche 2 --problem Big
unwritable full-sigpipe-ignored 1 message --print --niche 0 --subniche 2 --problem Big
unwritable closed 1 message --print --niche 0 --subniche 2 --problem Big
unwritable pipe any quiet --print --niche 0 --subniche 2 --problem Big
unwritable pipe-sigpipe-ignored any quiet --print --niche 0 --subniche 2 --problem Big
run 0 --search "aaa MY own"
[ "$out" = "$(printf '0\t2\tAAA My Own')" ] || fail "--search printed '$out'"
run 1 --search "zzqxv"
[ -z "$out$err" ] || fail "a search that finds nothing printed '$out$err'"

run 1 --print --niche 0 --subniche 2 --problem "No Such Problem"
run 2 --niche 9
grep -q 'Personal Finance' <<<"$err" || fail "an unknown niche does not list the choices"
run 0 --list
grep -qx $'5\tCtrl+6\tPersonal Finance' <<<"$out" || fail "--list does not list the niches: '$out'"
run 1
grep -q 'no display' <<<"$err" || fail "no display: '$err'"
[ "$(grep -c '' <<<"$err")" -eq 1 ] || fail "no display: more than one line: $err"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
