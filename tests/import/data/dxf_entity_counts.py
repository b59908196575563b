"""Prints, for every DXF file named on standard input, one line: the path, a tab, and the
entity counts per type as ezdxf reads them, over all blocks including model and paper space
("TYPE=count" separated by blanks; "ERROR" when ezdxf cannot read the file). A polyline's
vertices and a block reference's attributes count as entities of their own."""
import sys
import collections
import ezdxf

for path in sys.stdin.read().splitlines():
    try:
        doc = ezdxf.readfile(path)
    except Exception:
        print(path + "\tERROR", flush=True)
        continue
    counts = collections.Counter()
    for block in doc.blocks:
        for e in block:
            t = e.dxftype()
            counts[t] += 1
            if t == "POLYLINE":
                counts["VERTEX"] += len(e.vertices)
            elif t == "INSERT":
                counts["ATTRIB"] += len(e.attribs)
    print(path + "\t" + " ".join(f"{t}={n}" for t, n in sorted(counts.items())), flush=True)
