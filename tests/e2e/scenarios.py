"""End-to-end scenarios: the real program, real keys and clicks, read as a
screen reader reads it. Each scenario walks one whole flow."""

import os
import re

import holdem
from desktop import E2EFailure, wait_for
from program import Events, Program, has_state, name, text_of
from window import AVERAGE_RATES, CARD_VIEWS, FIX_BUTTONS, MainWindow, calc_profit

SCENARIOS = {}


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


def check(condition, message):
    if not condition:
        raise E2EFailure(message)


def equal(actual, expected, what):
    if actual != expected:
        raise E2EFailure(f"{what}: expected {expected!r}, got {actual!r}")


def start(desktop, binary, *args):
    program = Program(desktop, binary, args)
    return program, MainWindow(program)


def close_with_escape(program, window):
    program.focus_window(window.window)
    program.desktop.key("Escape")
    equal(program.wait_exit(), 0, "exit status")


def settings_file(desktop):
    return os.path.join(desktop.env["XDG_CONFIG_HOME"], "Morvelle Software", "quillory.conf")


def read_settings(desktop):
    values = {}
    with open(settings_file(desktop), encoding="utf-8") as stream:
        for line in stream:
            if "=" in line:
                key, value = line.strip().split("=", 1)
                values[key] = value
    return values


def write_settings(desktop, text):
    os.makedirs(os.path.dirname(settings_file(desktop)), exist_ok=True)
    with open(settings_file(desktop), "w", encoding="utf-8") as stream:
        stream.write(text)


@scenario
def smoke(desktop, binary):
    """Starts, plays one step, closes: the check an installed copy gets."""
    program, window = start(desktop, binary)
    window.desktop.key("alt+d")
    window.wait_rate()
    close_with_escape(program, window)


@scenario
def first_start(desktop, binary):
    """A first start: the state, the focus and its frame, the tab order, the
    context menu by keyboard."""
    desktop.park_pointer()
    program, window = start(desktop, binary)
    box = window.control("check box", "Practice mode")
    wait_for(lambda: has_state(box, "focused"), "the focus on Practice mode")
    check(has_state(box, "checked"), "practice mode is on at first start")
    equal(window.value("Number of players including yourself"), "4", "players")
    equal(window.figure("Average winning rate"), "25-27 %", "average rate")
    equal(window.rate(), "", "winning rate before a hand")
    equal([window.value(n) for n in ("Pot", "Your investment", "Expected profit",
                                     "You can add up to")], ["40", "10", "0", "0"], "figures")
    equal(window.hand_buttons(), {"Draw": True, "Flop": False, "Turn": False, "River": False},
          "hand buttons")
    check(window.enabled("push button", "Showdown"), "Showdown is enabled in practice mode")
    check(not any(window.enabled("push button", fix) for fix in FIX_BUTTONS),
          "Fix buttons are disabled in practice mode")
    equal(window.hands(), [], "hands list")

    # The focused check box shows its focus frame from the start: it looks the
    # same as after the user tabs away and back.
    program.focus_window(window.window)
    x, y = window.center("check box", "Practice mode")
    area = (x - 70, y - 14, 140, 28)
    before = open(desktop.screenshot(os.path.join(desktop.root, "focus-start.png"), area),
                  "rb").read()
    desktop.key("Tab")
    wait_for(lambda: window.focused_name() != "Practice mode", "the focus to move on")
    desktop.key("shift+Tab")
    wait_for(lambda: window.focused_name() == "Practice mode", "the focus to come back")
    after = open(desktop.screenshot(os.path.join(desktop.root, "focus-back.png"), area),
                 "rb").read()
    check(before == after, "the check box shows no focus frame at start-up")

    order = []
    for _ in range(7):
        desktop.key("Tab")
        previous = order[-1] if order else "Practice mode"
        order.append(wait_for(lambda: window.focused_name() != previous and window.focused_name(),
                              "the focus to move"))
    equal(order, ["Number of players including yourself", "Draw", "Showdown", "Pot",
                  "Your investment", "Practice mode", "Number of players including yourself"],
          "tab order")

    # On a button, Shift+F10 opens the window's context menu, read item by
    # item as the keyboard moves through it; Help opens the help text.
    desktop.key("shift+Tab", "shift+Tab")
    wait_for(lambda: window.focused_name() == "Your investment", "the focus on the investment")
    desktop.key("shift+Tab", "shift+Tab")
    wait_for(lambda: window.focused_name() == "Showdown", "the focus on Showdown")
    events = Events("object:state-changed:focused")
    desktop.key("shift+F10")
    for item in ("Should I Call?...", "Hand Statistics...", "Practise Estimating...",
                 "Equity Calculator...", "Help", "About Quillory..."):
        desktop.key("Down")
        events.wait(lambda t, r, n, d: r == "menu item" and n == item and d == 1,
                    f"the context menu's item {item}")
    events.close()
    desktop.key("Up", "Return")
    check("Texas hold'em" in program.dismiss_message(), "the help text")
    close_with_escape(program, window)


