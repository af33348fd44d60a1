#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the fuzzer's seed corpus: every golden scenario encoded as fuzzer input bytes,
plus a few hand-made seeds with texts at and beyond the text box limit.

Usage: fuzz/make_seeds.py [OUT_DIR]   (default tests/fuzz-corpus)

The byte format is described in fuzz/README.md; the two tables below follow the window
table's order (src/layout/window_table.cpp) and must change with it.
"""
import pathlib
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The fields a user can type into, in the window table's order (ybuy is hidden).
FIELDS = ["oldprice", "buy6", "newprice", "souxufei", "savemoney", "buymoney"]
# Every visible control, in the window table's order.
CONTROLS = (["bigtitle", "Frame1", "L1", "oldprice", "buy6", "Label1", "Command4(0)", "Frame2",
             "Label3", "newprice", "Label9", "Command5", "yhs", "souxufei", "Label8", "Label4",
             "savemoney", "Label5", "Label7", "buymoney", "Label6", "xsall", "Command1",
             "Command2", "C44", "Frame3"]
            + [f"Command3({k})" for k in range(13)] + ["BYNARO"])
CLICK_AT_MARGIN = 10

TYPE, REPEAT, NUMBER, CLICK, KEYPAD, TAB, CLICK_AT, CALCULATE = range(8)
PLUS, MINUS, BLANK_BEFORE, BLANK_AFTER, POINT = 0x01, 0x02, 0x04, 0x08, 0x10


def type_text(field, text):
    data = text.encode("utf-8")
    if len(data) > 255:
        raise ValueError("text too long for one type action")
    return bytes([TYPE, FIELDS.index(field), len(data)]) + data


def repeat_text(field, count, pattern):
    data = pattern.encode("utf-8")
    return bytes([REPEAT, FIELDS.index(field)]) + struct.pack("<H", count) + bytes([len(data)]) + data


def number(field, digits, pattern, flags=0, point=0):
    return (bytes([NUMBER, FIELDS.index(field), flags]) + struct.pack("<HH", digits, point)
            + bytes([len(pattern)]) + bytes(pattern))


def click(name):
    if name == "Command1":
        return bytes([CALCULATE])
    if name.startswith("Command3("):
        return bytes([KEYPAD, int(name[9:-1])])
    return bytes([CLICK, CONTROLS.index(name)])


def click_at(x, y):
    return bytes([CLICK_AT]) + struct.pack("<HH", x + CLICK_AT_MARGIN, y + CLICK_AT_MARGIN)


def encode_scenario(path):
    """The scenario's actions; lines that a user could not do (hidden fields, unknown
    controls, reading commands) are left out."""
    out = bytearray()
    for line in path.read_text(encoding="utf-8").splitlines():
        command, _, rest = line.partition(" ")
        try:
            if command == "type":
                name, _, text = rest.partition(" ")
                out += type_text(name, text)
            elif command == "click":
                out += click(rest.strip())
            elif command == "clickat":
                x, y = rest.split()
                out += click_at(int(x), int(y))
            elif command == "tab":
                out += bytes([TAB])
        except ValueError:
            continue
    return bytes(out)


def hand_made():
    limit = 32767
    seeds = {}
    # Every amount at the text box limit, then a calculation.
    seeds["limit_digits"] = (number("oldprice", limit, [1, 2, 3], POINT, 5)
                             + number("buy6", limit, [7, 3])
                             + number("newprice", limit, [9, 1, 4], POINT, limit // 2)
                             + number("souxufei", 3, [1], POINT, 1)
                             + number("savemoney", limit, [5, 0, 2], MINUS)
                             + number("buymoney", limit, [8, 6, 1]) + click("Command1"))
    # A tiny old price with a huge holding: the sale is capped by the holding.
    seeds["tiny_price"] = (number("oldprice", limit, [0, 0, 0, 1], POINT, 1)
                           + number("buy6", limit, [9]) + type_text("newprice", "10")
                           + type_text("savemoney", "0") + type_text("buymoney", "100000")
                           + click("Command1"))
    # The full-funds fill of two limit-long amounts is longer than a field holds.
    seeds["long_fill"] = (number("oldprice", limit, [9]) + number("buy6", limit, [9])
                          + type_text("newprice", "3") + type_text("buymoney", "0")
                          + click("Command1") + click("buymoney"))
    # Texts beyond the limit, and keypad keys on a full field.
    seeds["over_limit"] = (repeat_text("buy6", 40000, "12") + click("buy6")
                           + click("Command3(5)") + click("Command3(11)") + click("Command3(10)")
                           + repeat_text("oldprice", 65535, "\U0001F600") + click("oldprice")
                           + click("Command3(11)") + click("Command3(12)") + click("Command1"))
    # Blanks and signs around long numbers.
    seeds["signed_blanks"] = (number("oldprice", 400, [3, 1, 4, 1, 5], PLUS | BLANK_BEFORE | POINT, 2)
                              + number("buy6", 300, [2, 7], BLANK_AFTER)
                              + number("newprice", 200, [1, 6], POINT | BLANK_BEFORE | BLANK_AFTER, 1)
                              + type_text("souxufei", " 18 ") + number("savemoney", 100, [4], MINUS)
                              + type_text("buymoney", "0") + click("Command1"))
    return seeds


def main():
    out_dir = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "tests" / "fuzz-corpus"
    out_dir.mkdir(parents=True, exist_ok=True)
    for path in sorted((ROOT / "tests" / "scenarios").glob("*.play")):
        data = encode_scenario(path)
        if data:
            (out_dir / f"scenario_{path.stem}").write_bytes(data)
    for name, data in hand_made().items():
        (out_dir / name).write_bytes(data)


if __name__ == "__main__":
    main()
