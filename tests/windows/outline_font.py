#!/usr/bin/env python3
"""Copies a TrueType font without its embedded bitmap strikes (EBDT, EBLC,
EBSC, BDF), so that every size is drawn from the outlines. Wine's Tahoma
carries bitmaps for small sizes whose glyphs Qt draws cut off at the left
under Wine; Windows' own Tahoma has none.
Usage: outline_font.py IN.ttf OUT.ttf   (standard library only)"""
import struct
import sys

DROPPED = {b"EBDT", b"EBLC", b"EBSC", b"BDF "}


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(f">{len(data) // 4}I", data)) & 0xFFFFFFFF


def main():
    font = open(sys.argv[1], "rb").read()
    version, count = struct.unpack_from(">IH", font, 0)
    tables = []
    for i in range(count):
        tag, _, offset, length = struct.unpack_from(">4sIII", font, 12 + 16 * i)
        if tag not in DROPPED:
            tables.append((tag, font[offset:offset + length]))
    tables.sort()
    count = len(tables)
    power = 1 << (count.bit_length() - 1)
    header = struct.pack(">IHHHH", version, count, power * 16, power.bit_length() - 1, count * 16 - power * 16)
    offset = len(header) + 16 * count
    directory, body = b"", b""
    head_at = None
    for tag, data in tables:
        if tag == b"head":
            data = data[:8] + b"\0\0\0\0" + data[12:]  # checkSumAdjustment, set below
            head_at = offset
        directory += struct.pack(">4sIII", tag, checksum(data), offset, len(data))
        padded = data + b"\0" * (-len(data) % 4)
        body += padded
        offset += len(padded)
    out = bytearray(header + directory + body)
    if head_at is not None:
        struct.pack_into(">I", out, head_at + 8, (0xB1B0AFBA - checksum(bytes(out))) & 0xFFFFFFFF)
    open(sys.argv[2], "wb").write(out)


if __name__ == "__main__":
    main()