def play_practice_hand(desktop, window, players):
    window.set_edit("Number of players including yourself", str(players), leave="Tab")
    desktop.key("alt+d")
    rate = window.wait_rate()
    equal(len(window.hands()), 1, "hands after Draw")
    equal(window.value("Pot"), str(10 * players), "pot after Draw")
    equal(window.figure("Average winning rate"), AVERAGE_RATES[players], "average rate")
    equal(window.hand_buttons(), {"Draw": True, "Flop": True, "Turn": False, "River": False},
          "buttons after Draw")
    for key, shown, buttons in (("alt+f", 5, (False, True, False)), ("alt+t", 6, (False, False, True)),
                                ("alt+r", 7, (False, False, False))):
        previous_rate = rate
        desktop.key(key)
        wait_for(lambda: sum(1 for p in window.pictures() if p) == shown,
                 f"{shown} card pictures")
        rate = wait_for(lambda: window.rate() if window.rate() else None, "the new rate")
        flop, turn, river = buttons
        equal(window.hand_buttons(), {"Draw": True, "Flop": flop, "Turn": turn, "River": river},
              f"buttons after {key}")
        del previous_rate
    pictures = window.pictures()
    desktop.key("alt+s")
    wait_for(lambda: len(window.hands()) == players, f"{players} rows after Showdown")
    rows = window.hands()
    seats = [holdem.parse_row(row[0]) for row in rows]
    board = [holdem.parse_picture(p) for p in pictures[2:]]
    equal(seats[0], [holdem.parse_picture(p) for p in pictures[:2]], "the user's row")
    cards = [c for seat in seats for c in seat] + board
    equal(len(set(cards)), 2 * players + 5, "distinct cards dealt")
    equal([i for i, row in enumerate(rows) if row[1] == "Winner!"],
          holdem.winners(seats, board), "winners")
    check(all(row[1] in ("", "Winner!") for row in rows), "results are Winner! or empty")
    desktop.key("alt+s", "alt+s")
    desktop.key("ctrl+a")  # a key after the presses; the list is read once it is handled
    wait_for(lambda: window.focused_name(), "the window to settle")
    equal(len(window.hands()), players, "rows after a second Showdown")


@scenario
def practice_hand(desktop, binary):
    """Draw, Flop, Turn, River and Showdown at three table sizes, with the
    winners worked out by the test itself."""
    program, window = start(desktop, binary)
    for players in (2, 6, 10):
        play_practice_hand(desktop, window, players)
        program.no_message()
    close_with_escape(program, window)


@scenario
def player_count(desktop, binary):
    """The count is checked when its field is left, by key or by mouse; a
    count changed during a hand."""
    program, window = start(desktop, binary)
    players = "Number of players including yourself"
    range_message = "Please enter an integer between 2 and 10."
    for typed, leave, shown, message in (("1", "Tab", "2", range_message),
                                         ("11", "click", "10", range_message),
                                         ("0", "Tab", "2", range_message),
                                         ("", "click", "2", "Please enter an integer."),
                                         ("7", "Tab", "7", None)):
        window.set_edit(players, typed, leave="Tab" if leave == "Tab" else None)
        if leave == "click":
            window.click("text", "Pot")
        if message is not None:
            equal(program.dismiss_message(), message, f"message for {typed!r}")
            wait_for(lambda: has_state(window.edit(players), "focused"),
                     "the focus back in the player count")
        window.wait_value(players, shown)
        program.no_message()

    window.set_edit(players, "4", leave="Tab")
    desktop.key("alt+d")
    window.wait_rate()
    equal(window.value("Pot"), "40", "pot for 4 players")
    window.set_edit(players, "6", leave="Tab")
    desktop.key("alt+f")
    wait_for(lambda: window.figure("Average winning rate") == "17-18 %", "the rate for 6 players")
    window.set_edit(players, "5")
    window.press("Showdown")
    equal(program.dismiss_message(),
          "Showdown unavailable because the number of players have been changed during the game.",
          "showdown refusal")
    equal(len(window.hands()), 1, "rows after the refusal")
    close_with_escape(program, window)


@scenario
def pot_figures(desktop, binary):
    """The money figures follow the pot, the investment and the shown rate."""
    program, window = start(desktop, binary)
    desktop.key("alt+d")
    window.wait_rate()
    rate = window.rate_percent()
    for pot, invest in ((100, 20), (35, 20), (100, 50)):
        window.set_edit("Pot", str(pot))
        window.set_edit("Your investment", str(invest))
        profit, add = calc_profit(rate, pot, invest)
        window.wait_value("Expected profit", str(profit))
        window.wait_value("You can add up to", str(add))
    window.set_edit("Pot", "")
    equal(window.value("Expected profit"), str(calc_profit(rate, 100, 50)[0]),
          "figures while the pot is empty")
    desktop.key("Tab")
    window.wait_value("Pot", "0")
    window.wait_value("Expected profit", str(calc_profit(rate, 0, 50)[0]))
    window.set_edit("Your investment", "5")
    program.no_message()
    window.wait_value("You can add up to", str(calc_profit(rate, 0, 5)[1]))
    window.set_edit("Pot", "")
    desktop.type("007")
    window.wait_value("Pot", "7")
    window.set_edit("Pot", "")
    desktop.type("20000000")
    equal(program.dismiss_message(), "Please enter an integer between 0 and 10000000.",
          "the pot's range message")
    window.wait_value("Pot", "20000000")
    window.wait_value("Expected profit", str(calc_profit(rate, 20000000, 5)[0]))
    close_with_escape(program, window)


