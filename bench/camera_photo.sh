# Sourced by the benchmark scripts; needs $root (the checkout) and $work (a scratch directory).
# make_camera_photo OUT: one photo-like 4000x3000 JPEG of about 4.5 MB: noise enlarged twice
# (smooth, yet far from flat), then an Exif APP1 taken from a camera file in place of cjpeg's
# JFIF header.
make_camera_photo() {
    local out=$1
    { printf 'P6 1000 750 255\n'; head -c 2250000 /dev/urandom; } | cjpeg -quality 95 |
        djpeg -scale 16/8 -pnm | cjpeg -quality 95 | djpeg -scale 16/8 -pnm |
        cjpeg -quality 92 -optimize >"$work/plain.jpg"
    python3 - "$root/tests/data/exif/canon_40d.jpg" "$work/plain.jpg" "$out" <<'EOF'
import sys
camera, plain = (open(path, 'rb').read() for path in sys.argv[1:3])
out = sys.argv[3]
def segment(data, code):
    i = 2
    while i + 4 <= len(data) and data[i] == 0xFF:
        length = data[i + 2] << 8 | data[i + 3]
        if data[i + 1] == code:
            return data[i:i + 2 + length], i, i + 2 + length
        i += 2 + length
    raise SystemExit('segment not found')
app1 = segment(camera, 0xE1)[0]
_, start, end = segment(plain, 0xE0)
open(out, 'wb').write(plain[:2] + app1 + plain[end:])
EOF
}
