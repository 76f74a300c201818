#!/usr/bin/env python3
"""Packs PNG pictures of the icon, one per size, into a Windows .ico file
(PNG-compressed entries, which Windows reads since Vista).
Usage: make_ico.py OUT.ico SIZE.png...   (standard library only)"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    return struct.unpack(">II", data[16:24])


def main():
    out, pictures = sys.argv[1], sys.argv[2:]
    if not pictures:
        sys.exit(__doc__)
    images = []
    for path in pictures:
        data = open(path, "rb").read()
        width, height = png_size(data)
        if width > 256 or height > 256:
            sys.exit(f"{path}: {width}x{height} is larger than an icon entry can be")
        images.append((width, height, data))
    images.sort(key=lambda i: i[0])
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, data in images:
        # 0 stands for 256 in the one-byte sizes.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + blobs)


if __name__ == "__main__":
    main()
