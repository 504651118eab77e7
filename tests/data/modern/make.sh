#!/usr/bin/env bash
# Remakes the sample files of the HEIF/AVIF, WebP and JPEG XL readers' tests and their reference
# decodings (Debian 12: imagemagick, exiftool, webp 1.2.4, libheif-examples 1.15.1,
# libavif-bin 0.11.1, libjxl-tools 0.7.0). Run in this folder.
set -euo pipefail
# Sources: a 64x48 gradient, the same with an alpha ramp, and a JPEG of it carrying camera Exif
# (orientation 6) as a phone writes it.
convert -size 48x64 gradient:'#ff2000-#0030ff' -rotate 90 -depth 8 PNG24:src-rgb.png
convert src-rgb.png \( -size 64x48 gradient:white-'#202020' \) -alpha off -compose copy_opacity \
    -composite -depth 8 PNG32:src-rgba.png
convert src-rgb.png -quality 92 photo.jpg
exiftool -q -overwrite_original -Make=Tolmena -Model="Test Phone" -Orientation#=6 \
    -DateTimeOriginal="2026:12:08 10:00:00" -ExposureTime=0.01 -FNumber=1.8 photo.jpg
exiftool -q -b -exif photo.jpg >exif.bin
# WebP: lossy with the EXIF chunk, lossless with alpha, a three-frame lossless animation.
cwebp -quiet -q 80 -metadata exif photo.jpg -o lossy.webp
cwebp -quiet -lossless -exact src-rgba.png -o lossless-alpha.webp
convert src-rgb.png -negate PNG24:frame2.png
img2webp -lossless src-rgb.png frame2.png src-rgb.png -o anim.webp >/dev/null 2>&1
rm frame2.png
# The lossy file again with a 132-byte ICC profile (a bare header) beside its Exif.
python3 -c "
import struct
b = bytearray(132); struct.pack_into('>I', b, 0, 132); b[12:24] = b'mntrRGB XYZ '; b[36:40] = b'acsp'
open('test.icc', 'wb').write(bytes(b))"
webpmux -set icc test.icc lossy.webp -o icc.webp >/dev/null
# HEIF and AVIF: HEVC lossy with Exif, a two-image collection, AV1 lossless 4:4:4 with alpha,
# AV1 10-bit 4:4:4 with Exif.
heif-enc -q 90 photo.jpg -o hevc.heic
heif-enc -q 90 src-rgb.png src-rgba.png -o collection.heic
avifenc -l src-rgba.png lossless-alpha.avif >/dev/null
avifenc -d 10 -y 444 --min 10 --max 10 --exif exif.bin src-rgb.png ten-bit.avif >/dev/null
# JPEG XL: lossless with alpha, lossy (distance 1), the JPEG recompressed with its Exif box.
cjxl --quiet -d 0 src-rgba.png lossless-alpha.jxl 2>/dev/null
cjxl --quiet -d 1 src-rgb.png lossy.jxl 2>/dev/null
cjxl --quiet photo.jpg photo.jxl 2>/dev/null
# Reference decodings by each library's own tool.
for f in lossy lossless-alpha; do dwebp -quiet $f.webp -o $f.webp.png; done
for f in hevc collection; do heif-convert $f.heic $f.heic.png >/dev/null; done
for f in lossless-alpha ten-bit; do avifdec $f.avif $f.avif.png >/dev/null; done
for f in lossless-alpha lossy photo; do djxl $f.jxl $f.jxl.png >/dev/null 2>&1; done
# avifenc turned the Exif orientation (6) into an irot property, which avifdec leaves to the
# viewer: the reference is turned as the file says, 90 degrees clockwise.
convert ten-bit.avif.png -rotate 90 ten-bit.avif.png
