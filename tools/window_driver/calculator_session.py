"""Uses the calculator under Wine as a person does: real X11 key presses and
mouse clicks (xdotool) into the window, which calculator_probe.exe reads back.

Shared by the run command's screenshot and the test of a person's session.
Needs an X display, and WINEPREFIX and the Japanese locale set as the run and
test commands set them.
"""

import contextlib
import subprocess
import tempfile
import time
from pathlib import Path
from typing import NamedTuple

# The form's controls, as the window's C++ header ui/window_ids.h numbers them.
TEMPERATURE_EDIT = 1009
EGG_PERIOD_EDIT = 1010
CALCULATE_BUTTON = 1007
EXIT_BUTTON = 1008
CREDIT_LINE = 1012
ALL_CONTROLS = range(1000, CREDIT_LINE + 1)

POLL_SECONDS = 0.1
WAIT_SECONDS = 20
# Pause between typed keys: Wine reads X events as they come.
KEY_DELAY_MS = 30

EXPLORER_KEY = r"HKCU\Software\Wine\Explorer"


class Control(NamedTuple):
    x: int  # client pixels
    y: int
    width: int
    height: int
    text: str


class Window(NamedTuple):
    rect: tuple  # left, top, right, bottom, in screen pixels
    iconic: bool
    client: tuple  # screen pixels of the client area's top left corner
    controls: dict  # identifier -> Control
    spots: dict  # "close", "minimize" (or restore), "size" -> screen (x, y)


