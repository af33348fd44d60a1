#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Times a long answer on the X server named by DISPLAY: the time from the click on 开始计算
to the window's next frame (the X DAMAGE extension), with the money to spend as long as
asked.

The program is started as given (its environment is this one's), its window found by its
title, and it is then used through the X server as a user would (XTEST): each field is
clicked, its text selected with Ctrl+A and replaced with Ctrl+V from the clipboard, which
xclip holds. For each length of the money to spend, the click is timed RUNS times; between
runs the balance changes by one yuan, so that every click writes a new answer. Before the
timed runs of a length, the field's text and the answer are read back through the clipboard
(the field's Ctrl+C, the answer's context menu), to be sure what is timed is that answer.

Usage: measure.py PROGRAM PLAYER RUNS DIGITS [DIGITS...]
PLAYER is ostrel-play, which tells where the controls are. Prints one line per run
("run DIGITS MS") and then one per length ("median DIGITS MS")."""
import importlib.util
import os
import signal
import statistics
import subprocess
import sys
import time

from Xlib import X, XK
from Xlib.ext import damage, xtest

# The X connection that hears of windows and their drawing is the start-up benchmark's.
_startup = importlib.util.spec_from_file_location(
    "startup_measure", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "startup",
                                    "measure.py"))
startup_measure = importlib.util.module_from_spec(_startup)
_startup.loader.exec_module(startup_measure)

TIMEOUT_SECONDS = 30
TITLE = "QZ Ostrel"
# What the other fields hold: an answer that buys new shares with all the money to spend.
INPUTS = [("oldprice", "10"), ("buy6", "5000"), ("newprice", "8")]
BALANCES = ("2000", "2001")


def control_places(player):
    """The place of every control in client pixels (left, top, width, height), from the
    window table."""
    described = subprocess.run([player, "--backend=core"], input="describe\n", text=True,
                               capture_output=True, check=True).stdout
    places = {}
    for line in described.splitlines():
        columns = [column.strip() for column in line.split("|")]
        if columns[0] != "control":
            continue
        left, top, width, height = (int(number) for number in columns[4].split(","))
        places[columns[1]] = (columns[3], left, top, width, height)

    def client(name):
        container, left, top, width, height = places[name]
        if container != "window":
            outer = client(container)
            left, top = left + outer[0], top + outer[1]
        return left, top, width, height

    return {name: client(name) for name in places}


def middle(place):
    left, top, width, height = place
    return left + width // 2, top + height // 2


class Screen(startup_measure.Screen):
    """An X connection that hears of every top-level window and every drawing into the
    program's window, and moves the pointer and presses keys as a user would."""

    def __init__(self):
        super().__init__()
        if not self.connection.has_extension("XTEST"):
            sys.exit("the X server has no XTEST extension")
        self.window = None
        self.origin = (0, 0)

    def wait_for_window(self):
        deadline = time.monotonic() + TIMEOUT_SECONDS
        while self.window is None:
            event = self.next_event(deadline)
            if event is None:
                sys.exit(f"no window titled {TITLE!r} within {TIMEOUT_SECONDS} s")
            if event.type == X.MapNotify and TITLE in self.title(event.window):
                self.window = event.window
        self.window.damage_create(damage.DamageReportRawRectangles)
        self.connection.sync()
        place = self.window.translate_coords(self.root, 0, 0)
        self.origin = (place.x, place.y)

    def settle(self, quiet=0.3):
        """Waits until nothing was drawn for `quiet` seconds; fails when a message box opened."""
        deadline = time.monotonic() + TIMEOUT_SECONDS
        self.connection.sync()
        while True:
            event = self.next_event(min(deadline, time.monotonic() + quiet))
            if event is None:
                if time.monotonic() >= deadline:
                    sys.exit("the window kept drawing")
                return
            # A menu is titled as the program; a message box has a title of its own.
            if event.type == X.MapNotify and event.window.id != self.window.id:
                title = self.title(event.window)
                if title and TITLE not in title:
                    sys.exit(f"a window titled {title!r} opened")

    def move_to(self, point):
        xtest.fake_input(self.connection, X.MotionNotify, x=self.origin[0] + point[0],
                         y=self.origin[1] + point[1])

    def button(self, number, down):
        xtest.fake_input(self.connection, X.ButtonPress if down else X.ButtonRelease, number)
        self.connection.sync()

    def click(self, point, number=1):
        self.move_to(point)
        self.button(number, True)
        self.button(number, False)
        self.settle()

    def keys(self, *names, control=False):
        control_code = self.connection.keysym_to_keycode(XK.string_to_keysym("Control_L"))
        for name in names:
            code = self.connection.keysym_to_keycode(XK.string_to_keysym(name))
            if control:
                xtest.fake_input(self.connection, X.KeyPress, control_code)
            xtest.fake_input(self.connection, X.KeyPress, code)
            xtest.fake_input(self.connection, X.KeyRelease, code)
            if control:
                xtest.fake_input(self.connection, X.KeyRelease, control_code)
            self.connection.sync()
            self.settle(0.1)

    def time_click(self, point, answer):
        """Presses the button at `point`, lets the pressed look be drawn, and then times the
        release, which runs the click, to the next drawing into the window over the place
        `answer` (left, top, width, height) of the answer. The button draws itself released
        on its own first, before its click runs."""
        self.move_to(point)
        self.button(1, True)
        self.settle()
        start = time.monotonic_ns()
        self.button(1, False)
        deadline = time.monotonic() + TIMEOUT_SECONDS
        while True:
            event = self.next_event(deadline)
            if event is None:
                sys.exit(f"no frame within {TIMEOUT_SECONDS} s of the click")
            if (event.type == self.connection.extension_event.DamageNotify
                    and event.drawable.id == self.window.id and overlaps(event.area, answer)):
                return (time.monotonic_ns() - start) / 1e6


def overlaps(area, place):
    left, top, width, height = place
    return (area.x < left + width and left < area.x + area.width and area.y < top + height
            and top < area.y + area.height)


def put_on_clipboard(text):
    # xclip stays in the background and hands the text to whoever asks, until the clipboard
    # changes hands.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, text=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=10)


def read_clipboard():
    for _ in range(50):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], text=True,
                                capture_output=True, timeout=10)
        if result.returncode == 0:
            return result.stdout
        time.sleep(0.1)
    return ""


