#!/usr/bin/env python3
"""Prints a DLL's version resource as Windows shows it in the file's
properties: the fixed file version, then the FileVersion, ProductVersion and
OriginalFilename texts ("none" when it has no version resource).
Usage: scripts/dll-version.py DLL"""
import struct
import sys

data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO
if at < 0:
    print("none")
    sys.exit()
ms, ls = struct.unpack_from("<II", data, at + 8)


def text(key):
    k = (key + "\0").encode("utf-16-le")
    i = data.find(k)
    if i < 0:
        return ""
    i += len(k)
    i += (4 - i % 4) % 4  # values start on a 32-bit boundary
    j = i
    while data[j:j + 2] != b"\0\0":
        j += 2
    return data[i:j].decode("utf-16-le")


print("%d.%d.%d.%d %s %s %s" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF,
      text("FileVersion"), text("ProductVersion"), text("OriginalFilename")))
