"""Checks a FOLD file of a card against the same card's pattern DXF.

    check_fold.py CARD.fold PATTERN.dxf

The FOLD file is read as plain JSON and the DXF with ezdxf, each written at
the same cell size. The DXF's lines are moved onto the FOLD file's by
their bounding boxes (both hold the sheet's outline) with the across-crease
axis turned over, as the DXF draws the back half above the floor half.
Prints one fact per line:
  COUNTS <vertices> <edges> <faces> <components>
  EULER <V - E + F>                (with F the bounded faces)
  MISMATCH <edge> <assignment> <layers found>   (an edge the DXF disagrees with)
  FACE_GAP <face> <a> <b>           (a face side that is no edge)
  ASSIGNMENTS <letters seen>
"""
import json
import math
import sys

import ezdxf

LAYER_OF = {"B": "cut", "M": "mountain", "V": "valley"}


def dxf_segments(path):
    doc = ezdxf.readfile(path)
    segments = []
    for e in doc.modelspace():
        if e.dxftype() == "LINE":
            segments.append((e.dxf.layer, (e.dxf.start.x, e.dxf.start.y), (e.dxf.end.x, e.dxf.end.y)))
        elif e.dxftype() == "LWPOLYLINE":
            points = [(p[0], p[1]) for p in e.get_points()]
            if e.closed:
                points.append(points[0])
            segments += [(e.dxf.layer, a, b) for a, b in zip(points, points[1:])]
    return segments


def on_segment(p, a, b, tolerance=1e-3):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length2 = dx * dx + dy * dy
    if length2 == 0:
        return False
    t = ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / length2
    if t < -1e-9 or t > 1 + 1e-9:
        return False
    return math.hypot(a[0] + t * dx - p[0], a[1] + t * dy - p[1]) <= tolerance


def components(count, edges):
    parent = list(range(count))

    def root(v):
        while parent[v] != v:
            parent[v] = parent[parent[v]]
            v = parent[v]
        return v

    for a, b in edges:
        parent[root(a)] = root(b)
    return len({root(v) for v in range(count)})


def main(fold_path, dxf_path):
    with open(fold_path) as f:
        fold = json.load(f)
    vertices = fold["vertices_coords"]
    edges = fold["edges_vertices"]
    assignments = fold["edges_assignment"]
    faces = fold["faces_vertices"]
    segments = dxf_segments(dxf_path)

    xs = [v[0] for v in vertices]
    ss = [v[1] for v in vertices]
    dxf_points = [p for _, a, b in segments for p in (a, b)]
    dx_min = min(p[0] for p in dxf_points)
    dy_max = max(p[1] for p in dxf_points)
    # A FOLD point (x, s) on the DXF: x shifted, s turned over and shifted.
    to_dxf = lambda x, s: (x - min(xs) + dx_min, dy_max - (s - min(ss)))

    print("COUNTS", len(vertices), len(edges), len(faces), components(len(vertices), edges))
    print("EULER", len(vertices) - len(edges) + len(faces))
    for i, ((a, b), letter) in enumerate(zip(edges, assignments)):
        middle = to_dxf((vertices[a][0] + vertices[b][0]) / 2, (vertices[a][1] + vertices[b][1]) / 2)
        found = sorted({layer.lower() for layer, p, q in segments if on_segment(middle, p, q)})
        expected = [LAYER_OF[letter]] if letter in LAYER_OF else []
        if found != expected:
            print("MISMATCH", i, letter, ",".join(found) or "-")
    sides = {tuple(sorted(e)) for e in edges}
    for i, face in enumerate(faces):
        for a, b in zip(face, face[1:] + face[:1]):
            if tuple(sorted((a, b))) not in sides:
                print("FACE_GAP", i, a, b)
    print("ASSIGNMENTS", "".join(sorted(set(assignments))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
