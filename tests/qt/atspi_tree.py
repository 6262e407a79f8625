#!/usr/bin/env python3
"""The Unistrip sample as a screen reader reads it: through AT-SPI, over D-Bus.

Starts the sample program on a private session bus and a virtual X display (Qt's offscreen
platform has no AT-SPI bridge) with Qt's AT-SPI bridge switched on,
walks its accessibility tree with pyatspi and checks what a screen reader would announce
for each bar: a progress bar named after its label, with a value between its minimum and
maximum, and one child per drawn block inside the bar's extents, named by the block's text
as drawn, with the block's percentage as value. The tree is printed (role, name, value of
each node).

    atspi_tree.py PROGRAM [--print-only]
    atspi_tree.py --session COMMAND [ARG]...

The second form runs COMMAND in the same surroundings (private bus, virtual display, Qt on
xcb with its AT-SPI bridge) and exits with its status: widget tests that need Qt's
accessibility switched on run there.

Exits 77 (skipped) when AT-SPI cannot be reached here (no pyatspi, no dbus-run-session, no
Xvfb, no accessibility bus); with VG_REQUIRE_ATSPI set in the environment that is a
failure.
"""
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
PRIVATE_BUS_MARK = "VG_ATSPI_PRIVATE_BUS"


def unavailable(why):
    if os.environ.get("VG_REQUIRE_ATSPI"):
        print("FAIL: AT-SPI is required here, but " + why)
        sys.exit(1)
    print("SKIP: " + why)
    sys.exit(SKIPPED)


def on_private_bus():
    """Runs this script again inside its own session bus (and so its own accessibility
    bus), so that nothing of the user's desktop is read or disturbed."""
    if os.environ.get(PRIVATE_BUS_MARK):
        return
    runner = shutil.which("dbus-run-session")
    if not runner:
        unavailable("dbus-run-session is not installed")
    env = dict(os.environ, **{PRIVATE_BUS_MARK: "1"})
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    env.pop("AT_SPI_BUS_ADDRESS", None)
    sys.exit(subprocess.call([runner, "--", sys.executable] + sys.argv, env=env))


