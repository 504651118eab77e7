#!/usr/bin/env bash
# Renders the application icon into the PNG sizes of the hicolor theme (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    convert -background none -density 300 org.tolmena.Tolmena.svg -resize "${size}x${size}" \
        -depth 8 "hicolor/${size}x${size}/apps/org.tolmena.Tolmena.png"
done
