"""A GTK 3 window with one focused text entry, for the AT-SPI tests.

Prints "ready X Y WIDTH HEIGHT" (the window's client area on screen) once the entry has
keyboard focus with the caret at offset 5, then answers commands read from standard input:
"select START END" and "caret OFFSET", each with "ok".
"""

import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

TEXT = "tiklo caret probe"
CARET = 5

# Focusing an entry selects all of its text by default.
Gtk.Settings.get_default().set_property("gtk-entry-select-on-focus", False)

window = Gtk.Window(title="tiklo-gtk-entry")
window.set_default_size(400, 80)
entry = Gtk.Entry()
entry.set_text(TEXT)
window.add(entry)


def announce_when_focused():
    if not window.is_active() or not entry.has_focus():
        return True
    entry.set_position(CARET)
    x, y = window.get_window().get_origin()[1:]
    print(f"ready {x} {y} {window.get_allocated_width()} {window.get_allocated_height()}",
          flush=True)
    return False


def on_command(channel, _condition):
    line = channel.readline()
    if not line:
        Gtk.main_quit()
        return False
    words = line.split()
    if words[:1] == ["select"] and len(words) == 3:
        entry.select_region(int(words[1]), int(words[2]))
    elif words[:1] == ["caret"] and len(words) == 2:
        entry.set_position(int(words[1]))
    print("ok", flush=True)
    return True


window.connect("destroy", Gtk.main_quit)
GLib.timeout_add(20, announce_when_focused)
GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP,
                  on_command)
window.show_all()
entry.grab_focus()
window.present()
Gtk.main()
