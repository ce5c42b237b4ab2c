#!/usr/bin/env python3
"""Writes examples/sample/frmMain.frx, the binary companion of frmMain.frm.

A form keeps the design-time contents of its list and combo boxes in the
.frx file beside it; the .frm only points at them ("frmMain.frx":0012,
an offset in hexadecimal). Each property is one blob:

  ItemData  2-byte little-endian count, then one 4-byte little-endian
            Long per item
  List      2-byte little-endian count, then per item a 2-byte
            little-endian length followed by that many Windows-1252 bytes

The blobs are written one after another in the order the .frm names them:
cboPeriod.ItemData, cboPeriod.List, lstRates.ItemData, lstRates.List.

The analyzer's companion-text rule keeps only letters, the digits 1-9 and
spaces and turns every other run of bytes into one space, so the items
below use neither 0 nor punctuation, and every count, length and ItemData
value stays below 32 so that no binary byte reads as a letter or digit.
Item texts keep the one misspelling that the spell check should find
("Suplement").

Usage: python3 examples/tools/make_frx.py
It rewrites the .frx and checks that the offsets written in frmMain.frm
match the blobs; it exits with status 1 and says which line is wrong when
they do not.
"""

import pathlib
import re
import struct
import sys

SAMPLE = pathlib.Path(__file__).resolve().parent.parent / "sample"

# (control, ItemData values, List items), in the order the .frm names them.
LISTS = [
    ("cboPeriod", [1, 2, 3, 4],
     ["This Week", "Last Week", "This Month", "Last Month"]),
    ("lstRates", [1, 2, 3, 4, 5],
     ["Standard Rate", "Senior Consultant", "Weekend Suplement",
      "Travel Time", "Mileage Allowance"]),
]


def item_data_blob(values):
    return struct.pack("<H", len(values)) + b"".join(
        struct.pack("<l", v) for v in values)


def list_blob(items):
    out = struct.pack("<H", len(items))
    for text in items:
        raw = text.encode("cp1252")
        out += struct.pack("<H", len(raw)) + raw
    return out


def build():
    data = b""
    offsets = []
    for control, values, items in LISTS:
        offsets.append((control, "ItemData", len(data)))
        data += item_data_blob(values)
        offsets.append((control, "List", len(data)))
        data += list_blob(items)
    return data, offsets


def check_form(offsets):
    """Compares the offsets with the ItemData/List lines of frmMain.frm."""
    text = (SAMPLE / "frmMain.frm").read_bytes().decode("cp1252")
    found = re.findall(r'^\s*(ItemData|List)\s*=\s*"frmMain\.frx":([0-9A-F]{4})',
                       text, re.MULTILINE)
    expected = [(prop, "%04X" % off) for _, prop, off in offsets]
    if found != expected:
        print("frmMain.frm names %s but the blobs are at %s" % (found, expected))
        return False
    return True


def main():
    data, offsets = build()
    (SAMPLE / "frmMain.frx").write_bytes(data)
    for control, prop, off in offsets:
        print('%s.%s = "frmMain.frx":%04X' % (control, prop, off))
    return 0 if check_form(offsets) else 1


if __name__ == "__main__":
    sys.exit(main())
