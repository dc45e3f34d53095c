#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_image: small valid pictures of every kind the readers
take, two pictures in a row, and broken ones (truncated, lying sizes, runs past the picture). JPEG seeds need
cjpeg (libjpeg-turbo-progs); they are skipped without it."""
import os
import shutil
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def bmp(width, height, bits, pixel_data, compression=0, palette=(), header_size=40, masks=()):
    extra = len(masks) * 4 if header_size == 40 else 0
    pixel_offset = 14 + header_size + extra + len(palette) * 4
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression,
                       len(pixel_data), 0, 0, len(palette), 0)
    if header_size > 40:
        m = list(masks) + [0] * (4 - len(masks))
        info += struct.pack("<IIII", *m) + bytes(header_size - 56)
    else:
        info += b"".join(struct.pack("<I", m) for m in masks)
    pal = b"".join(struct.pack("<I", c) for c in palette)
    body = info + pal + pixel_data
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, pixel_offset) + body


def rows(width, height, bytes_per_pixel, value):
    stride = (width * bytes_per_pixel + 3) // 4 * 4
    return b"".join((value(y) * width)[: width * bytes_per_pixel].ljust(stride, b"\0") for y in range(height))


def scans_of(data):
    """A libjpeg progressive file as its header and its scans, each with the tables before it."""
    at, start, units = 2, None, []
    while data[at + 1] != 0xD9:
        marker, (length,) = data[at + 1], struct.unpack(">H", data[at + 2 : at + 4])
        if marker in (0xC4, 0xDA) and start is None:
            start = at
        at += 2 + length
        if marker == 0xDA:  # the entropy-coded data runs to the next marker
            while data[at] != 0xFF or data[at + 1] == 0 or 0xD0 <= data[at + 1] <= 0xD7:
                at += 1
            units.append(data[start:at])
            start = None
    return data[: data.index(units[0])], units


def many_scans(cjpeg, ppm, tmp, refined):
    """A progressive JPEG of one DC scan, every AC coefficient of every component in a scan of
    its own (less one bit), and the first `refined` of those refined by that bit. cjpeg takes
    at most 100 scans a script: the scans are made by several scripts and spliced."""
    ac = [(c, k) for c in range(3) for k in range(1, 64)]
    first = [f"{c}: {k} {k} 0 1;\n" for c, k in ac]

    def run(lines):
        script = os.path.join(tmp, "scans.txt")
        with open(script, "w") as f:
            f.write("0 1 2: 0 0 0 0;\n" + "".join(lines))
        return scans_of(subprocess.run([cjpeg, "-scans", script, ppm], check=True, capture_output=True).stdout)

    header, units = run(first[:99])
    units += run(first[99:])[1][1:]
    for at in range(0, refined, 49):
        chunk = range(at, min(at + 49, refined))
        units += run([first[i] for i in chunk] + [f"{ac[i][0]}: {ac[i][1]} {ac[i][1]} 1 0;\n" for i in chunk])[1][
            1 + len(chunk) :]
    return header + b"".join(units) + b"\xff\xd9"


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)
    write("rgb24.bmp", bmp(5, 3, 24, rows(5, 3, 3, lambda y: bytes([y * 40, 255, 0]))))
    write("argb32.bmp", bmp(4, -2, 32, rows(4, 2, 4, lambda y: bytes([1, 2, 3, 128]))))
    write("masked32.bmp", bmp(2, 2, 32, rows(2, 2, 4, lambda y: bytes([9, 8, 7, 6])), 3, (), 108,
                              (0xFF0000, 0xFF00, 0xFF, 0xFF000000)))
    write("rgb565.bmp", bmp(3, 2, 16, rows(3, 2, 2, lambda y: bytes([0xE0, 0x07])), 3, (), 40,
                            (0xF800, 0x07E0, 0x001F)))
    write("mono1.bmp", bmp(9, 2, 1, bytes([0xA5, 0x80, 0, 0, 0x5A, 0, 0, 0]), 0, (0, 0xFFFFFF)))
    write("pal4.bmp", bmp(3, 2, 4, bytes([0x12, 0x30, 0, 0, 0x21, 0x00, 0, 0]), 0, (0, 0xFF, 0xFF00, 0xFF0000)))
    write("pal8.bmp", bmp(2, 2, 8, bytes([0, 1, 0, 0, 1, 0, 0, 0]), 0, (0x102030, 0x405060)))
    write("rle8.bmp", bmp(4, 2, 8, bytes([4, 1, 0, 0, 0, 3, 0, 1, 0, 0, 1, 1, 0, 1]), 1, (0, 0xFF)))
    write("rle4.bmp", bmp(4, 2, 4, bytes([4, 0x12, 0, 0, 0, 2, 1, 0, 2, 0x33, 0, 1]), 2, (0, 0xFF, 0xFF00, 0xFF0000)))
    write("rle8-past.bmp", bmp(4, 2, 8, bytes([9, 1, 0, 1]), 1, (0, 0xFF)))
    # 16384 x 16384 in run-length codes: four rows of runs, then moves up to the end
    # mark (a sliver of the picture painted); and the four rows alone, cut before the mark.
    runs = (bytes([255, 1]) * 64 + bytes([0, 0])) * 4
    write("rle8-sliver-16384.bmp", bmp(16384, 16384, 8, runs + bytes([0, 2, 0, 255]) * 63 + bytes([0, 1]), 1,
                                        (0, 0xFF)))
    write("rle8-cut-16384.bmp", bmp(16384, 16384, 8, runs, 1, (0, 0xFF)))
    write("truncated.bmp", bmp(64, 64, 24, rows(64, 64, 3, lambda y: b"\x10\x20\x30"))[:300])
    write("lying-size.bmp", bmp(30000, 30000, 32, b"\0" * 64))
    write("overflow.bmp", bmp(65536, 65536, 32, b"\0" * 16))
    write("header-only.bmp", b"BM" + b"\0" * 12)
    rgb24 = bmp(5, 3, 24, rows(5, 3, 3, lambda y: bytes([y * 40, 255, 0])))
    pal8 = bmp(2, 2, 8, bytes([0, 1, 0, 0, 1, 0, 0, 0]), 0, (0x102030, 0x405060))
    write("two-pictures.bmp", rgb24 + pal8)
    write("zero-size-field.bmp", pal8[:2] + bytes(4) + pal8[6:] + rgb24)
    write("empty.bin", b"")
    write("text.txt", b"not a picture\n")
    write("data-stream.bin", struct.pack("<ii", 2, 1) + b"\x01\x02\x03\x04\x05\x06\x07\x08")
    write("data-lying.bin", struct.pack("<ii", 1000, 1000) + b"\0" * 8)

    cjpeg = shutil.which("cjpeg")
    if cjpeg:
        with tempfile.TemporaryDirectory() as tmp:
            ppm = os.path.join(tmp, "in.ppm")
            with open(ppm, "wb") as f:
                f.write(b"P6 16 16 255\n" + b"".join(bytes([x * 16, y * 16, 128]) for y in range(16) for x in range(16)))
            for name, args in (("baseline.jpg", []), ("progressive.jpg", ["-progressive"]),
                               ("gray.jpg", ["-grayscale"])):
                data = subprocess.run([cjpeg, *args, ppm], check=True, capture_output=True).stdout
                write(name, data)
                if name == "progressive.jpg":
                    progressive = data
            base = subprocess.run([cjpeg, ppm], check=True, capture_output=True).stdout
            write("truncated.jpg", base[: len(base) // 2])
            write("corrupt.jpg", base[:200] + bytes(b ^ 0x55 for b in base[200:400]) + base[400:])
            write("many-scans.jpg", many_scans(cjpeg, ppm, tmp, 189))  # 379 scans
            arithmetic = subprocess.run([cjpeg, "-arithmetic", ppm], check=True, capture_output=True).stdout
            # Small files whose frame header claims 16384 x 16384 pixels.
            for name, data, marker in (("claims-16384.jpg", base, b"\xff\xc0"),
                                       ("progressive-claims-16384.jpg", progressive, b"\xff\xc2"),
                                       ("arithmetic-claims-16384.jpg", arithmetic, b"\xff\xc9"),
                                       ("scans-256-claims-16384.jpg", many_scans(cjpeg, ppm, tmp, 66), b"\xff\xc2")):
                frame = data.index(marker)
                write(name, data[: frame + 5] + struct.pack(">HH", 16384, 16384) + data[frame + 9 :])

if __name__ == "__main__":
    main()
