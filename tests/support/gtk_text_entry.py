# SPDX-License-Identifier: GPL-3.0-or-later
"""A GTK 3 window titled "tiklo-e2e-target" with one focused text field, for tests that type
into it or ask the accessibility bus about it.

Usage: gtk_text_entry.py [--multiline | --gtk4] [--caret OFFSET] [INITIAL_TEXT]

The field is a one-line entry, or with --multiline a text view where Return starts a line.
With --gtk4 it is a GTK 4 entry; GTK 4 knows no place on screen, so "caret" and "entry"
answer "unsupported" and "ready" gives the field's size at 0 0.

Prints "ready X Y WIDTH HEIGHT" (the field on screen) once it has keyboard focus with the
caret after the initial text (or at OFFSET), then answers commands read from standard input,
one line each, each answer beginning with the command's first word:
  "text"   -> "text JSON", the field's text as a JSON string (ASCII only)
  "caret"  -> "caret X Y WIDTH HEIGHT", the caret's line on screen, root coordinates
  "entry"  -> "entry X Y WIDTH HEIGHT", the field on screen, root coordinates
  "set JSON" -> "set ok", after replacing the text with the JSON string, caret at its end
  "select START END" -> "select ok", after selecting from START to END, caret at END
  "secret" -> "secret ok", after hiding the text as it is typed and telling input methods
              that it is a password (a password entry)
  "changed" -> "changed NS", when the text last changed, CLOCK_MONOTONIC nanoseconds
"""

import json
import sys
import time

import gi

ARGUMENTS = sys.argv[1:]
MULTILINE = "--multiline" in ARGUMENTS
if MULTILINE:
    ARGUMENTS.remove("--multiline")
GTK4 = "--gtk4" in ARGUMENTS
if GTK4:
    ARGUMENTS.remove("--gtk4")
CARET = -1
if "--caret" in ARGUMENTS:
    at = ARGUMENTS.index("--caret")
    CARET = int(ARGUMENTS[at + 1])
    del ARGUMENTS[at:at + 2]
INITIAL = ARGUMENTS[0] if ARGUMENTS else ""

gi.require_version("Gtk", "4.0" if GTK4 else "3.0")
from gi.repository import GLib, Gtk, Pango  # noqa: E402

# Focusing an entry selects all of its text by default; typing would replace it.
Gtk.Settings.get_default().set_property("gtk-entry-select-on-focus", False)

window = Gtk.Window(title="tiklo-e2e-target")
window.set_default_size(480, 200 if MULTILINE else 60)
if not GTK4:
    window.move(200, 300)


class MultilineField(Gtk.TextView):
    """A text view answering the entry's calls that the commands use."""

    def get_text(self):
        buffer = self.get_buffer()
        return buffer.get_text(buffer.get_start_iter(), buffer.get_end_iter(), True)

    def set_text(self, text):
        self.get_buffer().set_text(text)

    def set_position(self, position):
        buffer = self.get_buffer()
        where = buffer.get_end_iter() if position < 0 else buffer.get_iter_at_offset(position)
        buffer.place_cursor(where)

    def select_region(self, start, end):
        buffer = self.get_buffer()
        buffer.select_range(buffer.get_iter_at_offset(end), buffer.get_iter_at_offset(start))

    def caret_line(self):
        buffer = self.get_buffer()
        location = self.get_iter_location(buffer.get_iter_at_mark(buffer.get_insert()))
        x, y = self.buffer_to_window_coords(Gtk.TextWindowType.WIDGET, location.x, location.y)
        return (*on_screen(x, y), max(1, location.width), location.height)


entry = MultilineField() if MULTILINE else Gtk.Entry()
entry.set_text(INITIAL)
if GTK4:
    window.set_child(entry)
else:
    window.add(entry)
loop = GLib.MainLoop()

# Read on the clock every process shares, so a benchmark can time a key to its text.
last_change = [time.monotonic_ns()]


def on_changed(*_arguments):
    last_change[0] = time.monotonic_ns()


(entry.get_buffer() if MULTILINE else entry).connect("changed", on_changed)


def on_screen(widget_x, widget_y):
    x, y = entry.translate_coordinates(window, widget_x, widget_y)
    origin_x, origin_y = window.get_window().get_origin()[1:]
    return origin_x + x, origin_y + y


def frame():
    if GTK4:
        return f"0 0 {entry.get_width()} {entry.get_height()}"
    x, y = on_screen(0, 0)
    allocation = entry.get_allocation()
    return f"{x} {y} {allocation.width} {allocation.height}"


def caret_line():
    if MULTILINE:
        return entry.caret_line()
    layout_x, layout_y = entry.get_layout_offsets()
    index = entry.text_index_to_layout_index(entry.get_position())
    byte_index = len(entry.get_text()[:index].encode("utf-8"))
    strong, _weak = entry.get_layout().get_cursor_pos(byte_index)
    x, y = on_screen(layout_x + strong.x // Pango.SCALE, layout_y + strong.y // Pango.SCALE)
    return x, y, max(1, strong.width // Pango.SCALE), strong.height // Pango.SCALE


def has_keyboard():
    if GTK4:
        # The keyboard goes to the entry's inner text widget.
        focus = window.get_focus()
        return window.is_active() and focus is not None and focus.is_ancestor(entry)
    return window.is_active() and entry.has_focus()


def announce_when_focused():
    if not has_keyboard():
        return True
    entry.set_position(CARET)
    print("ready " + frame(), flush=True)
    return False


def on_command(channel, _condition):
    line = channel.readline()
    if not line:
        loop.quit()
        return False
    command = line.strip()
    words = command.split()
    if command == "text":
        print("text " + json.dumps(entry.get_text(), ensure_ascii=True), flush=True)
    elif command in ("caret", "entry") and GTK4:
        print(command + " unsupported", flush=True)
    elif command == "caret":
        print("caret %d %d %d %d" % caret_line(), flush=True)
    elif command == "entry":
        print("entry " + frame(), flush=True)
    elif command == "secret" and MULTILINE:
        print("secret unsupported", flush=True)  # a text view has no password mode
    elif command == "secret":
        entry.set_visibility(False)
        # Input methods learn of a password from the purpose alone, not from the hidden text.
        entry.set_input_purpose(Gtk.InputPurpose.PASSWORD)
        print("secret ok", flush=True)
    elif command.startswith("set "):
        entry.set_text(json.loads(command[4:]))
        entry.set_position(-1)
        print("set ok", flush=True)
    elif words[:1] == ["select"] and len(words) == 3:
        entry.select_region(int(words[1]), int(words[2]))
        print("select ok", flush=True)
    elif command == "changed":
        print("changed %d" % last_change[0], flush=True)
    else:
        print("unknown", flush=True)
    return True


window.connect("destroy" if not GTK4 else "close-request", lambda *_: loop.quit())
GLib.timeout_add(20, announce_when_focused)
GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP,
                  on_command)
if not GTK4:
    window.show_all()
entry.grab_focus()
window.present()
loop.run()
