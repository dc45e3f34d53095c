#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_pathtree: item streams that read cleanly (empty, flat,
nested, a 255-byte text, twins, equal checksums, with an expanded-state stream after
them), broken ones (truncated, lying sizes and counts), and indented text forms."""
import struct
from pathlib import Path

OUT = Path(__file__).resolve().parent / "corpus"


def record(text, children, size=None, images=(0, 0, -1, -1), data=0):
    text = text.encode("latin-1")
    return struct.pack("<i4iiiB", len(text) + 25 if size is None else size, *images, data, children,
                       len(text)) + text


def stream(roots, *records):
    return struct.pack("<i", roots) + b"".join(records)


def expanded(*flags):
    return struct.pack("<i", len(flags)) + bytes(flags)


def main():
    OUT.mkdir(exist_ok=True)
    nested = stream(2, record("A", 2), record("B", 1), record("D", 0), record("C", 0), record("M", 0))
    seeds = {
        "empty.bin": stream(0),
        "flat.bin": stream(3, record("A", 0), record("B", 0), record("C", 0, images=(1, 2, 3, 4))),
        "nested.bin": nested,
        "nested-expanded.bin": nested + expanded(1, 1, 0, 0, 0),
        "expanded-short.bin": nested + struct.pack("<i", 5) + b"\x01",
        "long-text.bin": stream(1, record("x" * 255, 0)),
        "twins.bin": stream(2, record("X", 1), record("Y", 0), record("X", 1), record("Y", 0)),
        "equal-crc.bin": stream(2, record("plumless", 0), record("buckeroo", 0)),
        "empty-texts.bin": stream(2, record("", 1), record("", 0), record("", 0)),
        "data-value.bin": stream(1, record("A", 0, data=0x12345678)),
        "deep.bin": stream(1, *[record("d", 1) for _ in range(400)], record("end", 0)),
        "truncated.bin": stream(2, record("A", 0), record("B", 0))[:-1],
        "short-record.bin": stream(1, record("A", 0, size=24)),
        "text-past-record.bin": stream(1, record("ABCD", 0, size=27)),
        "huge-root-count.bin": stream(0x7FFFFFFF, record("A", 0)),
        "negative-child-count.bin": stream(1, record("A", -5)),
        "text-form.txt": b"a\r\n\tb\r\n\t\tc\r\n\td\r\ne\r\n",
        "text-form-spaces.txt": b"a\n b\n  c\nd",
        "text-form-bad-level.txt": b"a\n\t\tdeep\n",
        "paths-empty-levels.txt": b"/a//b\n//a/b\n/a/b//\na//b\n//\n/\n/a/b/c\n",
        "no-bytes.bin": b"",
    }
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
