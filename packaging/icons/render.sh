#!/usr/bin/env bash
# Renders the committed PNG icons from the SVG, so building needs no SVG renderer.
# Needs rsvg-convert (Debian package librsvg2-bin): scripts/setup-deps librsvg2-bin
set -euo pipefail
cd "$(dirname "$0")"
name=io.github.veltrane.Veltrane
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png "$name.svg" \
    --output "${size}x${size}/$name.png"
done
