"""The main window of the running program, read through the accessibility bus.

Controls are found by the names a screen reader announces; figures are read
from what it would speak: an edit's text, a figure label's name ("Winning
rate: 49.36%"), a card picture's name ("ace of spades"), a table's cells.
"""

import re

from desktop import E2EFailure, wait_for
from program import extents, has_state, name, text_of

CARD_VIEWS = ["Your first card", "Your second card", "First flop card", "Second flop card",
              "Third flop card", "Turn card", "River card"]
FIX_BUTTONS = ["Fix your first card", "Fix your second card", "Fix the first flop card",
               "Fix the second flop card", "Fix the third flop card", "Fix the turn card",
               "Fix the river card"]
AVERAGE_RATES = {2: "51-52 %", 3: "34-36 %", 4: "25-27 %", 5: "20-22 %", 6: "17-18 %",
                 7: "15-16 %", 8: "12-14 %", 9: "11-13 %", 10: "10-12 %"}
RATE = re.compile(r"^(\d{1,3})\.\d\d%$")


def calc_profit(rate, pot, invest):
    """Expected profit and the amount that can be added, as the window computes them."""
    profit = int(rate * pot * 0.01 - invest)
    if rate == 100:
        add = 1000000
    else:
        quotient = abs((pot - invest) * rate) // (100 - rate)
        add = (quotient if (pot - invest) * rate >= 0 else -quotient) - invest
    return profit, add


class MainWindow:
    def __init__(self, program):
        self.program = program
        self.desktop = program.desktop
        self.window = program.window("Quillory", roles=("dialog",))
        # The window manager may not hand the keyboard to a window that opens
        # by itself; the user would click it first. Ask for it the same way.
        program.focus_window(self.window)

    # Finding controls.

    def control(self, role_name, accessible_name):
        return self.program.find(self.window, role_name, accessible_name)

    def button(self, accessible_name):
        return self.control("push button", accessible_name)

    def edit(self, accessible_name):
        return self.control("text", accessible_name)

    def figure_label(self, base):
        """The label that shows a figure: named "Base" when empty, "Base: value" when not."""
        return self.program.find(
            self.window, "label",
            predicate=lambda n: name(n) == base or name(n).startswith(base + ": "))

    # Reading.

    def figure(self, base):
        label = name(self.figure_label(base))
        return label[len(base) + 2:] if label.startswith(base + ": ") else ""

    def rate(self):
        return self.figure("Winning rate")

    def rate_percent(self):
        match = RATE.match(self.rate())
        if not match:
            raise E2EFailure(f"winning rate {self.rate()!r} is not a percentage")
        return int(match.group(1))

    def value(self, accessible_name):
        return text_of(self.edit(accessible_name))

    def number(self, accessible_name):
        return int(self.value(accessible_name))

    def enabled(self, role_name, accessible_name):
        return has_state(self.control(role_name, accessible_name), "enabled")

    def hand_buttons(self):
        return {b: self.enabled("push button", b) for b in ("Draw", "Flop", "Turn", "River")}

    def table_rows(self, accessible_name):
        table = self.control("table", accessible_name)
        table.clear_cache()
        cells = table.queryTable()
        return [[name(cells.getAccessibleAt(r, c)) for c in range(cells.nColumns)]
                for r in range(cells.nRows)]

    def hands(self):
        return self.table_rows("Hands and results")

    def picture(self, view):
        rows = self.table_rows(view)
        return rows[0][0] if rows else ""

    def pictures(self):
        return [self.picture(view) for view in CARD_VIEWS]

    def focused_name(self):
        return name(self.program.focused(self.window))

    # Acting.

    def click(self, role_name, accessible_name):
        self.program.click(self.control(role_name, accessible_name))

    def press(self, accessible_name):
        self.click("push button", accessible_name)

    def set_edit(self, accessible_name, text, leave=None):
        """Clicks into an edit, replaces its text by typing, and leaves it by
        `leave`: a key ("Tab") or nothing."""
        self.program.click(self.edit(accessible_name))
        wait_for(lambda: has_state(self.edit(accessible_name), "focused"),
                 f"\"{accessible_name}\" to take the focus")
        self.desktop.key("ctrl+a", "BackSpace")
        if text:
            self.desktop.type(text)
        wait_for(lambda: self.value(accessible_name) == text or self.program.windows_with("alert"),
                 f"\"{accessible_name}\" to read {text!r}")
        if leave:
            self.desktop.key(leave)

    def wait_rate(self, previous=None):
        """Waits until the winning rate shows a percentage other than `previous`."""
        return wait_for(lambda: RATE.match(self.rate()) and self.rate() != previous and self.rate(),
                        "a winning rate")

    def wait_value(self, accessible_name, expected):
        wait_for(lambda: self.value(accessible_name) == expected,
                 f"\"{accessible_name}\" to read {expected!r} (reads {self.value(accessible_name)!r})")

    def center(self, role_name, accessible_name):
        x, y, w, h = extents(self.control(role_name, accessible_name))
        return x + w // 2, y + h // 2