def wine(*args, **options):
    return subprocess.run(["wine", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          **options)


@contextlib.contextmanager
def wine_desktop(name, size):
    """Every program started inside the block shares one Wine desktop, on which
    Wine draws window frames and captions, at (0, 0) of the X screen."""
    wine("reg", "add", EXPLORER_KEY, "/v", "Desktop", "/d", name, "/f")
    wine("reg", "add", EXPLORER_KEY + r"\Desktops", "/v", name, "/d", size, "/f")
    try:
        yield
    finally:
        wine("reg", "delete", EXPLORER_KEY, "/v", "Desktop", "/f")


class Calculator(NamedTuple):
    process: subprocess.Popen  # the wine process; its return code is the exit code
    pid: int  # the Windows process id, by which its window is found
    bin_dir: Path


def run_probe(bin_dir, *arguments):
    """calculator_probe.exe's output lines, or None if it failed."""
    # Into a file, not a pipe: a Wine server started by this call would hold
    # the pipe open, and reading it would wait for the server to end.
    with tempfile.TemporaryFile(mode="w+") as output:
        result = subprocess.run(
            ["wine", str(Path(bin_dir) / "calculator_probe.exe"), *map(str, arguments)],
            stdout=output, stderr=subprocess.DEVNULL)
        output.seek(0)
        lines = output.read().splitlines()
    return lines if result.returncode == 0 else None


def calculator_processes(bin_dir):
    """The Windows process ids of the calculator windows there are now."""
    return {int(line.split()[1]) for line in run_probe(bin_dir, "--processes") or []}


def start_calculator(bin_dir, seconds=WAIT_SECONDS):
    """Starts EggPeriod.exe and waits for its window: the new calculator window,
    whatever other calculators there are. Ends the process if none appears."""
    others = calculator_processes(bin_dir)
    process = subprocess.Popen(["wine", str(Path(bin_dir) / "EggPeriod.exe")],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + seconds
    while True:
        started = calculator_processes(bin_dir) - others
        if started:
            return Calculator(process, started.pop(), Path(bin_dir))
        if process.poll() is not None or time.monotonic() > deadline:
            stop(process)
            raise AssertionError(f"no calculator window appeared in {seconds} s")
        time.sleep(POLL_SECONDS)


def end_process(process, seconds=WAIT_SECONDS):
    """Waits for the process to end and returns its exit code; kills it if it
    does not end in time and returns None."""
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        stop(process)
        return None


def stop(process):
    """Ends the process at once if it still runs: the clean-up of a test."""
    if process.poll() is None:
        process.kill()
        process.wait()


def probe(calculator, timeout_ms=WAIT_SECONDS * 1000):
    """The calculator's window as calculator_probe.exe reads it, or None."""
    lines = run_probe(calculator.bin_dir, timeout_ms, calculator.pid)
    if lines is None:
        return None
    rect, iconic, client, controls, spots = None, False, None, {}, {}
    for line in lines:
        kind, *fields = line.split()
        if kind == "window":
            rect = tuple(int(f) for f in fields[:4])
            iconic = fields[4] == "1"
        elif kind == "client":
            client = (int(fields[0]), int(fields[1]))
        elif kind == "control":
            text = "" if fields[5] == "-" else bytes.fromhex(fields[5]).decode("cp932")
            controls[int(fields[0])] = Control(*(int(f) for f in fields[1:5]), text)
        elif kind == "spot":
            spots[fields[0]] = (int(fields[1]), int(fields[2]))
    return Window(rect, iconic, client, controls, spots)


def wait_for(calculator, condition, what, seconds=WAIT_SECONDS):
    """Probes the window until `condition(window)` holds and returns it. Raises
    AssertionError naming `what` and the window's state when it does not."""
    deadline = time.monotonic() + seconds
    window = None
    while True:
        window = probe(calculator, timeout_ms=0) or window
        if window is not None and condition(window):
            return window
        if time.monotonic() > deadline:
            seen = "no window" if window is None else describe(window)
            raise AssertionError(f"waited {seconds} s for {what}; saw {seen}")
        time.sleep(POLL_SECONDS)


def describe(window):
    temperature = window.controls[TEMPERATURE_EDIT].text
    period = window.controls[EGG_PERIOD_EDIT].text
    return (f"window at {window.rect}{' minimised' if window.iconic else ''}, "
            f"temperature field {temperature!r}, result field {period!r}")


def click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)


def click_control(window, identifier):
    """Clicks the middle of a control of the form."""
    control = window.controls[identifier]
    click_at(window.client[0] + control.x + control.width // 2,
             window.client[1] + control.y + control.height // 2)


def drag(start, offset):
    """Presses the left button at `start`, moves by `offset` and releases it."""
    x, y = start
    dx, dy = offset
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "mousedown", "1",
                    "mousemove", str(x + dx // 2), str(y + dy // 2),
                    "mousemove", str(x + dx), str(y + dy), "mouseup", "1"], check=True)


def enter_keys(window, keys):
    """Clicks into the temperature field and presses the keys by their X names;
    "type:TEXT" types TEXT."""
    click_control(window, TEMPERATURE_EDIT)
    for key in keys:
        if key.startswith("type:"):
            type_text(key[len("type:"):])
        else:
            press(key)


def calculate(window, keys):
    """Enters the keys into the temperature field and clicks Calculate."""
    enter_keys(window, keys)
    click_control(window, CALCULATE_BUTTON)


def press(*keys):
    """Presses keys by their X names ("End", "BackSpace", "Return", "alt+F4")."""
    subprocess.run(["xdotool", "key", "--delay", str(KEY_DELAY_MS), *keys], check=True)


@contextlib.contextmanager
def clipboard_holding(text):
    """Inside the block the X clipboard, from which Wine pastes, holds `text`."""
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                             stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    owner.stdin.write(text.encode())
    owner.stdin.close()
    try:
        yield
    finally:
        owner.terminate()
        owner.wait()


def type_text(text):
    # "--": a text may start with "-".
    subprocess.run(["xdotool", "type", "--delay", str(KEY_DELAY_MS), "--", text], check=True)


def fields_read(temperature, period):
    """A condition: the temperature and result fields hold these texts."""
    return lambda window: (window.controls[TEMPERATURE_EDIT].text == temperature
                           and window.controls[EGG_PERIOD_EDIT].text == period)
