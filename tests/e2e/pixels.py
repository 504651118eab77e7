# The e2e scripts' test picture (every pixel distinct), the search for it on the screen and
# the comparisons. Usage: pixels.py bmp OUT | find SCREENSHOT SCALE | same IMAGE
import struct, subprocess, sys

W, H = 64, 48

def colour(x, y):  # every pixel distinct, none black or white
    return (20 + 3 * x, 30 + 4 * y, (7 * x + 13 * y) % 200 + 40)

def row(y, order=1):  # order -1: BGR as BMP stores it
    return b"".join(bytes(colour(x, y)[::order]) for x in range(W))

def write_bmp(path):  # 24 bits, bottom-up; rows of 192 bytes need no padding
    pixels = b"".join(row(y, -1) for y in reversed(range(H)))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + pixels)

def read_image(path):  # any file ImageMagick reads, as (width, height, RGB bytes)
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    fields = ppm.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    return width, height, fields[4][-width * height * 3:]

def shown_at(path, scale):  # top-left of the picture drawn scale times, or None
    width, height, rgb = read_image(path)
    first = bytes(colour(0, 0))
    at = rgb.find(first)
    while at >= 0:
        if at % 3 == 0:
            left, top = at // 3 % width, at // 3 // width
            if left + W * scale <= width and top + H * scale <= height and all(
                    rgb[((top + y) * width + left + x) * 3:][:3] ==
                    bytes(colour(x // scale, y // scale))
                    for y in range(H * scale) for x in range(W * scale)):
                return left, top
        at = rgb.find(first, at + 1)
    return None

def same_picture(path):
    width, height, rgb = read_image(path)
    return (width, height) == (W, H) and rgb == b"".join(row(y) for y in range(H))

command = sys.argv[1]
if command == "bmp":
    write_bmp(sys.argv[2])
elif command == "find":
    found = shown_at(sys.argv[2], int(sys.argv[3]))
    print("%d %d" % found if found else "")
    sys.exit(0 if found else 1)
elif command == "same":
    sys.exit(0 if same_picture(sys.argv[2]) else 1)
