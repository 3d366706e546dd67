"""A private desktop for end-to-end runs of the real program.

Desktop starts a virtual X screen (Xvfb), a private D-Bus session with the
accessibility bus switched on as a screen reader switches it on, and a
throwaway home folder. Program starts the real binary in it, as the README
does, drives it with real key and mouse events (XTEST, through xdotool) and
reads it only through the accessibility bus (AT-SPI), as an assistive tool
does. Nothing here touches the user's own display, session or settings.
"""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

TIMEOUT = 15.0  # seconds any one condition may take


class E2EFailure(AssertionError):
    pass


def wait_for(condition, what, timeout=TIMEOUT, interval=0.03):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        pump()
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # the tree can change under a query
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise E2EFailure(f"timed out waiting for {what}{detail}")
        time.sleep(interval)


def pump():
    """Lets the accessibility library handle the events it has received."""
    if "gi.repository.GLib" in __import__("sys").modules:
        from gi.repository import GLib

        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)


class Desktop:
    def __init__(self, width=1280, height=800):
        self.root = tempfile.mkdtemp(prefix="quillory-e2e-")
        self.home = os.path.join(self.root, "home")
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(self.home)
        os.makedirs(runtime, mode=0o700)
        self._processes = []
        self.programs = []
        self._homes = 0
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "LANG": "C.UTF-8",
            "GSETTINGS_BACKEND": "memory",
            "NO_AT_BRIDGE": "0",
        }
        self.display = self._start_xvfb(width, height)
        self.env["DISPLAY"] = self.display
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._start_dbus()
        self._enable_accessibility()
        self._start_window_manager()
        # This process reads the tree: it must talk to the same buses.
        os.environ.update(self.env)
        import gi

        gi.require_version("Atspi", "2.0")
        import pyatspi  # noqa: F401  (connects to the bus set above)

    def new_home(self):
        """A fresh, empty home folder for the programs started from now on."""
        self._homes += 1
        self.home = os.path.join(self.root, f"home-{self._homes}")
        os.makedirs(self.home)
        self.env.update(HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_DATA_HOME=os.path.join(self.home, ".local", "share"))

    def end_programs(self):
        for program in self.programs:
            program.kill()
        self.programs.clear()

    def _spawn(self, argv, **kwargs):
        process = subprocess.Popen(argv, start_new_session=True, **kwargs)
        self._processes.append(process)
        return process

    def _start_xvfb(self, width, height):
        read_end, write_end = os.pipe()
        self._spawn(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + TIMEOUT
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk or time.monotonic() > deadline:
                raise E2EFailure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        return ":" + number.decode().strip()

    def _start_dbus(self):
        process = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env)
        address = process.stdout.readline().decode().strip()
        if not address:
            raise E2EFailure("the D-Bus session did not start")
        return address

    def _start_window_manager(self):
        # A desktop has one: it gives the keyboard back to a window when a
        # dialog over it closes, and it is what a close box talks to.
        self._spawn(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        wait_for(lambda: subprocess.run(
            ["xdotool", "search", "--class", "."], env=self.env,
            capture_output=True).returncode == 0, "the window manager")

    def _enable_accessibility(self):
        # What a screen reader does when it starts: the toolkits of programs
        # started afterwards then publish their windows on the accessibility bus.
        subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
             "string:IsEnabled", "variant:boolean:true"],
            env=self.env, check=True, stdout=subprocess.DEVNULL, timeout=TIMEOUT)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=TIMEOUT)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def click_at(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def right_click_at(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "3")

    def park_pointer(self):
        self.xdotool("mousemove", "0", "0")

    def screenshot(self, path, crop=None):
        argv = ["import", "-window", "root"]
        if crop is not None:
            x, y, w, h = crop
            argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        subprocess.run(argv + [path], env=self.env, check=True, timeout=TIMEOUT)
        return path

    def close(self):
        self.end_programs()
        for process in reversed(self._processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in self._processes:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
        shutil.rmtree(self.root, ignore_errors=True)


def send_delete_window(display, window_id):
    """Asks a window to close as a window manager's close box does."""
    xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    handle = xlib.XOpenDisplay(display.encode())
    if not handle:
        raise E2EFailure(f"cannot open display {display}")
    try:
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window_id
        event.xclient.message_type = xlib.XInternAtom(handle, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = xlib.XInternAtom(handle, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        xlib.XSendEvent(handle, window_id, 0, 0, ctypes.byref(event))
        xlib.XFlush(handle)
    finally:
        xlib.XCloseDisplay(handle)
