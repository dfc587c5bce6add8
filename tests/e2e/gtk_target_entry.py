"""A GTK 3 window titled "tiklo-e2e-target" with one focused text field that Tiklo types into.

Usage: gtk_target_entry.py [--multiline] [INITIAL_TEXT]

The field is a one-line entry, or with --multiline a text view where Return starts a line.

Prints "ready" once the entry has keyboard focus with the caret after the initial text,
then answers commands read from standard input, one line each:
  "text"   -> "text JSON", the entry's text as a JSON string (ASCII only)
  "caret"  -> "caret X Y WIDTH HEIGHT", the caret's line on screen, root coordinates
  "entry"  -> "entry X Y WIDTH HEIGHT", the entry on screen, root coordinates
  "set JSON" -> "set ok", after replacing the text with the JSON string, caret at its end
  "secret" -> "secret ok", after hiding the text as it is typed (a password entry)
  "changed" -> "changed NS", when the text last changed, CLOCK_MONOTONIC nanoseconds
"""

import json
import sys
import time

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk, Pango  # noqa: E402

ARGUMENTS = sys.argv[1:]
MULTILINE = bool(ARGUMENTS) and ARGUMENTS[0] == "--multiline"
if MULTILINE:
    ARGUMENTS = ARGUMENTS[1:]
INITIAL = ARGUMENTS[0] if ARGUMENTS else ""

# Focusing an entry selects all of its text by default; typing would replace it.
Gtk.Settings.get_default().set_property("gtk-entry-select-on-focus", False)

window = Gtk.Window(title="tiklo-e2e-target")
window.set_default_size(480, 200 if MULTILINE else 60)
window.move(200, 300)


class MultilineField(Gtk.TextView):
    """A text view answering the entry's calls that the commands use."""

    def get_text(self):
        buffer = self.get_buffer()
        return buffer.get_text(buffer.get_start_iter(), buffer.get_end_iter(), True)

    def set_text(self, text):
        self.get_buffer().set_text(text)

    def set_position(self, _position):
        buffer = self.get_buffer()
        buffer.place_cursor(buffer.get_end_iter())

    def caret_line(self):
        buffer = self.get_buffer()
        location = self.get_iter_location(buffer.get_iter_at_mark(buffer.get_insert()))
        x, y = self.buffer_to_window_coords(Gtk.TextWindowType.WIDGET, location.x, location.y)
        return (*on_screen(x, y), max(1, location.width), location.height)


entry = MultilineField() if MULTILINE else Gtk.Entry()
entry.set_text(INITIAL)
window.add(entry)

# Read on the clock every process shares, so a benchmark can time a key to its text.
last_change = [time.monotonic_ns()]


def on_changed(*_arguments):
    last_change[0] = time.monotonic_ns()


(entry.get_buffer() if MULTILINE else entry).connect("changed", on_changed)


def on_screen(widget_x, widget_y):
    x, y = entry.translate_coordinates(window, widget_x, widget_y)
    origin_x, origin_y = window.get_window().get_origin()[1:]
    return origin_x + x, origin_y + y


def caret_line():
    if MULTILINE:
        return entry.caret_line()
    layout_x, layout_y = entry.get_layout_offsets()
    index = entry.text_index_to_layout_index(entry.get_position())
    byte_index = len(entry.get_text()[:index].encode("utf-8"))
    strong, _weak = entry.get_layout().get_cursor_pos(byte_index)
    x, y = on_screen(layout_x + strong.x // Pango.SCALE, layout_y + strong.y // Pango.SCALE)
    return x, y, max(1, strong.width // Pango.SCALE), strong.height // Pango.SCALE


def announce_when_focused():
    if not window.is_active() or not entry.has_focus():
        return True
    entry.set_position(-1)
    print("ready", flush=True)
    return False


def on_command(channel, _condition):
    line = channel.readline()
    if not line:
        Gtk.main_quit()
        return False
    command = line.strip()
    if command == "text":
        print("text " + json.dumps(entry.get_text(), ensure_ascii=True), flush=True)
    elif command == "caret":
        print("caret %d %d %d %d" % caret_line(), flush=True)
    elif command == "secret" and MULTILINE:
        print("secret unsupported", flush=True)  # a text view has no password mode
    elif command == "secret":
        entry.set_visibility(False)
        print("secret ok", flush=True)
    elif command.startswith("set "):
        entry.set_text(json.loads(command[4:]))
        entry.set_position(-1)
        print("set ok", flush=True)
    elif command == "changed":
        print("changed %d" % last_change[0], flush=True)
    elif command == "entry":
        x, y = on_screen(0, 0)
        allocation = entry.get_allocation()
        print(f"entry {x} {y} {allocation.width} {allocation.height}", flush=True)
    else:
        print("unknown", flush=True)
    return True


window.connect("destroy", Gtk.main_quit)
GLib.timeout_add(20, announce_when_focused)
GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP,
                  on_command)
window.show_all()
entry.grab_focus()
window.present()
Gtk.main()
