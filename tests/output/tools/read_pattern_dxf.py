"""Reads a DXF file with ezdxf and prints what the pattern DXF test checks.

One fact per line:
  VERSION <dxfversion>
  UNITS <$INSUNITS>
  AUDIT <errors> <fixes>
  LAYER <name> <colour>
  LINE <layer> <colour> <x0> <y0> <z0> <x1> <y1> <z1>
  ENTITY <type> <layer>        (any model space entity that is not a LINE)
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
        else:
            print("ENTITY", entity.dxftype(), entity.dxf.layer)
    print("PAPER", sum(len(layout) for layout in doc.layouts if not layout.is_modelspace))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
