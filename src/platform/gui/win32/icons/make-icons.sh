#!/usr/bin/env bash
# Makes the Windows icon files of this folder from the pictures in
# ../../qt/icons (run by hand after a picture changes; the results are
# committed). Needs ImageMagick's `convert`.
set -euo pipefail
cd "$(dirname "$0")"
pictures=../../qt/icons
convert "$pictures"/app-icon-{16,24,32,40,48,64,96,128}.png app-icon.ico
for n in $(seq 0 10); do
  convert "$pictures/toolbar-$n.png" "toolbar-$n.ico"
done
