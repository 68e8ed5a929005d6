#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/: the example profiles, and replies, texts and
device strings as the controller, a user and a system give them. Run again after a change of
an input layout; it rewrites only the files it names."""
import os
import struct

ROOT = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(ROOT, "..", "examples")


def put(harness, name, data):
    folder = os.path.join(ROOT, "corpus", harness)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def frame(command, data):
    body = bytes([command, len(data) + 2]) + bytes(data)
    return body + bytes([(~sum(body)) & 0xFF])


def words(values):
    return b"".join(struct.pack("<H", v) for v in values)


# Link replies: [command][request length][gaps][bytes].
live = words([3000, 10332, 1250, 2100]) + bytes([40, 30, 2, 105, 60, 130, 0, 80, 25]) + bytes(13)
replies = {
    "engine-code": (0xF3, frame(0xF3, b"VLM20DET")),
    "version": (0xF5, frame(0xF5, b"2.10A")),
    "live-block": (0xF0, frame(0xF0, live)),
    "live-block-extended": (0xF0, frame(0xF0, live + bytes(12))),
    "password-open": (0xAD, frame(0xAD, b"        ")),
    "byte-map-part": (0x40, frame(0x40, bytes((25 + i) % 256 for i in range(100)))),
    "word-map-part": (0x50, frame(0x50, words(range(1000, 1050)))),
    "axes": (0x8A, frame(0x8A, words([3332 + 1000 * i for i in range(20)] + [400 * (i + 1) for i in range(20)]))),
    "longest": (0xF3, frame(0x77, bytes((7 + i) % 256 for i in range(253)))),
    "length-zero": (0xF3, bytes([0xFF, 0x00, 0x99])),
}
for name, (command, reply) in replies.items():
    put("link_reply", name, bytes([command, 2, 0]) + reply)
put("link_reply", "bad-checksum", bytes([0xF0, 2, 0]) + frame(0xF0, live)[:-1] + b"\x00")
put("link_reply", "truncated", bytes([0xF5, 2, 0]) + frame(0xF5, b"2.10A")[:-1])
put("link_reply", "pauses", bytes([0xF3, 2, 3, 0, 0, 3, 1, 6, 2]) + frame(0xF3, b"VLM20DET"))
put("link_reply", "late-then-next", bytes([0xF3, 2, 1, 0, 4]) + frame(0xF3, b"LATECODE") + frame(0xF5, b"2.10A"))
put("link_reply", "line-breaks", bytes([0xF0, 2, 0x80]) + frame(0xF0, live)[:10])
put("link_reply", "request-with-data", bytes([0x12, 5, 0]) + frame(0x12, b""))

# Profiles: the examples as they are, and in CP932 as Windows tools write them.
for name in ("Velmora.ini", "Demo.ini", "Minimal.ini"):
    with open(os.path.join(EXAMPLES, name), "rb") as f:
        text = f.read()
    put("ini_profile", name, text)
    put("ini_profile", name.replace(".ini", "-cp932.ini"), text.decode("utf-8").encode("cp932"))
    put("ini_profile", name.replace(".ini", "-crlf-bom.ini"), b"\xef\xbb\xbf" + text.replace(b"\n", b"\r\n"))
put("ini_profile", "quoted-and-spaced.ini", '[ Ports ]\nItems = "2"\nItem1 = \'sim:\'\n ; off\nItem2=/dev/ttyUSB0\n[CommSelect]\nItem=-1')

# Monitor formats: the examples' formats, each with a profile number.
formats = ["%5.0f", "%.4g", "%5.2f", "%4.2f", "%3.0f", "%4.1f", "", "%-+ #08.3e", "100%% %G", "%lf", "%s%n", "%*f", "%.100f"]
numbers = ["1", "0.004", "-40", "0.1", "1.5e1x", "+3", " \t-0.02", "nan", "1e999"]
for i, fmt in enumerate(formats):
    put("monitor_format", "format-%02d" % i, fmt + "\n" + numbers[i % len(numbers)])

# Value conversions: [raw low][raw high][type and live size][address] coefficient\noffset\ntyped.
def conversion(raw, item_type, live_size, address, coefficient, offset, typed):
    head = struct.pack("<HBB", raw, (live_size << 3) | (item_type + 1), address & 0xFF)
    return head + ("%s\n%s\n%s" % (coefficient, offset, typed)).encode()

conversions = {
    "rpm": conversion(3000, 0, 30, 0, "1", "0", "12.7"),
    "water": conversion(0x1F73, 1, 30, 11, "1", "-40", "-25"),
    "boost-raw": (conversion(0x8064, 2, 30, 22, "", "", "150")),
    "boost-abs": conversion(10197, 3, 30, 2, "", "", "75.5"),
    "injector": conversion(1250, 0, 30, 4, "0.004", "0", "5"),
    "short-live": conversion(65535, 0, 5, 4, "1", "0", "0x1p3"),
    "percent": conversion(128, 1, 30, 8, "1", "0", "  +50"),
    "word-limit": conversion(65500, 0, 30, 0, "1", "0", "262"),
    "not-a-number": conversion(0, 0, 0, 200, "x", "y", "nan"),
}
for name, data in conversions.items():
    put("value_conversion", name, data)

# Grid paste: what the grid and other programs put on the clipboard.
put("grid_paste", "grid-copy", "-25\t0\t230\n12\t13\t14")
put("grid_paste", "spreadsheet-copy", "1.00\t2.50\r\n3.75\t4.00\r\n")
put("grid_paste", "comma-separated", " 50 , 100,150 \n75.5,,")
put("grid_paste", "single-value", "262.00")
put("grid_paste", "hidden-empty-rows", "a\n\n\tb\n")

# Port records: lines of tab-separated fields (see PortRecordFuzzer.cpp).
put("port_records", "interfaces",
    "I\t\\\\?\\acpi#pnp0501#1#{86e0d1e0-8089-11d0-9ce4-08003e301f73}\tCommunications Port (COM1)\tCommunications Port\tACPI\n"
    "I\t\\\\?\\ftdibus#vid_0403+pid_6001#{86e0d1e0-8089-11d0-9ce4-08003e301f73}\tUSB Serial Port (COM5)\tUSB Serial Port\tUSB\n"
    "I\t/dev/ttyUSB0\t\tFT232R USB UART\n"
    "X\t/dev/ttyUSB0\n")
put("port_records", "registry",
    "V\t4\t1\n"
    "R\tACPI\t*PNP0501\t0\tCOM1\tCommunications Port (COM1)\n"
    "R\tUSBPORTS\tFTDIBUS\t0000\tCOM5\n"
    "R\tUSBPORTS\tFTDIBUS\t0001\tCOM5\tUSB Serial Port (COM5)\n"
    "R\tISAPNP\t*PNP0500\t1\n"
    "X\t\\\\.\\COM5\n")
put("port_records", "fixed-names", "V\t4\t2\nX\t\\\\.\\COM3\n")
put("port_records", "failures",
    "I\tpath1\tPort (COM2)\tPort\nI\tpath2\tPort (COM3)\nE\t2\t31\nD\t1\t998\n"
    "V\t4\t1\nR\tUSBPORTS\tX\t0\tCOM9\nK\tEnum\\USBPORTS\\X\\0\n")
