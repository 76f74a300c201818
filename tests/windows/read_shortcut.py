#!/usr/bin/env python3
"""Reads a Windows shortcut (.lnk, the Shell Link binary format) and prints
what it starts and where:
    target: C:\\...\\tarnwell.exe
    working folder: C:\\...
Usage: read_shortcut.py FILE.lnk   (standard library only)"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON, IS_UNICODE = 0x10, 0x20, 0x40, 0x80


def c_string(data, at, wide):
    if wide:
        end = at
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[at:end].decode("utf-16-le")
    return data[at:data.index(b"\0", at)].decode("cp1252")


def main():
    data = open(sys.argv[1], "rb").read()
    if struct.unpack_from("<I", data, 0)[0] != 0x4C:
        sys.exit("not a shortcut")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = None
    if flags & HAS_LINK_INFO:
        size, header, info_flags, _, local_base = struct.unpack_from("<IIIII", data, at)
        if info_flags & 1:  # VolumeIDAndLocalBasePath
            if header >= 0x24:
                target = c_string(data, at + struct.unpack_from("<I", data, at + 28)[0], True)
            else:
                target = c_string(data, at + local_base, False)
        at += size
    strings = {}
    for flag, name in ((HAS_NAME, "name"), (HAS_RELATIVE_PATH, "relative path"), (HAS_WORKING_DIR, "working folder"),
                       (HAS_ARGUMENTS, "arguments"), (HAS_ICON, "icon")):
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            at += 2
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at:at + count * width]
            strings[name] = raw.decode("utf-16-le" if width == 2 else "cp1252")
            at += count * width
    print(f"target: {target or strings.get('relative path', '')}")
    print(f"working folder: {strings.get('working folder', '')}")


if __name__ == "__main__":
    main()
