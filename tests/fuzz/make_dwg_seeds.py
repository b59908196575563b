#!/usr/bin/python3
"""Writes the DWG fuzz seeds: tiny R2000 drawings made from scratch (a layer, a line, a circle,
an arc and a light-weight polyline in model space), so that the fuzzer starts from files whose
section locators, object map and objects are sound. Usage: make_dwg_seeds.py OUTPUT_DIR

With --large N DWG DXF it writes a drawing of N lines, circles and arcs for the benchmark, and
the same entities as a DXF file."""
import math
import struct
import sys


class Bits:
    def __init__(self):
        self.bits = []

    def b(self, v, n=1):
        self.bits += [(v >> (n - 1 - k)) & 1 for k in range(n)]

    def rc(self, v):
        self.b(v & 0xFF, 8)

    def raw(self, data):
        for c in data:
            self.rc(c)

    def bs(self, v):
        if v == 0:
            self.b(2, 2)
        elif 0 < v < 256:
            self.b(1, 2)
            self.rc(v)
        else:
            self.b(0, 2)
            self.raw(struct.pack('<h', v))

    def bl(self, v):
        self.b(2, 2) if v == 0 else (self.b(0, 2), self.raw(struct.pack('<i', v)))

    def bd(self, v):
        self.b(2, 2) if v == 0.0 else (self.b(1, 2) if v == 1.0 else (self.b(0, 2), self.raw(struct.pack('<d', v))))

    def rd(self, v):
        self.raw(struct.pack('<d', v))

    def mc(self, v):
        while v >= 0x80:
            self.rc(0x80 | (v & 0x7F))
            v >>= 7
        self.rc(v)

    def h(self, code, value):
        data = value.to_bytes(4, 'big').lstrip(b'\0')
        self.rc(code << 4 | len(data))
        self.raw(data)

    def tv(self, text):
        self.bs(len(text))
        self.raw(text.encode('ascii'))

    def bytes(self):
        padded = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(int(''.join(map(str, padded[k:k + 8])), 2) for k in range(0, len(padded), 8))


LAYER = 0x10


def obj(kind, handle, data, refs):
    """One object: its size, type, bit size, handle, no extended data, then data and handles."""
    head = Bits()
    head.bs(kind)
    head.raw(b'\0\0\0\0')  # the bit size, set below
    head.h(0, handle)
    head.bs(0)
    bits = head.bits + data.bits
    size = len(bits)
    rl = Bits()
    rl.raw(struct.pack('<I', size))
    start = 10 if 0 < kind < 256 else 18  # the type: two bits and one or two bytes
    bits[start:start + 32] = rl.bits
    body = Bits()
    body.bits = bits + refs.bits
    data_bytes = body.bytes()
    return struct.pack('<H', len(data_bytes)) + data_bytes + b'\0\0'


def entity(kind, handle, fields):
    d = Bits()
    d.b(0)          # no graphics
    d.b(2, 2)       # model space
    d.bl(0)         # reactors
    d.b(1)          # no links
    d.bs(1)         # colour
    d.bd(1.0)       # line type scale
    d.b(0, 2)
    d.b(0, 2)
    d.bs(0)         # visible
    d.rc(0)
    fields(d)
    r = Bits()
    r.h(3, 0)       # extension dictionary
    r.h(5, LAYER)
    return obj(kind, handle, d, r)


def layer():
    d = Bits()
    d.bl(0)
    d.tv('0')
    d.b(0)
    d.bs(0)
    d.b(0)
    d.bs(0)
    d.bs(7)
    r = Bits()
    for _ in range(4):
        r.h(4, 0)
    return obj(51, LAYER, d, r)


def line(d):
    d.b(1)
    d.rd(1.5)
    d.b(3, 2)
    d.rd(20.25)
    d.rd(-2.0)
    d.b(0, 2)
    d.b(1)
    d.b(1)


