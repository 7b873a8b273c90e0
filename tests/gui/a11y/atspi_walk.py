#!/usr/bin/python3
"""Reads the whole accessibility tree of a program over AT-SPI, as a screen reader does.

  atspi_walk.py PROGRAM [ARGS...]

Run inside a private session bus with the accessibility bus up (see atspi_test.sh). Starts
PROGRAM, waits until it shows TOTAL windows (it prints "ready N" on its standard output),
then walks every node: GetAll and Get of every property of every interface, the children,
the Application interface of the root. Fails when the program dies on the way or a node
without a name is a status field or a button."""
import os
import subprocess
import sys
import time

from gi.repository import Gio, GLib

ATSPI = "org.a11y.atspi."
ROOT = "/org/a11y/atspi/accessible/root"
# Roles (AT-SPI numbering) a screen reader announces by name: push button, toggle button,
# check box, radio button, label with a frame (status fields are labels), text field.
NAMED_ROLES = {43: "push button", 62: "toggle button", 8: "check box", 45: "radio button"}
# What a client reads one at a time when GetAll is refused.
PROPERTIES = {
    "Accessible": ["Name", "Description", "Parent", "ChildCount", "Locale", "AccessibleId"],
    "Application": ["ToolkitName", "Version", "AtspiVersion", "Id"],
    "Text": ["CharacterCount", "CaretOffset"],
    "Value": ["MinimumValue", "MaximumValue", "MinimumIncrement", "CurrentValue"],
    "Table": ["NRows", "NColumns", "Caption", "Summary", "NSelectedRows", "NSelectedColumns"],
    "Action": ["NActions"],
}


def call(bus, name, path, interface, method, args=None, reply=None):
    return bus.call_sync(name, path, interface, method, args,
                         GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 5000, None).unpack()


def a11y_bus():
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    (address,) = call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                      reply="(s)")
    return Gio.DBusConnection.new_for_address_sync(
        address,
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)


def find_application(bus, pid):
    for _ in range(100):
        (names,) = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                        "org.freedesktop.DBus", "ListNames", reply="(as)")
        for name in names:
            if not name.startswith(":"):
                continue
            try:
                (owner,) = call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                "org.freedesktop.DBus", "GetConnectionUnixProcessID",
                                GLib.Variant("(s)", (name,)), "(u)")
            except GLib.Error:
                continue
            if owner == pid:
                return name
        time.sleep(0.1)
    return None


def walk(bus, name, program):
    seen = set()
    todo = [ROOT]
    unnamed = []
    nodes = 0
    while todo:
        path = todo.pop()
        if path in seen:
            continue
        seen.add(path)
        nodes += 1
        (interfaces,) = call(bus, name, path, ATSPI + "Accessible", "GetInterfaces", reply="(as)")
        # Every property, all at once and one at a time: the reads of a screen reader.
        for interface in interfaces + ["org.a11y.atspi.Accessible"]:
            try:
                (props,) = call(bus, name, path, "org.freedesktop.DBus.Properties", "GetAll",
                                GLib.Variant("(s)", (interface,)), "(a{sv})")
            except GLib.Error:
                props = PROPERTIES.get(interface.rsplit(".", 1)[-1], [])
            for prop in props:
                try:
                    call(bus, name, path, "org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", (interface, prop)), "(v)")
                except GLib.Error:
                    pass
            if program.poll() is not None:
                sys.exit("the program ended (status %d) after GetAll of %s on %s"
                         % (program.returncode, interface, path))
        for method in ("GetRole", "GetState", "GetAttributes", "GetApplication", "GetIndexInParent",
                       "GetRelationSet", "GetLocalizedRoleName", "GetRoleName"):
            try:
                call(bus, name, path, ATSPI + "Accessible", method)
            except GLib.Error:
                pass
        (role,) = call(bus, name, path, ATSPI + "Accessible", "GetRole", reply="(u)")
        accessible_name = call(bus, name, path, "org.freedesktop.DBus.Properties", "Get",
                               GLib.Variant("(ss)", (ATSPI + "Accessible", "Name")), "(v)")[0]
        if role in NAMED_ROLES and not accessible_name.strip():
            unnamed.append("%s %s" % (NAMED_ROLES[role], path))
        (children,) = call(bus, name, path, ATSPI + "Accessible", "GetChildren",
                           reply="(a(so))")
        todo.extend(child for owner, child in children if owner == name)
        if program.poll() is not None:
            sys.exit("the program ended (status %d) reading %s" % (program.returncode, path))
    return nodes, unnamed


def main():
    # A program that does not say "ready" (the real cardwise) is given a few seconds.
    wait = os.environ.get("ATSPI_WAIT_SECONDS")
    program = subprocess.Popen(sys.argv[1:], stdout=None if wait else subprocess.PIPE, text=True)
    line = "ready" if wait else program.stdout.readline()
    if wait:
        time.sleep(float(wait))
    if not line.startswith("ready"):
        sys.exit("the program did not come up: %r (status %s)" % (line, program.poll()))
    bus = a11y_bus()
    name = find_application(bus, program.pid)
    if name is None:
        program.kill()
        sys.exit("the program is not on the accessibility bus")
    try:
        nodes, unnamed = walk(bus, name, program)
    finally:
        if program.poll() is None:
            program.terminate()
            program.wait(10)
    print("%d nodes read" % nodes)
    if unnamed:
        sys.exit("without an accessible name:\n  " + "\n  ".join(unnamed))
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
