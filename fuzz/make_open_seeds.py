#!/usr/bin/env python3
# Writes the seed archives of fuzz_open: small skins of our own making, kept
# small so that the fuzzer's mutations stay fast.
import struct, sys, zipfile, os

def bmp(width, height, colour):
    row = bytes(colour) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + pixels

def write(path, members, compression):
    with zipfile.ZipFile(path, "w", compression) as archive:
        for name, data in members:
            archive.writestr(name, data)

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "fuzz_open")
os.makedirs(out, exist_ok=True)
viscolor = b"".join(b"%d,%d,%d,\r\n" % (i * 9, 255 - i * 9, 40) for i in range(24))
region = b"[Normal]\r\nNumPoints=4\r\nPointList=0,0, 275,0, 275,116, 0,116\r\n"
pledit = b"[Text]\r\nNormal=#00FF00\r\nCurrent=#FFFFFF\r\nNormalBG=#000000\r\nSelectedBG=#0000FF\r\nFont=Arial\r\n"
write(os.path.join(out, "text-files.wsz"), [
    ("main.bmp", bmp(8, 4, (10, 20, 30))),
    ("region.txt", region), ("viscolor.txt", viscolor), ("pledit.txt", pledit),
    ("pledit.bmp", bmp(4, 4, (1, 2, 3)))], zipfile.ZIP_STORED)
write(os.path.join(out, "in-folder.wsz"), [
    ("Skin/", b""), ("Skin/Main.bmp", bmp(8, 4, (200, 0, 0))),
    ("Skin/numbers.bmp", bmp(99, 13, (255, 255, 255))),
    ("Skin/cbuttons.bmp", bmp(4, 2, (0, 0, 255)))], zipfile.ZIP_DEFLATED)
link = zipfile.ZipInfo("linked.bmp")
link.external_attr = (0o120777 << 16)
write(os.path.join(out, "unsafe-names.wsz"), [
    ("../outside.bmp", bmp(2, 2, (0, 0, 0))), ("/absolute.txt", b"x"), (link, b"main.bmp"),
    ("MAIN.BMP", bmp(4, 4, (9, 9, 9))), ("balance.bmp", bmp(4, 40, (5, 5, 5)))], zipfile.ZIP_DEFLATED)
