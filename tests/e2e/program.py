"""The real Quillory program on a Desktop, seen as an assistive tool sees it.

Every query goes through the accessibility bus: windows by title, controls by
role and accessible name, texts through the text interface, states through
the state set, positions through the component interface. Every action is a
real key press or mouse click on the virtual screen.
"""

import os
import re
import subprocess

from desktop import E2EFailure, TIMEOUT, send_delete_window, wait_for

SOURCE_ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LAUNCHER = os.path.join(SOURCE_ROOT, "tools", "run-quillory.sh")


def pyatspi():
    import pyatspi as module

    return module


def role(acc):
    return acc.getRoleName()


def name(acc):
    return acc.name or ""


def children(acc):
    try:
        return [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    except Exception:
        return []


def descendants(acc, depth=12):
    found = []
    stack = [(acc, 0)]
    while stack:
        node, level = stack.pop()
        for child in children(node):
            if child is None:
                continue
            found.append(child)
            if level < depth:
                stack.append((child, level + 1))
    return found


def has_state(acc, state_name):
    state = getattr(pyatspi(), "STATE_" + state_name.upper())
    return acc.getState().contains(state)


def text_of(acc):
    """What a screen reader reads as the content of a control."""
    try:
        text = acc.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return name(acc)


def extents(acc):
    box = acc.queryComponent().getExtents(pyatspi().DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


class Program:
    """One run of a program, from its start to its exit."""

    def __init__(self, desktop, binary, args=(), through_launcher=True):
        self.desktop = desktop
        argv = [LAUNCHER, binary, *args] if through_launcher else [binary, *args]
        env = dict(desktop.env, QT_QPA_PLATFORM="xcb")
        self.stderr_path = os.path.join(desktop.root, f"stderr-{len(os.listdir(desktop.root))}")
        with open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                            stdout=subprocess.PIPE, stderr=stderr)
        self._app = None
        desktop.programs.append(self)

    # The program and its windows.

    @property
    def app(self):
        if self._app is None:
            def find():
                desktop = pyatspi().Registry.getDesktop(0)
                for app in children(desktop):
                    if app is not None and app.get_process_id() == self.process.pid:
                        return app
                return None

            self._app = wait_for(find, f"program {self.process.pid} on the accessibility bus")
        return self._app

    def windows(self):
        self.app.clear_cache()
        return [w for w in children(self.app) if w is not None and has_state(w, "showing")]

    def windows_with(self, role_name):
        return [w for w in self.windows() if role(w) == role_name]

    def window(self, title, roles=("dialog", "alert", "frame", "window")):
        def find():
            for w in self.windows():
                if name(w) == title and role(w) in roles:
                    return w
            return None

        return wait_for(find, f"window \"{title}\"")

    def message(self):
        """The open message box: (window, its text)."""
        def find():
            for w in self.windows():
                if role(w) == "alert":
                    labels = [name(c) for c in descendants(w) if role(c) == "label" and name(c)]
                    if labels:
                        return w, "\n".join(labels)
            return None

        return wait_for(find, "a message box")

    def dismiss_message(self):
        """Reads the open message box and closes it with Enter, its default button."""
        box, text = self.message()
        wait_for(lambda: has_state(box, "active"), "the message box to take the keyboard")
        self.desktop.key("Return")
        wait_for(lambda: all(role(w) != "alert" for w in self.windows()),
                 "the message box to close")
        return text

    def no_message(self):
        if any(role(w) == "alert" for w in self.windows()):
            raise E2EFailure("unexpected message: " + self.message()[1])

    def no_window(self, title):
        wait_for(lambda: all(name(w) != title for w in self.windows()), f"\"{title}\" to close")

    # Controls.

    def find(self, root, role_name=None, accessible_name=None, predicate=None, wait=True):
        def search():
            root.clear_cache()
            for node in descendants(root):
                if node is None:
                    continue
                if role_name is not None and role(node) != role_name:
                    continue
                if accessible_name is not None and name(node) != accessible_name:
                    continue
                if predicate is not None and not predicate(node):
                    continue
                return node
            return None

        if not wait:
            return search()
        return wait_for(search, f"{role_name or 'control'} \"{accessible_name}\"")

    def find_all(self, root, role_name):
        root.clear_cache()
        return [n for n in descendants(root) if n is not None and role(n) == role_name]

    def focused(self, root):
        return self.find(root, predicate=lambda n: has_state(n, "focused"))

    def click(self, acc):
        x, y, w, h = extents(acc)
        if w <= 0 or h <= 0:
            raise E2EFailure(f"\"{name(acc)}\" has no place on the screen")
        self.desktop.click_at(x + w // 2, y + h // 2)

    def right_click(self, acc):
        x, y, w, h = extents(acc)
        self.desktop.right_click_at(x + w // 2, y + h // 2)

    def focus_window(self, window):
        """Gives a window the keyboard, as clicking its title bar would."""
        wid = self.x_window(name(window))
        self.desktop.xdotool("windowactivate", "--sync", str(wid))
        wait_for(lambda: has_state(window, "active"), f"\"{name(window)}\" to be active")

    def x_window(self, title):
        def search():
            result = subprocess.run(
                ["xdotool", "search", "--all", "--pid", str(self.process.pid), "--name",
                 "^" + re.escape(title) + "$"], env=self.desktop.env, capture_output=True, text=True)
            ids = [int(line) for line in result.stdout.split()]
            return ids[-1] if ids else None

        return wait_for(search, f"the X window of \"{title}\"")

    def close_window(self, title):
        """The close box of a window manager: a polite request to close."""
        send_delete_window(self.desktop.display, self.x_window(title))

    # The end of the run.

    def wait_exit(self, timeout=TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure("the program did not end") from None

    def stdout(self):
        return self.process.stdout.read().decode(errors="replace")

    def stderr(self):
        with open(self.stderr_path, "rb") as stream:
            return stream.read().decode(errors="replace")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=TIMEOUT)


class Events:
    """Accessibility events as a screen reader hears them: type, and the
    role and name of the object they are about, taken when they arrive."""

    def __init__(self, *event_types):
        self.seen = []
        self._types = event_types
        pyatspi().Registry.registerEventListener(self._record, *event_types)

    def _record(self, event):
        try:
            self.seen.append((str(event.type), role(event.source), name(event.source),
                              event.detail1))
        except Exception:
            self.seen.append((str(event.type), "", "", 0))

    def wait(self, predicate, what, timeout=TIMEOUT):
        """Waits for an event (type, role, name, detail) that satisfies predicate."""
        def found():
            for event in self.seen:
                if predicate(*event):
                    return event
            return None

        return wait_for(found, what, timeout=timeout)

    def clear(self):
        self.seen.clear()

    def close(self):
        pyatspi().Registry.deregisterEventListener(self._record, *self._types)
