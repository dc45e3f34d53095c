#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_nodestream: node streams that read cleanly (empty, flat,
nested, a 255-byte text, twins, equal checksums) and broken ones (truncated, lying sizes
and counts, component data, an unknown flag, nesting past the limit)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def record(text, children, flag=0, size=None):
    text = text.encode("latin-1")
    return struct.pack("<iiB", len(text) + 5 if size is None else size, children, len(text)) + text + \
        struct.pack("<i", flag)


def stream(roots, *records):
    return struct.pack("<i", roots) + b"".join(records)


def main():
    os.makedirs(OUT, exist_ok=True)
    deep = stream(1, *[record("d", 1) for _ in range(300)])
    seeds = {
        "empty-forest.bin": stream(0),
        "flat.bin": stream(3, record("A", 0), record("B", 0), record("C", 0)),
        "nested.bin": stream(2, record("A", 2), record("B", 1), record("D", 0), record("C", 0), record("M", 0)),
        "long-text.bin": stream(1, record("x" * 255, 0)),
        "twins.bin": stream(2, record("X", 1), record("Y", 0), record("X", 1), record("Y", 0)),
        "equal-crc.bin": stream(2, record("plumless", 0), record("buckeroo", 0)),
        "empty-texts.bin": stream(2, record("", 1), record("", 0), record("", 0)),
        "truncated.bin": stream(2, record("A", 0), record("B", 0))[:-1],
        "short-record.bin": stream(1, record("A", 0, size=4)),
        "text-past-record.bin": stream(1, record("ABCD", 0, size=6)),
        "huge-root-count.bin": stream(0x7FFFFFFF, record("A", 0)),
        "negative-child-count.bin": stream(1, record("A", -5)),
        "component.bin": stream(1, record("A", 0, flag=1)) + b"TPF0",
        "unknown-flag.bin": stream(1, record("A", 0, flag=9)),
        "too-deep.bin": deep,
        "no-bytes.bin": b"",
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
