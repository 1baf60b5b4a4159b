#!/usr/bin/env python3
"""Writes the small picture fixtures of the rendering tests.

three_frames.gif: 8 x 8, three frames filled red, green, blue (in that
time order), 3-bit LZW codes with a clear code before every pixel.
no_frames.gif: a valid GIF header and screen descriptor with no image.
not_a_picture.bmp: text bytes under a picture name.
"""
import struct


def lzw_fill(index, count):
    codes = []
    for _ in range(count):
        codes += [4, index]          # clear, literal
    codes.append(5)                  # end of information
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 3
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([2])          # minimum code size
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    blocks.append(0)
    return bytes(blocks)


def screen(w, h):
    # Global colour table of 4 entries: black, red, green, blue.
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, 0x81, 0, 0)
            + bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255]))


def frames_gif(w, h, indexes):
    data = bytearray(screen(w, h))
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for idx in indexes:
        data += b"\x21\xF9\x04\x04" + struct.pack("<H", 10) + b"\x00\x00"
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        data += lzw_fill(idx, w * h)
    data += b"\x3B"
    return bytes(data)


with open("three_frames.gif", "wb") as f:
    f.write(frames_gif(8, 8, [1, 2, 3]))
with open("no_frames.gif", "wb") as f:
    f.write(screen(8, 8) + b"\x3B")
with open("not_a_picture.bmp", "wb") as f:
    f.write(b"this is not a picture\n")
