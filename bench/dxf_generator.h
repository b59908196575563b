#pragma once
// Writes large DXF drawings (R2000) for the benchmarks, in the ASCII and the binary form, with
// the same entities in both: closed polygons of loose LINEs, rounded rectangles as bulged
// LWPOLYLINEs, ARCs and CIRCLEs on six layers, some with a colour of their own.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

class DxfBenchWriter {
public:
    DxfBenchWriter(const std::string& path, bool binary) : m_binary(binary) {
        m_f = std::fopen(path.c_str(), "wb");
        if (m_binary && m_f) std::fwrite("AutoCAD Binary DXF\r\n\x1a\0", 1, 22, m_f);
    }
    ~DxfBenchWriter() {
        if (m_f) std::fclose(m_f);
    }
    bool Ok() const { return m_f != nullptr; }

    void Text(int code, const char* s) {
        if (m_binary) {
            Code(code);
            std::fwrite(s, 1, std::char_traits<char>::length(s) + 1, m_f);
        } else {
            std::fprintf(m_f, "%3d\n%s\n", code, s);
        }
    }
    void Real(int code, double v) {
        if (m_binary) {
            Code(code);
            std::fwrite(&v, 8, 1, m_f);
        } else {
            std::fprintf(m_f, "%3d\n%.6f\n", code, v);
        }
    }
    void Int16(int code, int v) {
        if (m_binary) {
            Code(code);
            const auto s = static_cast<std::int16_t>(v);
            std::fwrite(&s, 2, 1, m_f);
        } else {
            std::fprintf(m_f, "%3d\n%6d\n", code, v);
        }
    }
    void Int32(int code, int v) {
        if (m_binary) {
            Code(code);
            const auto s = static_cast<std::int32_t>(v);
            std::fwrite(&s, 4, 1, m_f);
        } else {
            std::fprintf(m_f, "%3d\n%d\n", code, v);
        }
    }
    // The common head of an entity: name, handle, owner, layer, colour.
    void Entity(const char* name, const char* subclass, int layer, int colour) {
        char handle[16];
        std::snprintf(handle, sizeof handle, "%X", ++m_handle);
        Text(0, name);
        Text(5, handle);
        Text(330, "1F");
        Text(100, "AcDbEntity");
        char l[8];
        std::snprintf(l, sizeof l, "L%d", layer);
        Text(8, l);
        if (colour != 256) Int16(62, colour);
        Text(100, subclass);
    }
    void Point(int code, double x, double y) {
        Real(code, x);
        Real(code + 10, y);
        Real(code + 20, 0.0);
    }

private:
    void Code(int code) {
        const auto c = static_cast<std::uint16_t>(code);
        std::fwrite(&c, 2, 1, m_f);  // little-endian machines only, as the benchmark runs
    }
    std::FILE* m_f = nullptr;
    bool m_binary;
    unsigned m_handle = 0x100;
};

// What the drawing holds.
struct DxfBenchShape {
    int polygons = 35000;         // closed hexagons of 6 loose LINEs each
    int roundedRects = 30000;     // LWPOLYLINEs of 4 vertices, two corners bulged, closed
    int arcs = 15000;
    int circles = 15000;
    int looseLines = 0;           // LINEs that join nothing
};

inline bool WriteBenchDxf(const std::string& path, bool binary, const DxfBenchShape& shape) {
    DxfBenchWriter w(path, binary);
    if (!w.Ok()) return false;
    w.Text(0, "SECTION");
    w.Text(2, "HEADER");
    w.Text(9, "$ACADVER");
    w.Text(1, "AC1015");
    w.Text(9, "$DWGCODEPAGE");
    w.Text(3, "ANSI_1252");
    w.Text(0, "ENDSEC");
    w.Text(0, "SECTION");
    w.Text(2, "TABLES");
    w.Text(0, "TABLE");
    w.Text(2, "LAYER");
    w.Int16(70, 6);
    for (int k = 0; k < 6; ++k) {
        char name[8];
        std::snprintf(name, sizeof name, "L%d", k);
        w.Text(0, "LAYER");
        w.Text(100, "AcDbSymbolTableRecord");
        w.Text(100, "AcDbLayerTableRecord");
        w.Text(2, name);
        w.Int16(70, 0);
        w.Int16(62, k + 1);
        w.Text(6, "CONTINUOUS");
    }
    w.Text(0, "ENDTAB");
    w.Text(0, "ENDSEC");
    w.Text(0, "SECTION");
    w.Text(2, "ENTITIES");
    // Everything on a grid of 40 mm cells, so that no two shapes touch.
    int cell = 0;
    auto next = [&](double& x, double& y) {
        x = 40.0 * (cell % 500);
        y = 40.0 * (cell / 500);
        ++cell;
    };
    double x = 0, y = 0;
    for (int k = 0; k < shape.polygons; ++k) {
        next(x, y);
        for (int s = 0; s < 6; ++s) {
            const double a0 = s * 1.0471975511965976, a1 = (s + 1) * 1.0471975511965976;
            w.Entity("LINE", "AcDbLine", k % 6, 256);
            w.Point(10, x + 15 * std::cos(a0), y + 15 * std::sin(a0));
            w.Point(11, x + 15 * std::cos(a1), y + 15 * std::sin(a1));
        }
    }
    for (int k = 0; k < shape.roundedRects; ++k) {
        next(x, y);
        w.Entity("LWPOLYLINE", "AcDbPolyline", k % 6, k % 5 == 0 ? 7 : 256);
        w.Int32(90, 4);
        w.Int16(70, 1);
        const double px[4] = {0, 20, 30, 30}, py[4] = {0, 0, 10, 20}, b[4] = {0.41421356, 0, -0.2, 0};
        for (int v = 0; v < 4; ++v) {
            w.Real(10, x + px[v]);
            w.Real(20, y + py[v]);
            if (b[v] != 0) w.Real(42, b[v]);
        }
    }
    for (int k = 0; k < shape.arcs; ++k) {
        next(x, y);
        w.Entity("ARC", "AcDbCircle", k % 6, 256);
        w.Point(10, x + 15, y + 15);
        w.Real(40, 12.5);
        w.Text(100, "AcDbArc");
        w.Real(50, (k * 37) % 360);
        w.Real(51, (k * 37 + 120) % 360);
    }
    for (int k = 0; k < shape.circles; ++k) {
        next(x, y);
        w.Entity("CIRCLE", "AcDbCircle", k % 6, k % 7 == 0 ? 2 : 256);
        w.Point(10, x + 15, y + 15);
        w.Real(40, 5.0 + k % 10);
    }
    for (int k = 0; k < shape.looseLines; ++k) {
        next(x, y);
        w.Entity("LINE", "AcDbLine", k % 6, 256);
        w.Point(10, x, y);
        w.Point(11, x + 25, y + 10);
    }
    w.Text(0, "ENDSEC");
    w.Text(0, "EOF");
    return true;
}
