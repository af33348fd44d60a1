#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the fuzzer's seed corpus: every golden scenario encoded as fuzzer input bytes,
plus a few hand-made seeds with texts at and beyond the text box limit, the itemised fees and
the boards.

Usage: fuzz/make_seeds.py [OUT_DIR]   (default tests/fuzz-corpus)

The byte format is described in fuzz/README.md; the two tables below follow the window
table's order (src/layout/window_table.cpp) and must change with it.

The fee settings window is encoded as the fuzzer fills it in: one action per press of 确定 or
取消, typing all four entries as they stand at that moment, so a scenario's refused 确定
followed by more typing becomes one refused action per press. Lines that read or write the
settings store (`stored`, `reload`) cannot be played by the fuzzer and are left out.
"""
import pathlib
import re
import struct
import sys
from fractions import Fraction

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The fields a user can type into, in the window table's order (ybuy is hidden).
FIELDS = ["oldprice", "buy6", "newprice", "souxufei", "savemoney", "buymoney"]
# Every visible control, in the window table's order.
CONTROLS = (["bigtitle", "Frame1", "L1", "oldprice", "buy6", "Label1", "Command4(0)", "Frame2",
             "Label3", "newprice", "Label9", "Command5", "yhs", "souxufei", "Label8", "Label4",
             "savemoney", "Label5", "Label7", "buymoney", "Label6", "xsall", "Command1",
             "Command2", "C44", "Frame3"]
            + [f"Command3({k})" for k in range(13)]
            + ["BYNARO", "feeModel", "feeSettings", "detail", "oldBoard", "newBoard"])
CLICK_AT_MARGIN = 10

TYPE, REPEAT, NUMBER, CLICK, KEYPAD, TAB, CLICK_AT, CALCULATE, FEES, DETAIL, BOARD = range(11)
PLUS, MINUS, BLANK_BEFORE, BLANK_AFTER, POINT = 0x01, 0x02, 0x04, 0x08, 0x10
# Flags of a fees action, and the form byte of each rate it types.
ITEMISED, KEEP_RATES, TOGGLE_WAIVER, DEFAULTS, CANCEL = 0x01, 0x02, 0x04, 0x08, 0x10
RATE_KIND_SHIFT, RATE_MINUS, RATE_BLANKS, RATE_TEXT = 2, 5, 6, 7
# The entries of the fee settings window in the fuzzer's order, and their start-up texts.
RATE_BOXES = ["commissionRate", "minimumCommission", "stampDutyRate", "transferFeeRate"]
DEFAULT_RATES = ["2.5", "5", "5", "0.1"]
MINIMUM_ENTRY = 1
RATE_CAP = 10000
# A board action: the stock, then a form byte whose low two bits are the way the board is given,
# the next three the start of a code or the board, then blanks around a typed code or name.
STOCKS = ["old", "new"]
BOARD_WORDS = ["main", "star", "bse"]
ITEM, CODE, NAME, TEXT = range(4)
PICK_SHIFT = 2
CODE_STARTS = ["688", "689", "920", "43", "83", "87", "88", ""]
BLANK_BEFORE_BOARD, BLANK_AFTER_BOARD, WIDE_BLANKS = 0x20, 0x40, 0x80
NUMBER_TEXT = re.compile(r"[+-]?(?=\.?\d)\d*\.?\d*")


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


def board(stock, word):
    """A board chosen from the list by its word (main, star, bse), or any other text typed."""
    if word in BOARD_WORDS:
        return bytes([BOARD, STOCKS.index(stock), ITEM | BOARD_WORDS.index(word) << PICK_SHIFT])
    data = word.encode("utf-8")
    if len(data) > 255:
        raise ValueError("text too long for one board action")
    return bytes([BOARD, STOCKS.index(stock), TEXT, len(data)]) + data


def board_code(stock, start, digits, blanks=0):
    """A six-digit code typed: one of the starts the fuzzer favours, then the other digits."""
    return (bytes([BOARD, STOCKS.index(stock), CODE | CODE_STARTS.index(start) << PICK_SHIFT | blanks])
            + bytes(int(digit) for digit in digits))


def board_name(stock, word, blanks=0):
    """A board's name typed."""
    return bytes([BOARD, STOCKS.index(stock), NAME | BOARD_WORDS.index(word) << PICK_SHIFT | blanks])


