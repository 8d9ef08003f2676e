"""Reads a DXF file with ezdxf and prints what the pattern DXF test checks.

One fact per line:
  VERSION <dxfversion>
  UNITS <$INSUNITS>
  AUDIT <errors> <fixes>
  LAYER <name> <colour>
  LINE <layer> <colour> <x0> <y0> <z0> <x1> <y1> <z1>
  POLY <layer> <colour> <closed 0|1> <elevation> <n> <x> <y> ... (an LWPOLYLINE)
  ENTITY <type> <layer>        (any other model space entity)
  PAPER <count>                (entities in paper space)
On a file ezdxf cannot read: ERROR <message>, exit status 1.
"""
import sys

import ezdxf


def main(path):
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # noqa: BLE001 - any reader failure is the answer
        print("ERROR", str(error).replace("\n", " "))
        return 1
    auditor = doc.audit()
    print("VERSION", doc.dxfversion)
    print("UNITS", doc.header.get("$INSUNITS", -1))
    print("AUDIT", len(auditor.errors), len(auditor.fixes))
    for layer in doc.layers:
        print("LAYER", layer.dxf.name, layer.dxf.color)
    for entity in doc.modelspace():
        if entity.dxftype() == "LINE":
            s, e = entity.dxf.start, entity.dxf.end
            print("LINE", entity.dxf.layer, entity.dxf.get("color", 256),
                  repr(s.x), repr(s.y), repr(s.z), repr(e.x), repr(e.y), repr(e.z))
        elif entity.dxftype() == "LWPOLYLINE":
            points = [repr(v) for p in entity.get_points("xy") for v in p]
            print("POLY", entity.dxf.layer, entity.dxf.get("color", 256), int(entity.closed),
                  repr(entity.dxf.elevation), len(entity), " ".join(points))
        else:
            print("ENTITY", entity.dxftype(), entity.dxf.layer)
    print("PAPER", sum(len(layout) for layout in doc.layouts if not layout.is_modelspace))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
