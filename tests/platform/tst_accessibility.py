#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader finds in the window, read through the accessibility bus (AT-SPI) from the
# running program: every control's name and role, the gauges' values, and after a run started
# through the bus the table's rows, columns, header, current cell and a cell's text.
#   tst_accessibility.py PROGRAM    (under a session bus and an X display; see tst_accessibility.sh)
import os
import subprocess
import sys
import time
import unittest

import pyatspi

TITLE = "Satellite orbit simulation"
PROGRAM = None
window = None
process = None


def wait_for(check, timeout, what):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def find_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        for child in app:
            if child is not None and child.getRole() == pyatspi.ROLE_FRAME and child.name == TITLE:
                return child
    return None


def walk(node):
    yield node
    if node.getRole() == pyatspi.ROLE_TABLE:
        return  # its cells are read through the table interface
    for child in node:
        if child is not None:
            yield from walk(child)


def find(role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            return node
    raise AssertionError("no %s named %r" % (role, name))


def text_of(node):
    return node.queryText().getText(0, -1)


def enabled(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def setUpModule():
    global window, process
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([PROGRAM], env=env)
    window = wait_for(find_window, 30, "the window on the accessibility bus")
    # Start-up ends with the flash of the run group; the fields are empty after it.
    wait_for(lambda: text_of(find(pyatspi.ROLE_TEXT, "Initial altitude (km)")) == "20200", 30,
             "the GPS preset")


def tearDownModule():
    if process is not None:
        process.terminate()
        process.wait(timeout=30)


FIELDS = ["Initial altitude (km)", "Initial speed (km/h)", "G", "Altitude (km)", "Alt max (km)",
          "Flight duration"]
GROUPS = ["Parametres (Initial values: GPS Satellite)", "Initial altitude (km)",
          "Initial speed (km/h)", "Ready available values", "G", "Program execution", "Zoom",
          "Simulation", "Altitude (km)", "Alt max (km)", "Flight duration",
          "Inertia and gravitation vectors"]
BUTTONS = ["Start", "Pause", "Stop", "g=0", "Zoom in, larger picture", "Zoom out, smaller picture"]
PRESETS = ["IS Station", "GPS satellite", "GEO-S satellite"]
GAUGES = ["Inertia vector", "Vertical gravity component", "Horizontal gravity component"]
TABLE = "Flight table, one row per simulated second"
# Controls a user reads or operates: each must have a name.
NAMED_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT,
               pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_TABLE, pyatspi.ROLE_CANVAS,
               pyatspi.ROLE_FRAME}


class Accessibility(unittest.TestCase):
    # The tests run in the order of their names: the run comes last.

    def test_a_every_control_named_with_its_role(self):
        expected = ([(pyatspi.ROLE_TEXT, n) for n in FIELDS] +
                    [(pyatspi.ROLE_PANEL, n) for n in GROUPS] +
                    [(pyatspi.ROLE_PUSH_BUTTON, n) for n in BUTTONS] +
                    [(pyatspi.ROLE_RADIO_BUTTON, n) for n in PRESETS] +
                    [(pyatspi.ROLE_PROGRESS_BAR, n) for n in GAUGES] +
                    [(pyatspi.ROLE_TABLE, TABLE), (pyatspi.ROLE_CANVAS, "Orbit drawing"),
                     (pyatspi.ROLE_TEXT, "Notes on the program"),
                     (pyatspi.ROLE_TEXT, "Legend of the vector colours")])
        for role, name in expected:
            with self.subTest(name=name):
                find(role, name)
        for node in walk(window):
            if node.getRole() in NAMED_ROLES:
                self.assertTrue(node.name, "a nameless " + node.getRoleName())
        self.assertTrue(find(pyatspi.ROLE_CANVAS, "Orbit drawing").description)

    def test_b_fields_and_buttons_as_the_window_shows_them(self):
        self.assertEqual(text_of(find(pyatspi.ROLE_TEXT, "Initial speed (km/h)")), "14000")
        self.assertEqual(text_of(find(pyatspi.ROLE_TEXT, "G")), "9,81")
        self.assertFalse(enabled(find(pyatspi.ROLE_TEXT, "G")))
        self.assertTrue(enabled(find(pyatspi.ROLE_TEXT, "Initial speed (km/h)")))
        states = {name: enabled(find(pyatspi.ROLE_PUSH_BUTTON, name)) for name in BUTTONS}
        self.assertEqual(states, {"Start": True, "Pause": False, "Stop": False, "g=0": True,
                                  "Zoom in, larger picture": True,
                                  "Zoom out, smaller picture": True})
        # The description is the hint, which names the button's key.
        for name, key in [("Start", "F5"), ("Pause", "F6"), ("Stop", "F7"), ("g=0", "F8"),
                          ("Zoom in, larger picture", "Ctrl+")]:
            self.assertIn("(" + key, find(pyatspi.ROLE_PUSH_BUTTON, name).description)
        self.assertTrue(find(pyatspi.ROLE_RADIO_BUTTON, "GPS satellite").getState()
                        .contains(pyatspi.STATE_CHECKED))

    def test_c_gauges_expose_their_range_and_value(self):
        for name in GAUGES:
            value = find(pyatspi.ROLE_PROGRESS_BAR, name).queryValue()
            self.assertEqual((value.minimumValue, value.maximumValue, value.currentValue),
                             (0, 100, 0), name)

    def test_d_a_run_started_through_the_bus_fills_the_table(self):
        start = find(pyatspi.ROLE_PUSH_BUTTON, "Start")
        action = start.queryAction()
        press = [action.getName(i) for i in range(action.nActions)].index("Press")
        action.doAction(press)
        altitude = find(pyatspi.ROLE_TEXT, "Altitude (km)")
        wait_for(lambda: text_of(altitude) == "Crashed", 60, "the GPS run to end")
        wait_for(lambda: enabled(start), 10, "Start enabled again")
        self.assertFalse(enabled(find(pyatspi.ROLE_PUSH_BUTTON, "Stop")))

        table = find(pyatspi.ROLE_TABLE, TABLE).queryTable()
        self.assertEqual(table.nColumns, 4)
        self.assertEqual([table.getColumnHeader(c).name for c in range(4)],
                         ["Time (s)", "Alt (km)", "Galt", "fV (km/s)"])
        # One row per simulated second: the duration field counts one second past the last row.
        hours, minutes, seconds = (int(part) for part in
                                   text_of(find(pyatspi.ROLE_TEXT, "Flight duration")).split(":"))
        rows = table.nRows
        self.assertEqual(rows, hours * 3600 + minutes * 60 + seconds)
        self.assertGreater(rows, 10000)
        self.assertEqual(table.getAccessibleAt(0, 0).name, " 0")
        self.assertEqual(table.getAccessibleAt(0, 1).name, " 20200")
        self.assertEqual(table.getAccessibleAt(rows - 1, 0).name, " %d" % (rows - 1))
        self.assertEqual(table.getAccessibleAt(rows - 1, 1).name, " 0")  # on the ground
        self.assertTrue(table.isSelected(rows - 1, 0))  # the last row is the current one

        values = [find(pyatspi.ROLE_PROGRESS_BAR, name).queryValue().currentValue
                  for name in GAUGES]
        self.assertTrue(all(0 <= v <= 100 for v in values), values)
        self.assertTrue(any(v > 0 for v in values), values)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
