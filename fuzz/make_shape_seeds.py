#!/usr/bin/python3
"""Writes the seed corpus of fuzz_shape_files into fuzz/corpus/shapes: tiny
pictures and models of every kind the readers take, and a text, each after
the byte that picks its reader (see kKinds in ShapeFilesFuzz.cpp). Uses only
the standard library, so the seeds are made by the project itself."""
import gzip, os, struct, zlib

KINDS = ["picture", "obj", "stl", "ply", "gltf", "glb", "3mf", "text"]
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "shapes")
os.makedirs(out, exist_ok=True)


def save(name, kind, body):
    with open(os.path.join(out, name), "wb") as f:
        f.write(bytes([KINDS.index(kind)]) + body)


def png(width, height, rows, colour_type=0):
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


save("square.png", "picture", png(4, 4, [b"\0\0\xff\xff"] * 4))
save("alpha.png", "picture", png(2, 2, [b"\0\0\0\0\0\0\0\xff", b"\xff\xff\xff\xff\0\0\0\x80"], 6))
save("tiny.gif", "picture", bytes([0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 2, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                                   0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B]))
bmp_pixels = b"\0\0\0\xff\xff\xff\0\0" * 2
save("tiny.bmp", "picture", b"BM" + struct.pack("<IHHI", 54 + len(bmp_pixels), 0, 0, 54) +
     struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(bmp_pixels), 2835, 2835, 0, 0) + bmp_pixels)
save("shape.svg", "picture", b"<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'>"
     b"<rect width='8' height='10'/><circle cx='15' cy='5' r='4' fill='#444'/><text x='10' y='9'>A</text></svg>")
# What librsvg draws beyond plain shapes: a mask, a clip path, a blur, and
# the same picture compressed as .svgz.
effects = (b"<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 20 10'><defs>"
           b"<mask id='m'><rect width='20' height='10' fill='white'/><circle cx='5' cy='5' r='3'/></mask>"
           b"<clipPath id='c'><rect width='14' height='10'/></clipPath>"
           b"<filter id='f'><feGaussianBlur stdDeviation='1'/></filter></defs>"
           b"<g clip-path='url(#c)' filter='url(#f)'><rect width='20' height='10' mask='url(#m)'/></g></svg>")
save("effects.svg", "picture", effects)
save("effects.svgz", "picture", gzip.compress(effects, mtime=0))

cube = [(0, 0, 0), (1, 0, 0), (0, 1, 0), (1, 1, 0), (0, 0, 1), (1, 0, 1), (0, 1, 1), (1, 1, 1)]
quads = [(0, 1, 3, 2), (4, 5, 7, 6), (0, 1, 5, 4), (2, 3, 7, 6), (0, 2, 6, 4), (1, 3, 7, 5)]
obj = "".join("v %d %d %d\n" % v for v in cube) + "".join("f %d %d %d %d\n" % tuple(i + 1 for i in q) for q in quads)
save("cube.obj", "obj", obj.encode())
tris = [(cube[a], cube[b], cube[c]) for a, b, c, d in quads] + [(cube[a], cube[c], cube[d]) for a, b, c, d in quads]
stl = b"\0" * 80 + struct.pack("<I", len(tris)) + b"".join(
    struct.pack("<3f", 0, 0, 0) + b"".join(struct.pack("<3f", *p) for p in t) + b"\0\0" for t in tris)
save("cube.stl", "stl", stl)
save("triangle-ascii.stl", "stl", b"solid t\nfacet normal 0 -1 0\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n"
     b"vertex 0 0 1\nendloop\nendfacet\nendsolid t\n")
ply = ("ply\nformat ascii 1.0\nelement vertex 8\nproperty float x\nproperty float y\nproperty float z\n"
       "element face 6\nproperty list uchar int vertex_indices\nend_header\n" +
       "".join("%d %d %d\n" % v for v in cube) + "".join("4 %d %d %d %d\n" % q for q in quads))
save("cube.ply", "ply", ply.encode())
positions = struct.pack("<9f", 0, 0, 0, 1, 0, 0, 0, 0, 1)
import base64
gltf = ('{"asset":{"version":"2.0"},"buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,%s"}],'
        '"bufferViews":[{"buffer":0,"byteLength":36}],"accessors":[{"bufferView":0,"componentType":5126,"count":3,'
        '"type":"VEC3","min":[0,0,0],"max":[1,0,1]}],"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],'
        '"nodes":[{"mesh":0}],"scenes":[{"nodes":[0]}],"scene":0}' % base64.b64encode(positions).decode())
save("triangle.gltf", "gltf", gltf.encode())
json_chunk = gltf.replace(',"uri":"data:application/octet-stream;base64,%s"' % base64.b64encode(positions).decode(), "")
json_chunk = json_chunk.encode() + b" " * (-len(json_chunk) % 4)
glb = (struct.pack("<III", 0x46546C67, 2, 12 + 8 + len(json_chunk) + 8 + len(positions)) +
       struct.pack("<II", len(json_chunk), 0x4E4F534A) + json_chunk + struct.pack("<II", len(positions), 0x004E4942) + positions)
save("triangle.glb", "glb", glb)
save("hello.txt", "text", "Hello, Popwright! \u00e9\u00df".encode())

import io, zipfile
model = ('<?xml version="1.0" encoding="UTF-8"?><model unit="millimeter" '
         'xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02"><resources><object id="1" type="model">'
         '<mesh><vertices>' + "".join('<vertex x="%d" y="%d" z="%d"/>' % v for v in cube) + '</vertices><triangles>' +
         "".join('<triangle v1="%d" v2="%d" v3="%d"/>' % (a, b, c) for a, b, c, d in quads) +
         '</triangles></mesh></object></resources><build><item objectid="1"/></build></model>')
archive = io.BytesIO()
with zipfile.ZipFile(archive, "w") as z:
    z.writestr("[Content_Types].xml", '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
               '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
               '<Default Extension="model" ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/></Types>')
    z.writestr("_rels/.rels", '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
               '<Relationship Target="/3D/3dmodel.model" Id="rel0" Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/></Relationships>')
    z.writestr("3D/3dmodel.model", model)
save("half-cube.3mf", "3mf", archive.getvalue())

# Hostile sizes, each refused before Assimp builds them: a glb whose binary
# chunk claims 2 GB, a node tree that doubles at every level and one that
# contains itself, and a 3MF whose directory claims 300 MB for its model.
lying = bytearray(glb)
lying[20 + len(json_chunk):24 + len(json_chunk)] = struct.pack("<I", 2000000000)
save("glb-lying-chunk.glb", "glb", bytes(lying))
doubling = "[" + "".join('{"children":[%d,%d]},' % (k + 1, k + 1) for k in range(12)) + '{"mesh":0}]'
save("gltf-doubling-nodes.gltf", "gltf", gltf.replace('"nodes":[{"mesh":0}]', '"nodes":' + doubling).encode())
save("gltf-node-loop.gltf", "gltf",
     gltf.replace('"nodes":[{"mesh":0}]', '"nodes":[{"children":[1]},{"children":[0],"mesh":0}]').encode())
claimed = bytearray(archive.getvalue())
entry = claimed.rfind(b"PK\x01\x02")  # the central directory's last entry: the model
claimed[entry + 24:entry + 28] = struct.pack("<I", 300 << 20)
save("3mf-claims-300mb.3mf", "3mf", bytes(claimed))
