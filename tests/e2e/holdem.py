"""A hold'em showdown of the test's own, to check the program's winners.

Cards are read as the window shows them: "A(S)", "10(H)", "Q(D)" in the hands
list, "ace of spades", "10 of hearts" on the card pictures. A hand is scored
by trying every five of its seven cards; no code is shared with the program.
"""

from collections import Counter
from itertools import combinations

RANKS = {"A": 14, "K": 13, "Q": 12, "J": 11}
WORDS = {"ace": 14, "king": 13, "queen": 12, "jack": 11}
SUITS = {"S": "s", "H": "h", "C": "c", "D": "d"}
SUIT_WORDS = {"spades": "s", "hearts": "h", "clubs": "c", "diamonds": "d"}


def parse_label(label):
    """'10(H)' -> (10, 'h')."""
    rank, suit = label.strip().rstrip(")").split("(")
    return (RANKS[rank] if rank in RANKS else int(rank)), SUITS[suit]


def parse_row(text):
    """'A(S), 10(H)' -> two cards."""
    return [parse_label(part) for part in text.split(",")]


def parse_picture(name):
    """'ace of spades' -> (14, 's')."""
    rank, _, suit = name.split(" ")
    return (WORDS[rank] if rank in WORDS else int(rank)), SUIT_WORDS[suit]


def score_five(cards):
    ranks = sorted((r for r, _ in cards), reverse=True)
    counts = Counter(ranks)
    groups = sorted(counts.items(), key=lambda item: (item[1], item[0]), reverse=True)
    ordered = [r for r, n in groups for _ in range(n)]
    flush = len({s for _, s in cards}) == 1
    distinct = sorted(set(ranks), reverse=True)
    straight_high = None
    if len(distinct) == 5 and distinct[0] - distinct[4] == 4:
        straight_high = distinct[0]
    elif distinct == [14, 5, 4, 3, 2]:
        straight_high = 5
    shape = [n for _, n in groups]
    if straight_high and flush:
        return (8, [straight_high])
    if shape == [4, 1]:
        return (7, ordered)
    if shape == [3, 2]:
        return (6, ordered)
    if flush:
        return (5, ranks)
    if straight_high:
        return (4, [straight_high])
    if shape == [3, 1, 1]:
        return (3, ordered)
    if shape == [2, 2, 1]:
        return (2, ordered)
    if shape == [2, 1, 1, 1]:
        return (1, ordered)
    return (0, ranks)


def best_of_seven(cards):
    return max(score_five(list(five)) for five in combinations(cards, 5))


def winners(seats, board):
    """Indices of every seat that shares the best hand."""
    scores = [best_of_seven(list(hole) + list(board)) for hole in seats]
    top = max(scores)
    return [i for i, score in enumerate(scores) if score == top]
