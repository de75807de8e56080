#!/usr/bin/env python3
"""Writes the report page file fixtures beside this script.

good/   files that open: the expected pages are the minimal metafiles made by
        emf(page) below, which the C++ test helper builds the same way.
broken/ files that must fail to open; each NAME.arp has NAME.expect holding a
        phrase the error must contain.

The coder here is a second, independent writing of the splay-tree code, so
the coded fixture also checks the C++ decoder against it.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def emf(page, comment=b""):
    """A minimal metafile: header (108 bytes), an optional comment, end of file."""
    records = b""
    if comment:
        padded = comment + b"\0" * (-len(comment) % 4)
        records += struct.pack("<III", 70, 12 + len(padded), len(comment)) + padded
    eof = struct.pack("<IIIII", 14, 20, 0, 16, 20)
    total = 108 + len(records) + len(eof)
    header = struct.pack("<II4i4iIIIIHHIIIii ii III ii".replace(" ", ""),
                         1, 108,
                         0, 0, 815 + page, 1055,          # rclBounds
                         0, 0, 21590, 27940,              # rclFrame, 0.01 mm
                         0x464D4520, 0x10000, total, 2 + (1 if comment else 0),
                         1, 0, 0, 0, 0,
                         816, 1056, 216, 279,             # szlDevice, szlMillimeters
                         0, 0, 0,
                         215900, 279400)
    assert len(header) == 108
    return header + records + eof


class Splay:
    def __init__(self):
        self.up = [0] + [(i - 1) // 2 for i in range(1, 513)]
        self.left = [2 * i + 1 for i in range(256)]
        self.right = [2 * i + 2 for i in range(256)]

    def splay(self, c):
        up, left, right = self.up, self.left, self.right
        a = c + 256
        while a != 0:
            p = up[a]
            if p == 0:
                a = 0
                continue
            g = up[p]
            s = left[g]
            if s == p:
                s = right[g]
                right[g] = a
            else:
                left[g] = a
            if left[p] == a:
                left[p] = s
            else:
                right[p] = s
            up[a] = g
            up[s] = p
            a = g


def code(data):
    t = Splay()
    bits = []
    for c in data:
        path = []
        a = c + 256
        while a != 0:
            p = t.up[a]
            path.append(1 if t.right[p] == a else 0)
            a = p
        bits.extend(reversed(path))
        t.splay(c)
    out = bytearray((len(bits) + 7) // 8)
    for i, b in enumerate(bits):
        if b:
            out[i // 8] |= 1 << (i % 8)
    return bytes(out)


def header(count, coded=False, fmt=3, version=305, flag=None):
    h = bytearray(128)
    struct.pack_into("<HH4xi4xd", h, 0, fmt, version, count, 46000.5)
    h[25] = (1 if coded else 0) if flag is None else flag
    return bytes(h)


def page_file(bodies, coded=False, count=None):
    out = bytearray(header(len(bodies) if count is None else count, coded))
    offsets = []
    for n, body in enumerate(bodies, 1):
        start = len(out)
        offsets.append(start)
        stored = struct.pack("<i", len(body)) + code(body) if coded else body
        out += struct.pack("<ii", n, start + 8 + len(stored) + 4) + stored + struct.pack("<i", start)
    return bytearray(out), offsets


def put(folder, name, data, expect=None):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    with open(os.path.join(HERE, folder, name + ".arp"), "wb") as f:
        f.write(data)
    if expect is not None:
        with open(os.path.join(HERE, folder, name + ".expect"), "w") as f:
            f.write(expect + "\n")


def main():
    three = [emf(1), emf(2, b"second page"), emf(3, b"third")]
    plain, offsets = page_file(three)
    put("good", "three-pages", plain)
    put("good", "three-pages-coded", page_file(three, coded=True)[0])
    put("good", "zero-pages", header(0))

    put("broken", "empty", b"", "is empty")
    put("broken", "short-header", header(1)[:60], "too few for the header")
    put("broken", "not-an-arp", b"This is a plain text file, not a report page file.\n" * 4,
        "is not an Accrua report file")
    put("broken", "unknown-coding", header(0, flag=7), "unknown body coding")
    put("broken", "truncated", plain[:offsets[2] + 40], "page 3")
    put("broken", "count-larger-than-records", page_file(three, count=5)[0], "its header counts 5 pages")
    put("broken", "negative-page-count", page_file(three, count=-2)[0], "negative")
    put("broken", "trailing-bytes", plain + b"\0" * 16, "follow the last")

    looping = bytearray(plain)
    struct.pack_into("<i", looping, offsets[1] + 4, 128)  # page 2's next offset back to page 1
    put("broken", "looping-offsets", looping, "loop")

    beyond = bytearray(plain)
    struct.pack_into("<i", beyond, offsets[0] + 4, 10_000_000)
    put("broken", "next-offset-beyond-file", beyond, "beyond the end")

    body_long = bytearray(plain)
    struct.pack_into("<I", body_long, offsets[1] + 8 + 48, len(three[1]) + 400)
    put("broken", "body-beyond-record", body_long, "the record holds")

    own = bytearray(plain)
    end2 = offsets[2] - 4
    struct.pack_into("<i", own, end2, 999)
    put("broken", "bad-own-offset", own, "own offset")

    sig = bytearray(plain)
    sig[offsets[0] + 8 + 40] ^= 0xFF
    put("broken", "not-a-metafile", sig, "Enhanced Metafile")

    coded, coffsets = page_file(three, coded=True)
    huge = bytearray(coded)
    struct.pack_into("<i", huge, coffsets[0] + 8, 0x7FFFFFF0)
    put("broken", "coded-length-too-large", huge, "coded length")

    # A length the coded bytes could at most reach at one bit per byte, but
    # this code needs more: the decoder runs out of input.
    short = bytearray(coded)
    available = coffsets[1] - coffsets[0] - 16
    struct.pack_into("<i", short, coffsets[0] + 8, available * 8)
    put("broken", "coded-body-too-short", short, "ends before")


if __name__ == "__main__":
    main()
