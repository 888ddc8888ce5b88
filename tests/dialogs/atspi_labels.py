#!/usr/bin/python3
"""Prints every combo box that the accessibility bus shows, one a line: the
names of the labels it is labelled by, joined by "|". Waits for an
application to show one."""
import time

import dbus

ACCESSIBLE = 'org.a11y.atspi.Accessible'
ROLE_COMBO_BOX = 11
RELATION_LABELLED_BY = 2

address = dbus.SessionBus().get_object('org.a11y.Bus', '/org/a11y/bus').GetAddress(dbus_interface='org.a11y.Bus')
bus = dbus.bus.BusConnection(address)


def call(node, method):
    return bus.get_object(str(node[0]), node[1], introspect=False).get_dbus_method(method, ACCESSIBLE)()


def name(node):
    properties = 'org.freedesktop.DBus.Properties'
    return str(bus.get_object(str(node[0]), node[1], introspect=False).Get(ACCESSIBLE, 'Name', dbus_interface=properties))


def combos(node):
    if call(node, 'GetRole') == ROLE_COMBO_BOX:
        relations = call(node, 'GetRelationSet')
        yield '|'.join(name(t) for kind, targets in relations if kind == RELATION_LABELLED_BY for t in targets)
    for child in call(node, 'GetChildren'):
        yield from combos(child)


for attempt in range(100):
    apps = call(('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root'), 'GetChildren')
    lines = [line for app in apps for line in combos(app)]
    if lines:
        print('\n'.join(lines))
        break
    time.sleep(0.2)
