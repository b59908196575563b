#!/usr/bin/env python3
"""Writes samples/schild.plt: a sign with the letters QUENK, two mounting holes and a
border, in HPGL. Every outline is drawn as loose strokes (single edges or short runs,
shuffled, some reversed, some in relative plotting) whose ends touch exactly, so that the
end-point joining of the import has real work to do.

    scripts/make_schild.py > samples/schild.plt
"""
import random
import sys

SCALE = 16          # letter cells are 60 x 100 design units
LETTER_GAP = 20     # design units between letters
ORIGIN = (1200, 1400)

# Closed outlines of the letters in design units, counter-clockwise.
LETTERS = {
    "Q": [[(20, 0), (40, 0), (60, 20), (60, 80), (40, 100), (20, 100), (0, 80), (0, 20)],
          [(25, 15), (15, 25), (15, 75), (25, 85), (35, 85), (45, 75), (45, 25), (35, 15)]],
    "U": [[(0, 100), (0, 20), (10, 5), (25, 0), (35, 0), (50, 5), (60, 20), (60, 100), (45, 100),
           (45, 25), (38, 15), (22, 15), (15, 25), (15, 100)]],
    "E": [[(0, 0), (60, 0), (60, 15), (15, 15), (15, 42), (50, 42), (50, 57), (15, 57), (15, 85),
           (60, 85), (60, 100), (0, 100)]],
    "N": [[(0, 0), (15, 0), (15, 70), (45, 0), (60, 0), (60, 100), (45, 100), (45, 30), (15, 100),
           (0, 100)]],
    "K": [[(0, 0), (15, 0), (15, 40), (22, 48), (45, 0), (62, 0), (32, 58), (60, 100), (42, 100),
           (15, 62), (15, 100), (0, 100)]],
}
# The tail of the Q is engraved: an open stroke of pen 2.
Q_TAIL = [(38, 22), (52, -6)]


def place(points, dx, dy):
    return [(ORIGIN[0] + (dx + x) * SCALE, ORIGIN[1] + (dy + y) * SCALE) for x, y in points]


def loose_strokes(outline, rng):
    """Cuts a closed outline into runs of one to three edges."""
    closed = outline + [outline[0]]
    strokes, i = [], 0
    while i < len(closed) - 1:
        n = min(rng.randint(1, 3), len(closed) - 1 - i)
        strokes.append(closed[i:i + n + 1])
        i += n
    return strokes


def write_stroke(out, stroke, rng):
    if rng.random() < 0.4:
        stroke = stroke[::-1]
    x0, y0 = stroke[0]
    out.append(f"PU{x0},{y0};")
    if rng.random() < 0.3:
        rel = []
        for (ax, ay), (bx, by) in zip(stroke, stroke[1:]):
            rel.append(f"{bx - ax},{by - ay}")
        out.append("PD;PR" + ",".join(rel) + ";PA;")
    else:
        out.append("PD" + ",".join(f"{x},{y}" for x, y in stroke[1:]) + ";")


def main():
    rng = random.Random(4711)
    out = ["IN;"]

    # Pen 1: the letters, their strokes shuffled across the whole word.
    strokes = []
    for k, ch in enumerate("QUENK"):
        dx = k * (60 + LETTER_GAP)
        for outline in LETTERS[ch]:
            strokes += loose_strokes(place(outline, dx, 0), rng)
    rng.shuffle(strokes)
    out.append("SP1;")
    for s in strokes:
        write_stroke(out, s, rng)

    # Pen 2: the Q's tail, engraved.
    out.append("SP2;")
    write_stroke(out, place(Q_TAIL, 0, 0), rng)

    # Pen 3: two mounting holes as circles, and the border as four loose edges.
    width = 5 * 60 + 4 * LETTER_GAP
    left, bottom = ORIGIN[0] - 800, ORIGIN[1] - 800
    right, top = ORIGIN[0] + width * SCALE + 800, ORIGIN[1] + 100 * SCALE + 800
    out.append("SP3;")
    for cx in (left + 400, right - 400):
        out.append(f"PU{cx},{(bottom + top) // 2};CI150;")
    corners = [(left, bottom), (right, bottom), (right, top), (left, top)]
    edges = [[corners[i], corners[(i + 1) % 4]] for i in range(4)]
    rng.shuffle(edges)
    for e in edges:
        write_stroke(out, e, rng)

    out.append("PU;")
    # Plotter files carry line breaks; the reader removes them.
    sys.stdout.write("\r\n".join(out) + "\r\n")


if __name__ == "__main__":
    main()