def rate(text):
    """A rate as the fuzzer types it: a number written from a 16-bit value when that gives the
    text back exactly, otherwise free text."""
    kind, inner = 0, text
    if len(text) > 2 and text[0] == " " and text[-1] == " ":
        kind, inner = RATE_BLANKS, text[1:-1]
    elif text.startswith("-"):
        kind, inner = RATE_MINUS, text[1:]
    whole, point, decimals = inner.partition(".")
    digits = whole + decimals
    if (point and not decimals) or len(decimals) > 3 or not digits.isascii() or not digits.isdigit():
        return free_rate(text)
    value = int(digits)
    written = str(value).rjust(len(decimals) + 1, "0")
    if decimals:
        written = written[:-len(decimals)] + "." + written[-len(decimals):]
    if value > 0xFFFF or written != inner:
        return free_rate(text)
    return bytes([kind << RATE_KIND_SHIFT | len(decimals)]) + struct.pack("<H", value)


def free_rate(text):
    data = text.encode("utf-8")
    if len(data) > 255:
        raise ValueError("rate too long for one fees action")
    return bytes([RATE_TEXT << RATE_KIND_SHIFT, len(data)]) + data


def fees(itemised, rates=None, toggle=False, cancel=False):
    flags = (ITEMISED if itemised else 0) | (TOGGLE_WAIVER if toggle else 0)
    flags |= CANCEL if cancel else 0
    if rates is None:
        return bytes([FEES, flags | KEEP_RATES])
    return bytes([FEES, flags]) + b"".join(rate(text) for text in rates)


def number_value(text):
    """The value of a text that is a number, as the calculator reads one; None otherwise."""
    text = text.strip(" ")
    if not NUMBER_TEXT.fullmatch(text):
        return None
    sign = -1 if text.startswith("-") else 1
    whole, _, decimals = text.lstrip("+-").partition(".")
    return sign * Fraction(int(whole or "0") * 10 ** len(decimals) + int(decimals or "0"),
                           10 ** len(decimals))


def rates_sound(rates):
    values = [number_value(text) for text in rates]
    if any(value is None or value < 0 for value in values):
        return False
    rate_values = [value for i, value in enumerate(values) if i != MINIMUM_ENTRY]
    return all(value < RATE_CAP for value in rate_values) and sum(rate_values) < RATE_CAP


class FeeSettings:
    def __init__(self):
        self.itemised, self.rates, self.waived = False, list(DEFAULT_RATES), False

    def copy(self):
        settings = FeeSettings()
        settings.itemised, settings.rates, settings.waived = self.itemised, list(self.rates), self.waived
        return settings


def click_at(x, y):
    return bytes([CLICK_AT]) + struct.pack("<HH", x + CLICK_AT_MARGIN, y + CLICK_AT_MARGIN)


