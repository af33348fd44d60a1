#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Asks an X window to close, as a window manager's close button does: a WM_DELETE_WINDOW
message. Usage: close_window.py WINDOW_ID"""
import sys

from Xlib import X, display
from Xlib.protocol import event


def main() -> int:
    screen = display.Display()
    window = screen.create_resource_object("window", int(sys.argv[1]))
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols,
                                  data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    screen.sync()  # returns once the server has handled the request
    return 0


if __name__ == "__main__":
    sys.exit(main())
