#!/usr/bin/python3
"""Writes the example cards of examples/ from their designs below.

Each card is described column by column: the height of the relief at each
depth (a staircase that never steps up toward the front) and the heights of
its tunnels, slots that run through the relief from the front to the back
sheet. The files are written in the card format the program reads; check
them afterwards with `popwright-cli info`, which also tells whether each card
closes inside its cover.

    /usr/bin/python3 tools/make_examples.py examples
"""
import math
import os
import sys


class Card:
    def __init__(self, width, height):
        # width card columns, sheets `height` cells long: depths and heights 1 .. height - 1
        self.width, self.height = width, height
        self.depths = height - 1
        self.columns = [[0] * self.depths for _ in range(width)]
        self.tunnels = [set() for _ in range(width)]

    def block(self, first, last, depth, height):
        """Raises columns first..last (from 1) to `height` over depths 1..depth."""
        for x in range(first, last + 1):
            col = self.columns[x - 1]
            for y in range(depth):
                col[y] = max(col[y], height)

    def tunnel(self, first, last, low, high):
        """Opens heights low..high (from 1) through columns first..last."""
        for x in range(first, last + 1):
            self.tunnels[x - 1].update(range(low, high + 1))

    def text(self):
        lines = ["kiriko", "v 1.0", "", "w %d" % self.width, "h %d" % (self.height - 1), ""]
        for col in self.columns:
            runs, cur, n = [], col[0], 0
            for h in col:
                if h != cur:
                    runs += [cur, n]
                    cur, n = h, 0
                n += 1
            runs += [cur, n]
            lines.append(" ".join(map(str, runs)) + " e")
        lines.append("")
        for x, heights in enumerate(self.tunnels):
            top = self.columns[x][0]
            for z in sorted(heights, reverse=True):
                assert 1 <= z < top, "a tunnel needs relief above it"
                lines.append("%d %d" % (x, z - 1))
        return "\n".join(lines) + "\n"


def box():
    card = Card(20, 10)
    card.block(7, 14, 4, 4)
    return card


def stairs():
    card = Card(20, 10)
    for depth, height in ((6, 2), (4, 4), (2, 6)):
        card.block(5, 16, depth, height)
    return card


def tunnel():
    card = Card(20, 10)
    card.block(6, 15, 5, 5)
    card.tunnel(8, 13, 1, 2)
    return card


def arch():
    card = Card(24, 12)
    centre, outer, inner = 12.5, 8.5, 5.5
    for x in range(4, 22):
        d = abs(x - centre)
        top = int(round(math.sqrt(max(0.0, outer * outer - d * d))))
        card.block(x, x, 2, max(top, 1) + 1)
        if d < inner:
            opening = int(round(math.sqrt(inner * inner - d * d)))
            if opening >= 1:
                card.tunnel(x, x, 1, min(opening, top - 1))
    return card


def building():
    card = Card(24, 12)
    card.block(5, 20, 5, 5)        # the ground floor
    card.block(8, 17, 3, 7)        # the upper storey, set back
    card.block(15, 15, 1, 9)       # a chimney against the back
    card.tunnel(12, 13, 1, 2)      # the door
    card.tunnel(7, 8, 3, 4)        # windows
    card.tunnel(17, 18, 3, 4)
    card.tunnel(10, 10, 6, 6)      # a window upstairs
    return card


def too_deep():
    # A shelf that is deeper and higher than the sheet is long: the closing
    # check shows the part that sticks out of the closed card.
    card = Card(16, 8)
    card.block(5, 12, 6, 5)
    return card


DESIGNS = {"box": box, "stairs": stairs, "tunnel": tunnel, "arch": arch, "building": building,
           "sticks-out": too_deep}

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "examples"
    os.makedirs(folder, exist_ok=True)
    for name, design in DESIGNS.items():
        with open(os.path.join(folder, name + ".kpf"), "w", newline="\n") as f:
            f.write(design().text())