def start_display():
    """A virtual X display of 24 bits; returns its process and its name (":N")."""
    xvfb = shutil.which("Xvfb")
    if not xvfb:
        unavailable("Xvfb is not installed")
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        [xvfb, "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 20
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        process.kill()
        unavailable("Xvfb did not start")
    return process, ":" + number.decode().strip()


# The bar the test fills by pressing its Start button.
FILLED_BAR = "Progress bar with color white gradient (maximum):"


def find_application(pyatspi, name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def value_of(node):
    try:
        v = node.queryValue()
    except NotImplementedError:
        return None
    return (v.currentValue, v.minimumValue, v.maximumValue)


def extents_of(pyatspi, node):
    try:
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except NotImplementedError:
        return None
    return (e.x, e.y, e.width, e.height)


def walk(pyatspi, node, depth, out):
    role = node.getRoleName()
    out.append((depth, node, role, node.name, value_of(node), extents_of(pyatspi, node)))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(pyatspi, child, depth + 1, out)


def fmt(value):
    return "%g" % value


def show(rows):
    for depth, _, role, name, value, extents in rows:
        text = "  " * depth + "%s \"%s\"" % (role, name)
        if value is not None:
            text += " value %s (%s..%s)" % tuple(fmt(v) for v in value)
        if extents is not None:
            text += " at %d,%d %dx%d" % extents
        print(text)


def check(pyatspi, rows):
    """What a screen reader needs of each bar; returns the faults found. Bars at 0 draw no
    block, so they have no child; the filled one has one, and the status bar two (its text
and its clock)."""
    faults = []
    bars = [r for r in rows if r[2] == "progress bar" and r[1].parent.getRoleName() != "progress bar"]
    labels = ["Progress bar with only color:", "Progress bar with color and diagonal cross:"]
    names = [r[3] for r in bars]
    if len(bars) != 8:
        faults.append("expected 8 bars (seven and the status bar), found %d: %s" % (len(bars), names))
    for label in labels:
        if label not in names:
            faults.append("no bar is named by its label \"%s\"" % label)
    if "Status bar" not in names:
        faults.append("the status bar is not named")
    for _, node, _, name, value, extents in bars:
        if not name:
            faults.append("a bar without a name")
        if value is None:
            faults.append("bar \"%s\" has no value" % name)
        elif not value[1] <= value[0] <= value[2]:
            faults.append("bar \"%s\": value %s outside %s..%s" % ((name,) + value))
        if value is not None and value[0] == 0 and node.childCount:
            faults.append("bar \"%s\" at 0 lists a block it does not draw" % name)
        for i in range(node.childCount):
            block = node.getChildAtIndex(i)
            b_extents = extents_of(pyatspi, block)
            b_value = value_of(block)
            if block.getRoleName() != "progress bar":
                faults.append("block of \"%s\" has role %s" % (name, block.getRoleName()))
            if b_value is None:
                faults.append("block of \"%s\" has no value" % name)
            if extents and b_extents:
                x, y, w, h = extents
                bx, by, bw, bh = b_extents
                if not (x <= bx and y <= by and bx + bw <= x + w and by + bh <= y + h):
                    faults.append("block of \"%s\" at %s lies outside the bar at %s"
                                  % (name, b_extents, extents))
    status = [r for r in bars if r[3] == "Status bar"]
    if status:
        node, extents = status[0][1], status[0][5]
        widths = [extents_of(pyatspi, node.getChildAtIndex(i))[2] for i in range(node.childCount)]
        if len(widths) < 2 or len(set(widths)) != len(widths) or extents[2] in widths:
            faults.append("the status bar's blocks are %s wide in a bar %d wide: not their own"
                          % (widths, extents[2]))
    # The filled bar: its block names and values its share as the block text shows it.
    filled = [r for r in bars if r[3] == FILLED_BAR]
    if filled:
        node = filled[0][1]
        if filled[0][4] is None or filled[0][4][0] != 100:
            faults.append("the filled bar's value is %s, not 100" % (filled[0][4],))
        if node.childCount != 1:
            faults.append("the filled bar has %d blocks, not 1" % node.childCount)
        else:
            block = node.getChildAtIndex(0)
            if block.name != "100 %" or value_of(block)[0] != 100:
                faults.append("the filled bar's block reads \"%s\" %s" % (block.name, value_of(block)))
    else:
        faults.append("the filled bar was not found")
    return faults


def run_in_session(pyatspi, command):
    # Qt's bridge waits for the accessibility bus to be registered; a client asking for the
    # desktop starts it, as a screen reader's start would.
    pyatspi.Registry.getDesktop(0)
    display_process, display = start_display()
    env = qt_environment(display)
    env["QT_QPA_PLATFORM"] = "xcb"
    try:
        return subprocess.call(command, env=env)
    finally:
        stop(display_process)


def qt_environment(display):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               DISPLAY=display)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def stop(process):
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()


def value_announcements(pyatspi, app, seconds):
    """Presses the first Start button through AT-SPI, as a screen-reader user would, and
    collects the values announced for the first bar while it fills."""
    seen = []

    def heard(event):
        if event.source is not None and event.source.getRoleName() == "progress bar":
            try:
                seen.append(event.source.queryValue().currentValue)
            except NotImplementedError:
                pass

    kinds = ["object:property-change:accessible-value", "object:value-changed"]
    for kind in kinds:
        pyatspi.Registry.registerEventListener(heard, kind)
    buttons = []
    window = app.getChildAtIndex(0)
    for i in range(window.childCount):
        child = window.getChildAtIndex(i)
        if child.getRoleName() == "push button":
            buttons.append(child)
    if not buttons:
        return seen
    buttons[0].queryAction().doAction(0)
    from gi.repository import GLib
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start()
    for kind in kinds:
        pyatspi.Registry.deregisterEventListener(heard, kind)
    return seen


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    session = sys.argv[1] == "--session"
    program = sys.argv[1]
    print_only = "--print-only" in sys.argv[2:]
    try:
        import pyatspi  # noqa: F401  (the system's python3-pyatspi)
    except ImportError:
        unavailable("pyatspi is not installed (Debian: python3-pyatspi)")
    on_private_bus()
    import pyatspi
    if session:
        return run_in_session(pyatspi, sys.argv[2:])

    display_process, display = start_display()
    env = qt_environment(display)
    with tempfile.TemporaryDirectory() as tmp:
        # The screenshot mode presses the sample's buttons (the third bar fills to 100) and
        # writes its picture long after the tree has been read.
        args = [program, "--platform", "xcb", "--screenshot", os.path.join(tmp, "shot.png"),
                "--after", "120000", "--press", "Command1:2"]
        app_process = subprocess.Popen(args, env=env)
        try:
            name = os.path.basename(program)
            app = find_application(pyatspi, name, 20)
            if app is None:
                if app_process.poll() is not None:
                    print("FAIL: %s ended (%s) before it showed on the accessibility bus"
                          % (name, app_process.returncode))
                    return 1
                unavailable("%s did not show on the accessibility bus" % name)
            # The window and its widgets are there once the bars are, and the pressed bar
            # has filled once it reads 100 (slowly under a sanitizer).
            rows = []
            deadline = time.monotonic() + 60
            while time.monotonic() < deadline:
                rows = []
                walk(pyatspi, app, 0, rows)
                filled = [r for r in rows if r[2] == "progress bar" and r[3] == FILLED_BAR]
                if (sum(1 for r in rows if r[2] == "progress bar") >= 8 and filled
                        and filled[0][4] is not None and filled[0][4][0] == 100):
                    break
                time.sleep(0.2)
            show(rows)
            if print_only:
                return 0
            faults = check(pyatspi, rows)
            # Pressing Start fills the first bar; each step is announced.
            values = value_announcements(pyatspi, app, 3)
            print("announced values: %s" % " ".join(fmt(v) for v in values[:12])
                  + (" ..." if len(values) > 12 else ""))
            if len(values) < 10 or max(values) != 100:
                faults.append("filling a bar announced %d values, up to %s"
                              % (len(values), max(values) if values else None))
            for f in faults:
                print("FAIL: " + f)
            return 1 if faults else 0
        finally:
            stop(app_process)
            stop(display_process)


if __name__ == "__main__":
    sys.exit(main())
