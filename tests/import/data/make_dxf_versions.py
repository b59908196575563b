"""Writes one drawing with ezdxf in every DXF version from R12 to R2018, as ASCII
(NAME.dxf) and binary (NAME_bin.dxf) files, into the folder given as the argument."""
import math
import sys
import ezdxf

out = sys.argv[1]
for version in ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]:
    doc = ezdxf.new(version)
    doc.layers.add("Kontur", color=3)
    doc.layers.add("Aus", color=5).off()
    msp = doc.modelspace()
    for k in range(8):
        a = k * math.pi / 4
        msp.add_line((10 * math.cos(a), 10 * math.sin(a)), (10 * math.cos(a + 0.7), 10 * math.sin(a + 0.7)))
    msp.add_circle((50, 0), 12.5, dxfattribs={"layer": "Kontur"})
    msp.add_arc((0, 50), 8, 350, 10, dxfattribs={"color": 5})
    msp.add_point((3, 4))
    msp.add_polyline2d([(0, 0), (5, 5), (10, 0)], dxfattribs={"layer": "Aus"})
    msp.add_text("Überschrift")
    block = doc.blocks.new("Teil")
    block.add_line((0, 0), (1, 1))
    msp.add_blockref("Teil", (20, 20))
    if version != "R12":
        msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0, 0, 0, 0), (10, 10, 0, 0, -0.5)], format="xyseb", close=True)
        msp.add_ellipse((0, 0), (10, 0), 0.5, 0, 3.0)
        msp.add_spline([(0, 0), (5, 5), (10, 0), (15, 5)])
        doc.layout("Layout1").add_circle((0, 0), 3)
    doc.layout().add_line((0, 0), (100, 0))
    doc.saveas(f"{out}/ezdxf_{version}.dxf")
    doc.saveas(f"{out}/ezdxf_{version}_bin.dxf", fmt="bin")