def circle(arc, x=10.0, y=5.0, r=4.0):
    def fields(d):
        for v in (x, y, 0.0, r):
            d.bd(v)
        d.b(1)
        d.b(1)
        if arc:
            d.bd(0.5)
            d.bd(2.0)
    return fields


def lwpolyline(d):
    d.bs(0x210)     # closed, with bulges
    d.bl(3)
    d.bl(3)
    d.rd(0.0)
    d.rd(0.0)
    for v in (10.0, 0.0, 10.0, 10.0):
        d.b(3, 2)
        d.rd(v)
    for v in (0.0, 1.0, 0.0):
        d.bd(v)


def drawing(entities):
    objects = [(LAYER, layer())] + [(0x20 + k, entity(kind, 0x20 + k, f)) for k, (kind, f) in enumerate(entities)]
    at = 0x60
    body, offsets = b'', []
    for handle, data in objects:
        offsets.append((handle, at + len(body)))
        body += data
    handles = b''
    for first in range(0, len(offsets), 200):  # sections stay below 2032 bytes
        section = map_section(offsets[first:first + 200])
        handles += struct.pack('>H', len(section) + 2) + section + b'\0\0'
    handles += struct.pack('>H', 2)
    map_at = at + len(body)
    head = b'AC1015' + bytes(7) + struct.pack('<I', 0) + b'\0\0' + struct.pack('<H', 30) + struct.pack('<I', 2)
    head += bytes([1]) + struct.pack('<II', 0, 0) + bytes([2]) + struct.pack('<II', map_at, len(handles))
    head = head.ljust(at, b'\0')
    return head + body + handles


def map_section(offsets):
    m = Bits()
    last_h, last_at = 0, 0
    for handle, offset in offsets:
        m.mc(handle - last_h)
        delta = offset - last_at
        size = abs(delta)
        while size >= 0x40:  # seven bits a byte, the last with six and the sign
            m.rc(0x80 | (size & 0x7F))
            size >>= 7
        m.rc(size | (0x40 if delta < 0 else 0))
        last_h, last_at = handle, offset
    return m.bytes()


def large(n, dwg, dxf):
    """n entities in turn lines, circles and arcs, spread over a 1000 mm square."""
    entities, text = [], ['0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n']
    for k in range(n):
        x, y = (k * 7919) % 1000 + 0.125, (k * 104729) % 1000 + 0.375
        if k % 3 == 0:
            entities.append((19, lambda d, x=x, y=y: (d.b(1), d.rd(x), d.b(3, 2), d.rd(x + 5.5), d.rd(y), d.b(3, 2),
                                                      d.rd(y + 2.25), d.b(1), d.b(1))))
            text.append(f'0\nLINE\n8\n0\n62\n1\n10\n{x!r}\n20\n{y!r}\n11\n{x + 5.5!r}\n21\n{y + 2.25!r}\n')
        else:
            arc = k % 3 == 2
            entities.append((17 if arc else 18, circle(arc, x, y, 3.0)))
            text.append(f'0\n{"ARC" if arc else "CIRCLE"}\n8\n0\n62\n1\n10\n{x!r}\n20\n{y!r}\n40\n3.0\n')
            if arc:
                text.append(f'50\n{0.5 * 180 / math.pi!r}\n51\n{2.0 * 180 / math.pi!r}\n')
    with open(dwg, 'wb') as f:
        f.write(drawing(entities))
    with open(dxf, 'w') as f:
        f.write(''.join(text) + '0\nENDSEC\n0\nEOF\n')


if __name__ == '__main__':
    if sys.argv[1] == '--large':
        large(int(sys.argv[2]), sys.argv[3], sys.argv[4])
        sys.exit(0)
    out = sys.argv[1]
    seeds = {
        'line.dwg': [(19, line)],
        'circle_arc.dwg': [(18, circle(False)), (17, circle(True))],
        'lwpolyline.dwg': [(77, lwpolyline), (19, line)],
    }
    for name, entities in seeds.items():
        with open(f'{out}/{name}', 'wb') as f:
            f.write(drawing(entities))
