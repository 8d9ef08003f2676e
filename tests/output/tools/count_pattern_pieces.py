"""Cuts the lines of pattern DXF files out of their sheets and counts the pieces.

For each file given, one line:
  PIECES <file> <with the cuts alone> <with the cuts and the perforated folds>
The sheet is the box around the CUT layer; every LINE and LWPOLYLINE of the
CUT, MOUNTAIN and VALLEY layers is a cut line a few micrometres wide
(SCORE lines are scored, not cut). ezdxf reads, shapely (GEOS) subtracts.
On a file that cannot be read: ERROR <file> <message>, exit status 1.
"""
import sys

import ezdxf
from shapely.geometry import LineString, MultiLineString, box
from shapely.ops import unary_union

KERF_MM = 0.005  # half the width of a cut


def lines_by_layer(path):
    layers = {}
    for entity in ezdxf.readfile(path).modelspace():
        if entity.dxftype() == "LINE":
            s, e = entity.dxf.start, entity.dxf.end
            parts = [[(s.x, s.y), (e.x, e.y)]]
        elif entity.dxftype() == "LWPOLYLINE":
            points = [tuple(p) for p in entity.get_points("xy")]
            if entity.closed:
                points.append(points[0])
            parts = [points]
        else:
            continue
        layers.setdefault(entity.dxf.layer, []).extend(parts)
    return layers


def pieces(sheet, lines):
    kerf = unary_union([LineString(p).buffer(KERF_MM) for p in lines])
    rest = sheet.difference(kerf)
    return len(getattr(rest, "geoms", [rest])) if not rest.is_empty else 0


def main(paths):
    status = 0
    for path in paths:
        try:
            layers = lines_by_layer(path)
        except Exception as error:  # noqa: BLE001 - any reader failure is the answer
            print("ERROR", path, str(error).replace("\n", " "))
            status = 1
            continue
        cuts = layers.get("CUT", [])
        sheet = box(*MultiLineString(cuts).bounds)
        folds = layers.get("MOUNTAIN", []) + layers.get("VALLEY", [])
        print("PIECES", path, pieces(sheet, cuts), pieces(sheet, cuts + folds))
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