def pick(program, columns, cancel=False):
    picker = program.window("Select Card")
    enabled = [has_state(program.find(picker, "list", f"Suit of card {i}"), "enabled")
               for i in (1, 2, 3)]
    equal(enabled, [i < columns for i in range(3)], "picker columns")
    wait_for(lambda: has_state(picker, "active"), "the picker to take the keyboard")
    program.desktop.key("Escape" if cancel else "Return")
    program.no_window("Select Card")


@scenario
def entry_mode(desktop, binary):
    """Entering cards through the picker, cancelling it, and Fix."""
    program, window = start(desktop, binary)
    window.click("check box", "Practice mode")
    wait_for(lambda: window.enabled("push button", "Fix your first card"), "the Fix buttons")
    check(not window.enabled("push button", "Showdown"), "no showdown in entry mode")
    check(not window.enabled("table", "Hands and results"), "the hands list is disabled")

    desktop.key("alt+d")
    pick(program, 2, cancel=True)
    equal(window.pictures(), [""] * 7, "views after a cancelled Draw")
    equal(window.hand_buttons(), {"Draw": True, "Flop": False, "Turn": False, "River": False},
          "buttons after a cancelled Draw")

    desktop.key("alt+d")
    pick(program, 2)
    window.wait_rate()
    equal(window.pictures()[:2], ["ace of spades", "ace of spades"], "hole cards picked untouched")
    equal(window.hands(), [["A(S), A(S)", ""]], "the user's row")
    desktop.key("alt+f")
    pick(program, 3, cancel=True)
    equal(window.pictures()[2:], [""] * 5, "board after a cancelled Flop")
    check(window.enabled("push button", "Flop"), "Flop stays enabled after a cancel")

    # Fix on an empty slot opens nothing: the next picker is Flop's three cards.
    window.press("Fix the turn card")
    desktop.key("alt+f")
    pick(program, 3)
    wait_for(lambda: window.pictures()[4] == "ace of spades", "the flop")
    for key in ("alt+t", "alt+r"):
        desktop.key(key)
        pick(program, 1)
    wait_for(lambda: window.pictures()[6] == "ace of spades", "the river")

    # Fix the first card to the ten of hearts, by keyboard in the picker.
    window.press("Fix your first card")
    picker = program.window("Select Card")
    wait_for(lambda: has_state(picker, "active"), "the picker to take the keyboard")
    desktop.key("Down", "Tab")
    desktop.type("10")
    rank = program.find(picker, "list", "Rank of card 1")
    wait_for(lambda: any(name(item) == "10" and has_state(item, "selected")
                         for item in program.find_all(rank, "list item")), "10 selected")
    desktop.key("Return")
    program.no_window("Select Card")
    wait_for(lambda: window.pictures()[0] == "10 of hearts", "the fixed card's picture")
    equal(window.hands()[0][0], "10(H), A(S)", "the user's row after Fix")
    close_with_escape(program, window)


@scenario
def settings(desktop, binary):
    """The mode and the count are written on Esc, on Enter and on the close
    box, and read at the next start; corrupt values start cleanly."""
    players = "Number of players including yourself"

    program, window = start(desktop, binary)
    window.click("check box", "Practice mode")
    window.set_edit(players, "7", leave="Tab")
    window.wait_value(players, "7")
    close_with_escape(program, window)
    equal(read_settings(desktop), {"Demonstration": "0", "NumPlayers": "7"}, "after Esc")

    program, window = start(desktop, binary)
    check(not has_state(window.control("check box", "Practice mode"), "checked"), "mode kept")
    equal(window.value(players), "7", "count kept")
    equal(window.figure("Average winning rate"), "15-16 %", "average rate for 7")
    window.set_edit(players, "3")
    desktop.key("Return")
    equal(program.wait_exit(), 0, "exit status after Enter")
    equal(read_settings(desktop)["NumPlayers"], "3", "after Enter")

    program, window = start(desktop, binary)
    equal(window.value(players), "3", "count after Enter")
    window.set_edit(players, "9", leave="Tab")
    window.wait_value(players, "9")
    program.close_window("Quillory")
    equal(program.wait_exit(), 0, "exit status after the close box")
    equal(read_settings(desktop)["NumPlayers"], "9", "after the close box")

    for stored, mode, count in (("Demonstration=xyz\nNumPlayers=abc\n", True, "4"),
                                ("Demonstration=0\nNumPlayers=55\n", False, "10")):
        write_settings(desktop, "[Setting]\n" + stored)
        program, window = start(desktop, binary)
        equal(has_state(window.control("check box", "Practice mode"), "checked"), mode,
              f"mode from {stored!r}")
        equal(window.value(players), count, f"count from {stored!r}")
        program.no_message()
        close_with_escape(program, window)


