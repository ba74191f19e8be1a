#!/usr/bin/env bash
# Compiles the block scan for 32-bit x86, as Debian's i386 port builds it (i686, no SSE2) and
# with SSE2. Exits 77, which the test counts as skipped, where the compiler has no 32-bit headers.
# usage: block-scan-i686.sh CXX SOURCE_DIR
set -euo pipefail
cxx=$1
src=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/veltrane-i686-XXXXXX")
trap 'rm -rf "$scratch"' EXIT

if ! echo '#include <string>' | "$cxx" -m32 -std=c++20 -x c++ -fsyntax-only - 2>/dev/null; then
  echo "$cxx has no 32-bit C++ headers here (Debian: g++-multilib)"
  exit 77
fi
for target in "-march=i686" "-march=i686 -msse2"; do
  echo "$cxx -m32 $target"
  # Compiled, not just parsed: an intrinsic the target lacks only fails when code is made.
  # shellcheck disable=SC2086
  "$cxx" -m32 $target -std=c++20 -Wall -Wextra -Wshadow -Werror -I"$src/src" \
    -c -o "$scratch/BlockScan.o" "$src/src/content/BlockScan.cpp"
done
