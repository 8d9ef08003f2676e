#!/usr/bin/python3
"""Writes the gallery of data/gallery: the cards a new card can start from,
the index that groups them by difficulty, and a small picture of each.

The grid cards are described as in make_examples.py, column by column; shapes
drawn on a pixel grid (letters, numbers, a heart, a star) stand on the floor
as one piece, DEPTH cells deep. The free-form cards are outlines in
millimetres (y up from the crease), written as .pwf files. The pictures are made by the command-line
tool when it is given (they are checked in, so a build needs no display):

    /usr/bin/python3 tools/make_gallery.py data/gallery [build/src/cli/popwright-cli]

The gallery test (tests/document/GalleryTest.cpp) reads every card of the
index and runs the checks the program has on it.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_examples import Card  # noqa: E402


def shape(card, rows, x0, depth, base=0):
    """Raises the pixels of `rows` (top row first, '#' for paper) on columns
    from x0, standing on a plinth `base` cells high (none when 0)."""
    n = len(rows)
    for i in range(max(len(r) for r in rows)):
        on = [base + n - r for r in range(n) if i < len(rows[r]) and rows[r][i] == "#"]
        x = x0 + i
        if not on and base == 0:
            continue
        top = max(on) if on else base
        card.block(x, x, depth, top)
        for z in range(base + 1, top):
            if z not in on:
                card.tunnel(x, x, z, z)


def single_box():
    c = Card(20, 10); c.block(7, 14, 4, 4); return c

def wide_box():
    c = Card(20, 10); c.block(4, 17, 3, 5); return c

def two_boxes():
    c = Card(20, 10); c.block(3, 8, 4, 3); c.block(12, 17, 3, 5); return c

def three_blocks():
    c = Card(22, 10); c.block(3, 7, 3, 3); c.block(9, 13, 4, 5); c.block(15, 19, 3, 3); return c

def low_wall():
    c = Card(20, 10); c.block(3, 18, 1, 4); return c

def stairs():
    c = Card(20, 10)
    for depth, height in ((6, 2), (4, 4), (2, 6)):
        c.block(5, 16, depth, height)
    return c

def long_stairs():
    c = Card(24, 12)
    for k in range(5):
        c.block(4, 21, 9 - 2 * k, 2 + 2 * k - 1)
    return c

def side_steps():
    c = Card(22, 10)
    for k in range(5):
        c.block(3 + 3 * k, 5 + 3 * k, 3, 1 + k)
    return c

def tunnel():
    c = Card(20, 10); c.block(6, 15, 5, 5); c.tunnel(8, 13, 1, 2); return c

def table():
    c = Card(20, 10); c.block(5, 16, 4, 4); c.tunnel(7, 14, 1, 3); return c

def nested_boxes():
    c = Card(22, 12)
    c.block(3, 20, 6, 2); c.block(6, 17, 6, 4); c.block(9, 14, 6, 6)
    return c

def step_pyramid():
    c = Card(24, 12)
    for k in range(4):
        c.block(3 + 2 * k, 22 - 2 * k, 8 - 2 * k, 1 + k * 2 if k else 1)
    c.block(9, 16, 2, 7)
    return c

def arch():
    import math
    c = Card(24, 12)
    centre, outer, inner = 12.5, 8.5, 5.5
    for x in range(4, 22):
        d = abs(x - centre)
        top = int(round(math.sqrt(max(0.0, outer * outer - d * d))))
        c.block(x, x, 2, max(top, 1) + 1)
        if d < inner:
            opening = int(round(math.sqrt(inner * inner - d * d)))
            if opening >= 1:
                c.tunnel(x, x, 1, min(opening, top - 1))
    return c

def bridge():
    c = Card(26, 10)
    c.block(2, 25, 3, 5)
    c.tunnel(5, 10, 1, 3); c.tunnel(13, 14, 1, 2); c.tunnel(17, 22, 1, 3)
    c.block(2, 25, 1, 6)   # the railing at the back
    return c

def windows_in_a_wall():
    c = Card(24, 12)
    c.block(3, 22, 2, 8)
    for first in (5, 10, 15, 19):
        c.tunnel(first, first + 1, 3, 4)
        c.tunnel(first, first + 1, 6, 6)
    return c

def house():
    c = Card(24, 12)
    c.block(5, 20, 4, 5)
    c.block(7, 18, 3, 6); c.block(9, 16, 2, 7); c.block(11, 14, 1, 8)  # the roof in steps
    c.block(17, 17, 1, 9)   # the chimney
    c.tunnel(12, 13, 1, 2)  # the door
    c.tunnel(7, 8, 3, 3); c.tunnel(17, 18, 3, 3)
    return c

def tower():
    c = Card(20, 14)
    c.block(7, 14, 3, 9)
    for x in (7, 9, 11, 13):
        c.block(x, x + 1 if x == 13 else x, 3, 10)
    c.tunnel(10, 11, 1, 2)
    c.tunnel(10, 11, 5, 6)
    return c

def tree():
    c = Card(20, 12)
    shape(c, ["   ###   ",
              "  #####  ",
              " ####### ",
              "#########",
              " ####### ",
              "   ###   ",
              "   ###   ",
              "   ###   "], 6, 3)
    return c

def castle_gate():
    c = Card(26, 13)
    c.block(3, 24, 2, 6)           # the wall
    c.block(3, 6, 3, 8); c.block(21, 24, 3, 8)   # two towers
    for x in (3, 5, 21, 23):
        c.block(x, x, 3, 9)
    for x in range(8, 20, 2):
        c.block(x, x, 2, 7)        # battlements
    c.tunnel(11, 16, 1, 4)         # the gate
    c.block(13, 14, 2, 7)
    return c

def skyline():
    c = Card(28, 12)
    for first, width, depth, height in ((3, 3, 2, 4), (6, 2, 3, 7), (8, 4, 2, 5), (12, 2, 4, 8),
                                        (14, 3, 2, 3), (17, 3, 3, 6), (20, 2, 2, 9), (22, 4, 3, 5)):
        c.block(first, first + width - 1, depth, height)
    return c

def fence():
    c = Card(24, 10)
    for x in range(3, 22, 2):
        c.block(x, x, 1, 5)
    c.block(3, 21, 1, 3); c.tunnel(4, 20, 1, 1)
    for x in range(3, 22, 2):
        c.columns[x - 1][0] = 5
        c.tunnels[x - 1].discard(1)
    return c

def bookshelf():
    c = Card(20, 12)
    c.block(5, 16, 3, 9)
    for low in (1, 4, 7):
        c.tunnel(6, 15, low, low + 1)
    return c

def temple():
    c = Card(26, 12)
    c.block(3, 24, 4, 1)                      # the step
    c.block(4, 23, 3, 6)                      # the columns' row
    for x in range(5, 23, 3):
        c.tunnel(x, x + 1, 2, 5)
    c.block(5, 22, 2, 7); c.block(8, 19, 2, 8); c.block(11, 16, 1, 9)   # the pediment
    return c

def letters(rows, width=26, height=12):
    c = Card(width, height)
    shape(c, rows, 3, 2)
    return c

def letters_pop():
    return letters(["##### ##### #####",
                    "#   # #   # #   #",
                    "#   # #   # #   #",
                    "##### #   # #####",
                    "#     #   # #    ",
                    "#     #   # #    ",
                    "#     ##### #    "], 24)

def letters_hi():
    return letters(["#   # #####",
                    "#   #   #  ",
                    "#   #   #  ",
                    "#####   #  ",
                    "#   #   #  ",
                    "#   #   #  ",
                    "#   # #####"], 18)

def letters_love():
    return letters(["#     ##### #   # #####",
                    "#     #   # #   # #    ",
                    "#     #   # #   # #    ",
                    "#     #   # #   # #### ",
                    "#     #   # ## ## #    ",
                    "#     #   #  # #  #    ",
                    "##### #####  ###  #####"], 30)

def numbers_123():
    return letters(["##  ##### #####",
                    " #      #     #",
                    " #      #     #",
                    " #  #####  ####",
                    " #  #         #",
                    " #  #         #",
                    "### ##### #####"], 22)

def numbers_2026():
    return letters(["##### ##### ##### #####",
                    "    # #   #     # #    ",
                    "    # #   #     # #    ",
                    "##### #   # ##### #####",
                    "#     #   # #     #   #",
                    "#     #   # #     #   #",
                    "##### ##### ##### #####"], 30)

def heart():
    c = Card(22, 12)
    shape(c, [" ###   ### ",
              "##### #####",
              "###########",
              "###########",
              " ######### ",
              "  #######  ",
              "   #####   ",
              "    ###    ",
              "     #     "], 6, 2)
    return c

def star():
    c = Card(22, 12)
    shape(c, ["     #     ",
              "    ###    ",
              "###########",
              " ######### ",
              "  #######  ",
              "  ### ###  ",
              " ##     ## ",
              " #       # "], 6, 2)
    return c

def moon_and_star():
    c = Card(24, 12)
    shape(c, ["  ####     ",
              " ##        ",
              "##       # ",
              "##      ###",
              "##       # ",
              " ##      # ",
              "  ####   # "], 6, 2)
    return c


class Freeform:
    """A free-form card: flats of (name, depth, outline), on a sheet 160 mm
    wide with a 100 mm half, as the examples use."""
    ext = "pwf"

    def __init__(self, *flats):
        self.flats = flats

    def text(self):
        rows = ['  {"name": "%s", "depth": %g,\n   "outline": "%s"}' % f for f in self.flats]
        return ('{"format": "popwright-freeform", "version": 1, "width": 160, "half": 100,\n "flats": [\n'
                + ",\n".join(rows) + "\n ]}\n")

# A point at depth d and height h folds onto the floor at d + h, so every
# design keeps d + h under the 100 mm half to close inside the card.
def arch_window():
    return Freeform(("Window", 30, "M 55 0 H 105 V 45 H 90 V 58 H 70 V 45 H 55 Z "
                                   "M 65 8 H 95 V 25 A 15 15 0 0 1 65 25 Z"))

def gabled_house():
    return Freeform(("House", 30, "M 40 0 H 74 V 22 H 86 V 0 H 120 V 32 L 86 56 H 74 L 40 32 Z "
                                  "M 48 12 H 62 V 24 H 48 Z M 98 12 H 112 V 24 H 98 Z"))

def fir_tree():
    return Freeform(("Fir", 30, "M 76 0 H 84 V 8 H 108 L 94 22 H 104 L 90 36 H 98 L 84 52 H 76 "
                                "L 62 36 H 70 L 56 22 H 66 L 52 8 H 76 Z"))

def round_heart():
    return Freeform(("Heart", 35, "M 77 0 H 83 C 98 14 116 28 112 44 C 110 50 106 54 100 54 H 94 "
                                  "C 88 54 82 50 80 45 C 78 50 72 54 66 54 H 60 C 54 54 50 50 48 44 "
                                  "C 44 28 62 14 77 0 Z"))

def castle_tower():
    return Freeform(("Keep", 40, "M 60 0 H 100 V 54 H 93 V 48 H 87 V 54 H 73 V 48 H 67 V 54 H 60 Z "
                                 "M 76 20 H 84 V 32 A 4 4 0 0 1 76 32 Z"),
                    ("Curtain wall", 55, "M 20 0 H 140 V 12 H 20 Z"))


# (name, difficulty, design), in the order the gallery shows them.
DESIGNS = [
    ("single-box", "easy", single_box),
    ("wide-box", "easy", wide_box),
    ("two-boxes", "easy", two_boxes),
    ("three-blocks", "easy", three_blocks),
    ("low-wall", "easy", low_wall),
    ("stairs", "easy", stairs),
    ("side-steps", "easy", side_steps),
    ("tunnel", "easy", tunnel),
    ("table", "easy", table),
    ("skyline", "easy", skyline),
    ("arch-window", "easy", arch_window),
    ("gabled-house", "easy", gabled_house),
    ("long-stairs", "medium", long_stairs),
    ("nested-boxes", "medium", nested_boxes),
    ("step-pyramid", "medium", step_pyramid),
    ("arch", "medium", arch),
    ("bridge", "medium", bridge),
    ("windows-in-a-wall", "medium", windows_in_a_wall),
    ("house", "medium", house),
    ("tower", "medium", tower),
    ("bookshelf", "medium", bookshelf),
    ("fence", "medium", fence),
    ("fir-tree", "medium", fir_tree),
    ("round-heart", "medium", round_heart),
    ("tree", "hard", tree),
    ("castle-gate", "hard", castle_gate),
    ("temple", "hard", temple),
    ("letters-pop", "hard", letters_pop),
    ("letters-hi", "hard", letters_hi),
    ("letters-love", "hard", letters_love),
    ("numbers-123", "hard", numbers_123),
    ("numbers-2026", "hard", numbers_2026),
    ("heart", "hard", heart),
    ("star", "hard", star),
    ("moon-and-star", "hard", moon_and_star),
    ("castle-tower", "hard", castle_tower),
]

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/gallery"
    cli = sys.argv[2] if len(sys.argv) > 2 else None
    os.makedirs(folder, exist_ok=True)
    index = ["# The gallery: difficulty, name and card file, one card a line, in the order shown."]
    for name, difficulty, design in DESIGNS:
        card = design()
        file = "%s.%s" % (name, getattr(card, "ext", "kpf"))
        path = os.path.join(folder, file)
        with open(path, "w", newline="\n") as f:
            f.write(card.text())
        index.append("%s %s %s" % (difficulty, name, file))
        if cli:
            picture = os.path.join(folder, name + ".png")
            subprocess.run([cli, "thumbnail", path, picture, "96"], check=True)
    with open(os.path.join(folder, "index.txt"), "w", newline="\n") as f:
        f.write("\n".join(index) + "\n")
