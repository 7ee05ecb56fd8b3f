#!/usr/bin/env python3
"""Asks an X window to close as a window manager's close box does: sends it
the WM_DELETE_WINDOW protocol message. Usage: send-wm-delete.py WINDOW_ID"""
import ctypes
import sys

window = int(sys.argv[1], 0)
xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XInternAtom.restype = ctypes.c_ulong
display = ctypes.c_void_p(xlib.XOpenDisplay(None))
if not display.value:
    sys.exit("cannot open the display")
atom = lambda name: xlib.XInternAtom(display, name, 0)
# An XClientMessageEvent as the longs of an XEvent (64-bit layout): type
# ClientMessage (33), serial, send_event, display, window, message_type,
# format 32, then the data: the protocol and CurrentTime.
event = (ctypes.c_long * 24)(33, 0, 0, 0, window, atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW"), 0)
xlib.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
xlib.XFlush(display)
xlib.XCloseDisplay(display)