@scenario
def about_and_advisor(desktop, binary):
    """About from the context menu, help by F1, and the call advisor."""
    program, window = start(desktop, binary)
    window.program.right_click(window.control("label", "Winning rate:"))
    events = Events("object:state-changed:focused")
    desktop.key("Up")
    events.wait(lambda t, r, n, d: r == "menu item" and n == "About Quillory..." and d == 1,
                "the About item")
    events.close()
    desktop.key("Return")
    about = program.window("About Quillory")
    program.find(about, "label", "Quillory Version 1.0")
    wait_for(lambda: has_state(about, "active"), "the About box to take the keyboard")
    desktop.key("Return")
    program.no_window("About Quillory")
    desktop.key("F1")
    check("Draw" in program.dismiss_message(), "the help text names Draw")
    close_with_escape(program, window)

    advisor = Program(desktop, binary, ("--call-advisor", "--rate", "50", "--callers", "1"))
    dialog = advisor.window("Should I Call?")
    advisor.focus_window(dialog)
    for field, value in (("Current pot", "100"), ("Your investment so far", "20"),
                         ("How much you are adding", "20")):
        advisor.click(advisor.find(dialog, "text", field))
        desktop.key("ctrl+a", "BackSpace")
        desktop.type(value)
    desktop.key("Return")
    summary = advisor.find(dialog, "label", predicate=lambda n: "+$20 (50%)" in name(n))
    check("expected profit" in name(summary), "the summary line")
    table = advisor.find(dialog, "table").queryTable()
    wait_for(lambda: table.nRows == 21, "21 rows")
    row = lambda r: [name(table.getAccessibleAt(r, c)) for c in range(table.nColumns)]
    equal(row(10), ["$20.00", "+$20 (50%)", "+$30 (75%)"], "row 10")
    equal(row(0), ["$0.00", "+$30 (150%)", "+$30 (150%)"], "row 0")
    desktop.key("Escape")
    equal(advisor.wait_exit(), 0, "advisor exit status")


@scenario
def readable_figures(desktop, binary):
    """Every figure of a hand reaches a screen reader, and changes are announced."""
    program, window = start(desktop, binary)
    events = Events("object:property-change:accessible-name")
    desktop.key("alt+d")
    rate = window.wait_rate()
    events.wait(lambda t, r, n, d: r == "label" and n == "Winning rate: " + rate,
                "the announcement of the winning rate")
    check(window.figure("Average winning rate").endswith("%"), "the average rate is read")
    for field in ("Pot", "Your investment", "Expected profit", "You can add up to"):
        check(window.value(field).lstrip("-").isdigit(), f"{field} reads as a number")
    desktop.key("alt+f")
    wait_for(lambda: all(window.pictures()[:5]), "five named card pictures")
    for picture in window.pictures()[:5]:
        holdem.parse_picture(picture)
    for card in window.hands()[0][0].split(","):
        holdem.parse_label(card)
    events.close()
    close_with_escape(program, window)


def open_from_menu(program, window, item):
    """Opens an item of the window's context menu by keyboard."""
    events = Events("object:state-changed:focused")
    program.focus_window(window.window)
    program.desktop.key("shift+F10")
    for _ in range(12):  # the menu wraps around; an event lost while it opens costs a turn
        events.clear()
        program.desktop.key("Down")
        try:
            found = events.wait(lambda t, r, n, d: r == "menu item" and d == 1, "a menu item",
                                timeout=2)
        except E2EFailure:
            continue
        if found[2] == item:
            break
    else:
        raise E2EFailure(f"no menu item {item}")
    events.close()
    program.desktop.key("Return")


