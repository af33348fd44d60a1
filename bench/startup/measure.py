#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Measures start-up on the X server named by DISPLAY. For each program: the time from its
exec to the mapping of its top-level window with the given title, the time to the first
drawing into that window (its first frame), and its peak resident memory up to that frame.
The programs run one at a time, alternating, so that a change in the machine's load falls
on both alike.

Usage: measure.py RUNS TITLE NAME=PROGRAM [NAME=PROGRAM...]
Prints one line per run ("run NAME MAP_MS FRAME_MS KIB") and then, per program, the medians
("median NAME MAP_MS FRAME_MS KIB")."""
import os
import select
import signal
import statistics
import sys
import time

from Xlib import X, Xatom, display
from Xlib.ext import damage

TIMEOUT_SECONDS = 30


class Screen:
    """An X connection that hears of every top-level window: its creation, its mapping and
    every drawing into it."""

    def __init__(self):
        self.connection = display.Display()
        if not self.connection.has_extension("DAMAGE"):
            sys.exit("the X server has no DAMAGE extension")
        self.connection.damage_query_version()
        self.net_wm_name = self.connection.intern_atom("_NET_WM_NAME")
        self.utf8 = self.connection.intern_atom("UTF8_STRING")
        self.root = self.connection.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.connection.sync()

    def title(self, window):
        """The window's title, or "" once the window is gone."""
        try:
            prop = window.get_full_property(self.net_wm_name, self.utf8)
            if prop is not None:
                return prop.value.decode("utf-8", "replace")
            prop = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
            if prop is not None:
                value = prop.value
                return value.decode("latin-1") if isinstance(value, bytes) else str(value)
        except Exception:  # the window went away between the event and the question
            pass
        return ""

    def drain(self):
        """Drops the events that earlier runs left behind."""
        self.connection.sync()
        while self.connection.pending_events():
            self.connection.next_event()

    def next_event(self, deadline):
        while self.connection.pending_events() == 0:
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.connection.fileno()], [], [], left)
        return self.connection.next_event()


def one_run(screen, program, title):
    """Starts the program, waits for its first frame and ends it.
    Returns (ms to map, ms to first frame, peak KiB)."""
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    screen.drain()
    # The clock starts just before the program is spawned; the X connection already hears of
    # every window created on the screen.
    start = time.monotonic_ns()
    pid = os.posix_spawn(program, [program], environment)
    deadline = time.monotonic() + TIMEOUT_SECONDS
    damages = {}  # window id -> its damage object, from the window's creation on
    window = mapped = painted = None
    try:
        while painted is None:
            event = screen.next_event(deadline)
            now = time.monotonic_ns()
            if event is None:
                raise RuntimeError(f"{program}: no frame in a window titled {title!r} within "
                                   f"{TIMEOUT_SECONDS} s")
            if event.type == X.CreateNotify:
                damages[event.window.id] = event.window.damage_create(
                    damage.DamageReportNonEmpty)
            elif event.type == X.MapNotify and window is None:
                if title in screen.title(event.window):
                    window, mapped = event.window.id, now
            elif event.type == screen.connection.extension_event.DamageNotify:
                if window is not None and event.drawable.id == window:
                    painted = now
    finally:
        os.kill(pid, signal.SIGKILL)
        _, _, usage = os.wait4(pid, 0)
    return (mapped - start) / 1e6, (painted - start) / 1e6, usage.ru_maxrss


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    title = sys.argv[2]
    programs = [argument.split("=", 1) for argument in sys.argv[3:]]
    screen = Screen()

    # One unrecorded run each first, so that every recorded run finds the files cached.
    for _, program in programs:
        one_run(screen, program, title)
    results = {name: [] for name, _ in programs}
    for _ in range(runs):
        for name, program in programs:
            result = one_run(screen, program, title)
            results[name].append(result)
            print(f"run {name} {result[0]:.1f} {result[1]:.1f} {result[2]}", flush=True)
    for name, rows in results.items():
        map_ms, frame_ms, kib = (statistics.median(column) for column in zip(*rows))
        print(f"median {name} {map_ms:.1f} {frame_ms:.1f} {kib:.0f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