def fill(screen, places, field, text):
    screen.click(middle(places[field]))
    put_on_clipboard(text)
    screen.keys("a", "v", control=True)


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    program, player, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    lengths = [int(argument) for argument in sys.argv[4:]]
    places = control_places(player)
    screen = Screen()
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    pid = os.posix_spawn(program, [program], environment)
    results = {}
    try:
        screen.wait_for_window()
        screen.settle(1.0)
        for field, text in INPUTS:
            fill(screen, places, field, text)
        for digits in lengths:
            money = "1" + "0" * (digits - 1)
            fill(screen, places, "buymoney", money)
            screen.keys("a", "c", control=True)
            if read_clipboard() != money:
                sys.exit(f"the money to spend did not take its {digits} digits")
            fill(screen, places, "savemoney", BALANCES[0])
            screen.click(middle(places["Command1"]))
            # The answer, read back: its context menu's 全选, then 复制.
            for _ in range(2):
                screen.click(middle(places["xsall"]), number=3)
                screen.keys("Down", "Return")
            answer = read_clipboard()
            if not answer.startswith("请卖出") or len(answer) < digits:
                sys.exit(f"no answer of {digits} digits: {answer[:80]!r}")
            times = []
            for run in range(runs):
                fill(screen, places, "savemoney", BALANCES[(run + 1) % 2])
                times.append(screen.time_click(middle(places["Command1"]), places["xsall"]))
                screen.settle()
                print(f"run {digits} {times[-1]:.1f}", flush=True)
            results[digits] = statistics.median(times)
    finally:
        os.kill(pid, signal.SIGKILL)
        os.waitpid(pid, 0)
    for digits, median in results.items():
        print(f"median {digits} {median:.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