@scenario
def window_tools(desktop, binary):
    """The call advisor and the hand statistics from the window's own menu."""
    program, window = start(desktop, binary)
    desktop.key("alt+d")
    window.wait_rate()
    rate = window.rate_percent()

    open_from_menu(program, window, "Should I Call?...")
    advisor = program.window("Should I Call?")
    equal(text_of(program.find(advisor, "text", "Current pot")), "40", "the advisor's pot")
    equal(text_of(program.find(advisor, "text", "Your investment so far")), "10",
          "the advisor's investment")
    wait_for(lambda: has_state(advisor, "active"), "the advisor to take the keyboard")
    desktop.key("Return")
    program.find(advisor, "label",
                 predicate=lambda n: name(n).startswith(f"Winning rate {rate}%."))
    table = program.find(advisor, "table").queryTable()
    # With 4 players up to all 3 opponents can call: the amount, then 0, 1, 2
    # and 3 further callers (the window once stopped at 2).
    equal(table.nColumns, 1 + 4, "an amount column and one per number of callers")
    desktop.key("Escape")
    program.no_window("Should I Call?")

    open_from_menu(program, window, "Hand Statistics...")
    chooser = program.window("Save Hand Statistics")
    wait_for(lambda: has_state(chooser, "active"), "the save dialog to take the keyboard")
    path = os.path.join(desktop.home, "statistics.txt")
    desktop.type(path)
    desktop.key("Return")
    picture = program.window("Hand Statistics")
    grid = program.find(picture, "table", "Hands that did not win").queryTable()
    equal((grid.nRows, grid.nColumns), (9, 13), "classes by leading ranks")
    with open(path, encoding="utf-8") as stream:
        lines = stream.read().splitlines()
    equal(len(lines), 381, "report lines")
    # One pair headed by aces at 4 players, from the three sections of the text.
    lost = occurred = 0
    for section in range(3):
        cell = lines[section * 127 + 1 + 7 * 14 + 1].split(",")[3 * 2:3 * 2 + 3]
        if cell[0] != "---.--":
            lost, occurred = lost + int(cell[1]), occurred + int(cell[2])
    equal(name(grid.getAccessibleAt(7, 0)),
          f"One Pair, Ace high: {lost} of {occurred} did not win ({100 * lost / occurred:.2f}%)",
          "the cell read by a screen reader")
    check(name(grid.getAccessibleAt(0, 12)) == "Straight Flush, 2 high: no hands",
          "an empty cell reads as empty")
    wait_for(lambda: has_state(picture, "active"), "the picture to take the keyboard")
    desktop.key("Escape")
    program.no_window("Hand Statistics")
    close_with_escape(program, window)


SPOT = re.compile(r"^(Preflop|Flop|Turn|River), (\d+) players: ")
TRUTH = re.compile(r"^True value: (\d+\.\d\d)% (\(exact, [\d,]+ showdowns\)|"
                   r"\u00b1 (\d\.\d\d) \(Monte Carlo, [\d,]+ deals\))$")


def drill_label(program, drill, prefix):
    """The text a screen reader reads for a label of the drill that starts with prefix."""
    return name(program.find(drill, "label", predicate=lambda n: name(n).startswith(prefix)))


@scenario
def estimating_drill(desktop, binary):
    """Practise Estimating from the window's menu: three spots answered by
    keyboard alone, then a restart straight into the drill finds all three."""
    program, window = start(desktop, binary)
    open_from_menu(program, window, "Practise Estimating...")
    drill = program.window("Practise Estimating")
    wait_for(lambda: has_state(drill, "active"), "the drill to take the keyboard")
    guess = program.find(drill, "text", "Your guess in percent")
    wait_for(lambda: has_state(guess, "focused"), "the focus in the guess")
    equal(drill_label(program, drill, "Your record"), "Your record: no answers yet", "record")

    for answered, typed in enumerate(("50", "12.5", "80"), start=1):
        spot = wait_for(lambda: next((name(n) for n in program.find_all(drill, "label")
                                      if SPOT.match(name(n))), None), "the spot in words")
        players = int(SPOT.match(spot).group(2))
        check(2 <= players <= 10, f"table size in {spot!r}")
        events = Events("object:property-change:accessible-name")
        desktop.type(typed)
        desktop.key("Return")
        truth = wait_for(lambda: TRUTH.match(drill_label(program, drill, "True value")),
                         "the true value", timeout=30)
        # A screen reader hears the value as it appears.
        events.wait(lambda t, r, n, d: r == "label" and n == truth.group(0),
                    "the announcement of the true value")
        events.close()
        check(truth.group(3) is None or float(truth.group(3)) <= 0.1, "standard error <= 0.1")
        off = abs(float(typed) - float(truth.group(1)))
        verdict = drill_label(program, drill, "Verdict")
        check(verdict.startswith(f"Verdict: Your guess {typed}%:"), f"verdict {verdict!r}")
        check(verdict.endswith("a hit.") == (off <= 5), f"hit or miss in {verdict!r}")
        wait_for(lambda: drill_label(program, drill, "Your record").startswith(
            f"Your record: {answered} answer"), f"{answered} answers in the record")
        desktop.key("Return")
        wait_for(lambda: drill_label(program, drill, "True value") == "True value",
                 "the next spot")
    desktop.key("Escape")
    program.no_window("Practise Estimating")
    close_with_escape(program, window)

    again = Program(desktop, binary, ("--drill",))
    drill = again.window("Practise Estimating")
    again.focus_window(drill)
    check(drill_label(again, drill, "Your record").startswith("Your record: 3 answers: off by"),
          "three answers after the restart")
    desktop.key("alt+y")
    record = again.window("Your Record")
    table = again.find(record, "table", "Accuracy by street and table size").queryTable()
    equal(name(table.getAccessibleAt(0, 0)), "3", "answers in the summary")
    chart = again.find(record, predicate=lambda n: name(n) == "Mean error over the last sessions")
    check(chart.description.startswith("Session 1: 3 answers"), "the chart in words")
    desktop.key("Escape")
    again.no_window("Your Record")
    desktop.key("Escape")
    equal(again.wait_exit(), 0, "exit status of the drill")
    check(os.path.isfile(os.path.join(desktop.env["XDG_DATA_HOME"], "Morvelle Software",
                                      "quillory", "drill.sqlite")), "the record in the data folder")