def encode_scenario(path):
    """The scenario's actions; lines that a user could not do (hidden fields, unknown
    controls, reading commands, the settings store) are left out."""
    out = bytearray()
    confirmed = FeeSettings()
    dialog = None  # the fee settings as the open window shows them
    detail_open = copied = False
    for line in path.read_text(encoding="utf-8").splitlines():
        command, _, rest = line.partition(" ")
        argument = rest.strip()
        try:
            if dialog is not None:
                if command == "type":
                    name, _, text = rest.partition(" ")
                    if name in RATE_BOXES:
                        dialog.rates[RATE_BOXES.index(name)] = text
                elif command == "click" and argument in ("perMilleModel", "itemisedModel"):
                    dialog.itemised = argument == "itemisedModel"
                elif command == "click" and argument == "waiveMinimum":
                    dialog.waived = not dialog.waived
                elif command == "click" and argument == "settingsDefaults":
                    dialog.rates, dialog.waived = list(DEFAULT_RATES), False
                elif command == "dismiss" or (command == "click"
                                              and argument in ("settingsOk", "settingsCancel")):
                    cancel = argument != "settingsOk"
                    out += fees(dialog.itemised, dialog.rates, dialog.waived != confirmed.waived,
                                cancel)
                    if cancel:
                        dialog = None
                    elif rates_sound(dialog.rates):
                        confirmed, dialog = dialog, None
                continue
            if detail_open:
                if command == "click" and argument == "copyDetail":
                    copied = True
                elif command == "dismiss" or (command == "click" and argument == "closeDetail"):
                    out += bytes([DETAIL]) if copied else click("detail")
                    detail_open = False
                continue
            if command == "type":
                name, _, text = rest.partition(" ")
                out += type_text(name, text)
            elif command == "click" and argument == "feeSettings":
                dialog = confirmed.copy()
            elif command == "click" and argument == "detail":
                detail_open, copied = True, False
            elif command == "click":
                out += click(argument)
            elif command == "clickat":
                x, y = rest.split()
                out += click_at(int(x), int(y))
            elif command == "tab":
                out += bytes([TAB])
            elif command == "detail":
                out += bytes([DETAIL])
            elif command == "board":
                stock, word = argument.split()
                out += board(stock, word)
            elif command == "fees" and argument == "simple":
                out += fees(False)
                confirmed.itemised = False
            elif command == "fees":
                words = argument.split()
                if len(words) != 5 or words[0] != "itemised":
                    continue
                out += fees(True, words[1:], toggle=confirmed.waived)
                if rates_sound(words[1:]):
                    confirmed.itemised, confirmed.rates, confirmed.waived = True, words[1:], False
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
    # The itemised fees: the worked example under odd rates, 免五 and a minimum that decides,
    # each answer with its detail.
    worked = (type_text("oldprice", "10") + type_text("buy6", "5000") + type_text("newprice", "8")
              + type_text("savemoney", "2000") + type_text("buymoney", "20000"))
    seeds["itemised_rates"] = (fees(True, ["2.5", "5", "5", "0.1"]) + worked + click("Command1")
                               + bytes([DETAIL]) + fees(True, ["0.854", "0", "10", "0.02"], True)
                               + click("Command1") + bytes([DETAIL])
                               + fees(True, ["30", "100", "0.5", "6.5"], True) + click("Command1")
                               + bytes([DETAIL]) + type_text("buy6", "1234567")
                               + type_text("oldprice", "0.003") + click("Command1") + bytes([DETAIL])
                               + fees(False) + click("Command1") + bytes([DETAIL]))
    # A tiny old price and a holding of 32,767 digits under the itemised fees: a lot brings a
    # tenth of a fen, and the sale runs to a hundred million lots.
    seeds["itemised_tiny_price"] = (fees(True, ["2.5", "5", "5", "0.1"])
                                    + type_text("oldprice", "0.00001") + number("buy6", limit, [7, 3])
                                    + type_text("newprice", "10") + type_text("savemoney", "0")
                                    + type_text("buymoney", "100000") + click("Command1")
                                    + bytes([DETAIL]))
    # Every amount at the limit under the itemised fees, 免五.
    seeds["itemised_limit_digits"] = (fees(True, ["2.5", "5", "5", "0.1"], True)
                                      + number("oldprice", limit, [1, 2, 3], POINT, 5)
                                      + number("buy6", limit, [7, 3])
                                      + number("newprice", limit, [9, 1, 4], POINT, limit // 2)
                                      + number("savemoney", limit, [5, 0, 2], MINUS)
                                      + number("buymoney", limit, [8, 6, 1]) + click("Command1")
                                      + bytes([DETAIL]))
    # Boards: STAR sold and Beijing bought under the per-mille fees, a STAR holding below the
    # least order, a Beijing purchase below its least order, and the choice by code and name.
    shortfall = (type_text("oldprice", "10") + type_text("buy6", "5000") + type_text("newprice", "8.37")
                 + type_text("souxufei", "1") + type_text("savemoney", "2000")
                 + type_text("buymoney", "20000"))
    seeds["boards_per_mille"] = (shortfall + board("old", "star") + board("new", "bse")
                                 + click("Command1") + bytes([DETAIL])
                                 + type_text("savemoney", "19000") + click("Command1")
                                 + type_text("buy6", "150") + type_text("savemoney", "0")
                                 + click("Command1") + bytes([DETAIL])
                                 + type_text("buymoney", "800") + click("Command1")
                                 + board_code("new", "688", "001") + click("Command1")
                                 + board_code("old", "920", "001", BLANK_BEFORE_BOARD | WIDE_BLANKS)
                                 + type_text("buy6", "5000") + click("Command1") + bytes([DETAIL])
                                 + board_name("new", "main", BLANK_AFTER_BOARD) + click("Command1"))
    # The itemised fees on single-share boards: the minimum commission makes R step back.
    seeds["boards_itemised"] = (fees(True, ["2.5", "5", "5", "0.1"]) + shortfall
                                + board("old", "star") + click("Command1") + bytes([DETAIL])
                                + board("old", "bse") + board("new", "star") + click("Command1")
                                + bytes([DETAIL]) + type_text("buy6", "100000")
                                + type_text("savemoney", "0") + type_text("buymoney", "2000")
                                + type_text("newprice", "9.99") + click("Command1") + bytes([DETAIL])
                                + type_text("buy6", "199") + board("old", "star") + click("Command1")
                                + fees(True, ["2.5", "5", "5", "0.1"], True) + click("Command1")
                                + bytes([DETAIL]))
    # Every way of giving a board, refused texts among them, and the three resets.
    seeds["boards_choice"] = (b"".join(board_code(stock, start, "0" * (6 - len(start)))
                                       for stock in STOCKS for start in CODE_STARTS)
                              + board_code("old", "", "300750") + board_code("new", "", "430047")
                              + board_name("old", "star", BLANK_BEFORE_BOARD | BLANK_AFTER_BOARD)
                              + board_name("new", "bse", BLANK_BEFORE_BOARD | WIDE_BLANKS)
                              + board("old", "68898") + board("new", "abcdef")
                              + board("new", "６８８００１") + board("old", "6880011")
                              + board("old", "688 001") + board("new", "科创")
                              + board("old", "star") + board("new", "bse") + click("Command4(0)")
                              + board("old", "star") + click("Command5") + board("new", "star")
                              + click("Command2") + board("old", "bse") + click("oldBoard")
                              + click("newBoard") + bytes([TAB]))
    # Exact amounts on single-share boards: the sale that leaves exactly nothing, without fees
    # and with 1‰, and purchases of exactly the least order.
    seeds["boards_exact_money"] = (board("old", "star") + type_text("oldprice", "10")
                                   + type_text("buy6", "5000") + type_text("newprice", "10")
                                   + type_text("souxufei", "0") + type_text("savemoney", "0")
                                   + type_text("buymoney", "3000") + click("Command1")
                                   + type_text("souxufei", "1") + type_text("savemoney", "6.003")
                                   + click("Command1") + board("old", "bse")
                                   + type_text("savemoney", "1005.003") + click("Command1")
                                   + board("new", "bse") + type_text("newprice", "0.07")
                                   + type_text("buymoney", "7") + click("Command1")
                                   + board("new", "star") + type_text("buymoney", "14")
                                   + click("Command1") + type_text("buymoney", "13.99")
                                   + click("Command1") + bytes([DETAIL]))
    # Amounts at the text box limit on single-share boards, under both fee models.
    seeds["boards_limit_digits"] = (board("old", "star") + board("new", "bse")
                                    + number("oldprice", limit, [1, 2, 3], POINT, 5)
                                    + number("buy6", limit, [7, 3])
                                    + number("newprice", limit, [9, 1, 4], POINT, limit // 2)
                                    + number("souxufei", 3, [1], POINT, 1)
                                    + number("savemoney", limit, [5, 0, 2], MINUS)
                                    + number("buymoney", limit, [8, 6, 1]) + click("Command1")
                                    + bytes([DETAIL]) + fees(True, ["2.5", "5", "5", "0.1"], True)
                                    + click("Command1") + bytes([DETAIL]))
    seeds["boards_tiny_price"] = (fees(True, ["2.5", "5", "5", "0.1"]) + board("old", "bse")
                                  + type_text("oldprice", "0.00001") + number("buy6", limit, [7, 3])
                                  + type_text("newprice", "10") + type_text("savemoney", "0")
                                  + type_text("buymoney", "100000") + click("Command1")
                                  + bytes([DETAIL]))
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