@scenario
def two_drills_at_once(desktop, binary):
    """Two drills open at the same time are two sessions: one answer in each,
    then the record of a third opening shows Session 1 and Session 2."""
    runs = []
    for typed in ("40", "60"):
        program = Program(desktop, binary, ("--drill",))
        runs.append((program, program.window("Practise Estimating"), typed))
    for program, drill, typed in runs:
        program.focus_window(drill)
        guess = program.find(drill, "text", "Your guess in percent")
        wait_for(lambda: has_state(guess, "focused"), "the focus in the guess")
        desktop.type(typed)
        desktop.key("Return")
        wait_for(lambda: drill_label(program, drill, "Your record").startswith(
            "Your record: 1 answer"), "the answer in the record", timeout=30)
    for program, drill, _ in runs:
        program.focus_window(drill)
        desktop.key("Escape")
        equal(program.wait_exit(), 0, "exit status of a drill")

    again = Program(desktop, binary, ("--drill",))
    drill = again.window("Practise Estimating")
    again.focus_window(drill)
    desktop.key("alt+y")
    record = again.window("Your Record")
    chart = again.find(record, predicate=lambda n: name(n) == "Mean error over the last sessions")
    check(re.match(r"^Session 1: 1 answer\b.* Session 2: 1 answer\b", chart.description),
          f"two sessions in the chart, not {chart.description!r}")
    desktop.key("Escape")
    again.no_window("Your Record")
    desktop.key("Escape")
    equal(again.wait_exit(), 0, "exit status of the drill")


VERDICT = re.compile(r"^Verdict: You (called|folded): (right|wrong, (Call|Fold) was right)\. "
                     r"Equity needed (\d+) / \((\d+) \+ 2 \u00d7 (\d+)\) = (\d+\.\d\d)%; "
                     r"true equity (\d+\.\d\d)%; calling is worth ([+-]\d+\.\d\d) chips "
                     r"on average\.$")


def labelled_by(node):
    """The name of the label a control is labelled by (as a screen reader
    names a combo box, whose own name on this system is its current item)."""
    import pyatspi  # after the desktop has set the accessibility bus up

    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return name(relation.getTarget(0))
    return None


def explanation(program, drill):
    """The drill's "Why:" label once it holds the explanation, else None."""
    text = drill_label(program, drill, "Why")
    return text if text.startswith("Why: ") and "working it out" not in text else None


@scenario
def teaching_drill(desktop, binary):
    """The drill teaches: an estimate revealed with its explanation, then a
    call-or-fold spot answered by key C with its verdict and explanation, and
    Your Record reading the calibration picture as a sentence."""
    program = Program(desktop, binary, ("--drill",))
    drill = program.window("Practise Estimating")
    program.focus_window(drill)
    guess = program.find(drill, "text", "Your guess in percent")
    wait_for(lambda: has_state(guess, "focused"), "the focus in the guess")
    desktop.type("55")
    desktop.key("Return")
    truth = wait_for(lambda: TRUTH.match(drill_label(program, drill, "True value")),
                     "the true value", timeout=30)
    why = wait_for(lambda: explanation(program, drill), "the explanation", timeout=30)
    spot = wait_for(lambda: next((name(n) for n in program.find_all(drill, "label")
                                  if SPOT.match(name(n))), None), "the spot in words")
    street = SPOT.match(spot).group(1)
    check(why.startswith("Why: ") and (street != "Preflop" or "of starting hands" in why),
          f"explanation {why!r} of {spot!r}")
    desktop.key("Return")
    wait_for(lambda: drill_label(program, drill, "Why") == "Why", "the next spot")

    desktop.key("alt+k")
    kind = program.find(drill, "combo box", predicate=lambda n: labelled_by(n) == "Kind:")
    wait_for(lambda: has_state(kind, "focused"), "the focus in Kind")
    desktop.key("Down")
    wait_for(lambda: name(kind) == "Call or fold" and program.find(
        drill, "label", predicate=lambda n: name(n).startswith("Pot "), wait=False) is not None,
        "a pot and a bet to call")
    check(program.find(drill, "push button", "Call") is not None, "the Call button")
    check(program.find(drill, "push button", "Fold") is not None, "the Fold button")
    desktop.key("c")
    verdict = wait_for(lambda: VERDICT.match(drill_label(program, drill, "Verdict")),
                       "the verdict", timeout=30)
    equal(verdict.group(1), "called", "the decision read back")
    bet, pot = int(verdict.group(4)), int(verdict.group(5))
    equal(float(verdict.group(7)), round(100 * bet / (pot + 2 * bet), 2), "the equity needed")
    worth = float(verdict.group(9))
    equity = float(verdict.group(8))
    # The equity is shown to 0.005 points, which the final pot multiplies.
    slack = 0.00005 * (pot + 2 * bet) + 0.0051
    check(abs(worth - (equity / 100 * (pot + 2 * bet) - bet)) <= slack,
          f"the value in {verdict[0]!r}")
    check(worth == 0 or (verdict.group(2) == "right") == (worth > 0),
          f"the verdict in {verdict[0]!r}")
    wait_for(lambda: explanation(program, drill), "the explanation of the decision", timeout=30)
    wait_for(lambda: "1 decision: " in drill_label(program, drill, "Your record"),
             "the decision in the record")

    desktop.key("alt+y")
    record = program.window("Your Record")
    calibration = program.find(record, predicate=lambda n: name(n) == "Calibration")
    equal(calibration.description,
          f"Guesses of 50 to 60 %: true value {float(truth.group(1)):.0f} % on average, 1 answer.",
          "the calibration picture in words")
    decisions = program.find(record, "label",
                             predicate=lambda n: name(n).startswith("Call or fold: "))
    check(name(decisions).startswith("Call or fold: 1 decision: "), name(decisions))
    wait_for(lambda: has_state(record, "active"), "Your Record to take the keyboard")
    desktop.key("Escape")
    program.no_window("Your Record")
    desktop.key("Escape")
    equal(program.wait_exit(), 0, "exit status of the drill")


def labelled(program, root, prefix):
    """The name of the label under root whose name starts with prefix."""
    return name(program.find(root, "label", predicate=lambda n: name(n).startswith(prefix)))


def type_into(program, root, accessible_name, text):
    """Replaces the text of the edit named accessible_name by typing."""
    edit = program.find(root, "text", accessible_name)
    program.click(edit)
    wait_for(lambda: has_state(program.find(root, "text", accessible_name), "focused"),
             f"\"{accessible_name}\" to take the focus")
    program.desktop.key("ctrl+a", "BackSpace")
    program.desktop.type(text)
    wait_for(lambda: text_of(program.find(root, "text", accessible_name)) == text,
             f"\"{accessible_name}\" to read {text!r}")


@scenario
def equity_calculator(desktop, binary):
    """Equity Calculator from the window's menu: AKs against QQ+ exactly, then
    a bad range refused at its field."""
    program, window = start(desktop, binary)
    open_from_menu(program, window, "Equity Calculator...")
    calculator = program.window("Equity Calculator")
    wait_for(lambda: has_state(calculator, "active"), "the calculator to take the keyboard")
    desktop.key("alt+l", "ctrl+a")
    desktop.type("2")
    desktop.key("Tab")
    type_into(program, calculator, "Player 1", "AKs")
    type_into(program, calculator, "Player 2", "QQ+")
    desktop.key("alt+c")
    equity = wait_for(lambda: re.match(r"^Player 1 equity: (\d+\.\d\d)%$",
                                       labelled(program, calculator, "Player 1 equity")),
                      "Player 1's equity", timeout=60)
    equal(equity.group(1), "34.59", "AKs against QQ+")
    equal(labelled(program, calculator, "Player 1 found"), "Player 1 found: exact", "how found")
    equal(labelled(program, calculator, "Player 2 combos"), "Player 2 combos: 18", "QQ+ combos")

    type_into(program, calculator, "Player 2", "QQx")
    desktop.key("alt+c")
    refusal = wait_for(lambda: next((name(n) for n in program.find_all(calculator, "label")
                                     if name(n).startswith("Player 2: ")), None),
                       "the refusal at Player 2")
    check("'QQx' at character 1" in refusal, f"the core's message in {refusal!r}")
    wait_for(lambda: has_state(program.find(calculator, "text", "Player 2"), "focused"),
             "the focus back in the refused field")
    desktop.key("Escape")
    program.no_window("Equity Calculator")
    close_with_escape(program, window)


def range_cell(program, editor, row, column):
    table = program.find(editor, "table", "Range grid")
    table.clear_cache()
    return name(table.queryTable().getAccessibleAt(row, column))


@scenario
def range_editor(desktop, binary):
    """The range editor by keyboard: arrows and Space, the slider, the text in
    step; a preset saved, and there again after a restart."""
    program = Program(desktop, binary, ("--equity",))
    calculator = program.window("Equity Calculator")
    program.focus_window(calculator)
    program.click(program.find(calculator, "push button", "Range for Player 1"))
    editor = program.window("Range")
    wait_for(lambda: has_state(editor, "active"), "the editor to take the keyboard")
    desktop.key("Right", "space")
    wait_for(lambda: text_of(program.find(editor, "text", "Range text")) == "AKs",
             "the text to follow the grid")
    equal(range_cell(program, editor, 0, 1), "AKs, selected, 4 combos, weight 100 %", "AKs cell")
    equal(labelled(program, editor, "Combos"), "Combos: 4 of 1,326 (0.30%)", "the count")
    desktop.key("Down", "space")
    wait_for(lambda: text_of(program.find(editor, "text", "Range text")) == "KK, AKs",
             "KK added by Space")

    desktop.key("alt+t")  # the slider, through its label
    desktop.key("Right")
    wait_for(lambda: labelled(program, editor, "Combos") != "Combos: 10 of 1,326 (0.75%)",
             "the slider to fill the grid")
    check(range_cell(program, editor, 0, 0).startswith("AA, selected"), "AA in the top 1%")
    check(text_of(program.find(editor, "text", "Range text")) != "KK, AKs",
          "the text to follow the slider")

    type_into(program, editor, "Range text", "TT+, AQs+")
    wait_for(lambda: range_cell(program, editor, 4, 4).startswith("TT, selected"),
             "the grid to follow the text")
    equal(labelled(program, editor, "Combos"), "Combos: 38 of 1,326 (2.87%)", "TT+, AQs+ combos")

    presets = os.path.join(desktop.env["XDG_DATA_HOME"], "Morvelle Software", "quillory",
                           "ranges.json")
    type_into(program, editor, "Preset name", "Mine")
    desktop.key("alt+s")
    wait_for(lambda: os.path.isfile(presets), "the presets file")
    desktop.key("Return")  # OK
    program.no_window("Range")
    wait_for(lambda: text_of(program.find(calculator, "text", "Player 1")) == "TT+, AQs+",
             "the range in Player 1's field")
    desktop.key("Escape")
    equal(program.wait_exit(), 0, "exit status")

    again = Program(desktop, binary, ("--equity",))
    calculator = again.window("Equity Calculator")
    again.focus_window(calculator)
    again.click(again.find(calculator, "push button", "Range for Player 1"))
    editor = again.window("Range")
    wait_for(lambda: has_state(editor, "active"), "the editor to take the keyboard")
    desktop.key("alt+p")
    desktop.type("M")
    wait_for(lambda: text_of(again.find(editor, "text", "Range text")) == "TT+, AQs+",
             "the preset after the restart")
    desktop.key("Escape")
    again.no_window("Range")
    desktop.key("Escape")
    equal(again.wait_exit(), 0, "exit status after the restart")


@scenario
def drill_against_a_range(desktop, binary):
    """The drill from a record written before ranges: opponents holding a
    typed range, one spot answered, and after a restart the record split by
    random opponents and the range, every old answer kept."""
    folder = os.path.join(desktop.env["XDG_DATA_HOME"], "Morvelle Software", "quillory")
    os.makedirs(folder, exist_ok=True)
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "drill", "data")
    with open(os.path.join(data, "drill-1.0.sqlite"), "rb") as source, \
            open(os.path.join(folder, "drill.sqlite"), "wb") as target:
        target.write(source.read())

    program = Program(desktop, binary, ("--drill",))
    drill = program.window("Practise Estimating")
    program.focus_window(drill)
    check(drill_label(program, drill, "Your record").startswith("Your record: 3 answers"),
          "the old record's three answers")
    desktop.key("alt+o", "ctrl+a")
    desktop.type("QQ+, AKs")
    desktop.key("Tab")
    spot = wait_for(lambda: next((name(n) for n in program.find_all(drill, "label")
                                  if SPOT.match(name(n)) and
                                  name(n).endswith("; opponents hold QQ+, AKs")), None),
                    "a spot against the range")
    program.click(program.find(drill, "text", "Your guess in percent"))
    desktop.type("40")
    desktop.key("Return")
    truth = wait_for(lambda: TRUTH.match(drill_label(program, drill, "True value")),
                     "the true value against the range", timeout=60)
    check(truth.group(3) is None or float(truth.group(3)) <= 0.1, "standard error <= 0.1")
    wait_for(lambda: drill_label(program, drill, "Your record").startswith(
        "Your record: 4 answers"), "four answers in the record")
    desktop.key("Escape")
    equal(program.wait_exit(), 0, "exit status of the drill")

    again = Program(desktop, binary, ("--drill",))
    drill = again.window("Practise Estimating")
    again.focus_window(drill)
    check(drill_label(again, drill, "Your record").startswith("Your record: 4 answers"),
          "four answers after the restart")
    desktop.key("alt+y")
    record = again.window("Your Record")
    table = again.find(record, "table", "Accuracy by street and table size").queryTable()
    equal([name(table.getAccessibleAt(row, 0)) for row in (0, 14, 15)], ["4", "3", "1"],
          "all spots, random opponents, opponents with a range")
    chart = again.find(record, predicate=lambda n: name(n) == "Mean error over the last sessions")
    check("opponents with a range: 1 answer" in chart.description, "the chart in words")
    desktop.key("Escape")
    again.no_window("Your Record")
    desktop.key("Escape")
    equal(again.wait_exit(), 0, "exit status after the restart")
