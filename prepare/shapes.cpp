#include "prepare/shapes.h"

#include <cmath>

#include "model/core_context.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/texts.h"
#include "model/tool_tables.h"
#include "model/value_range.h"

namespace {

std::string FirstComplaint(std::initializer_list<std::pair<double, const char*>> sizes, int pen) {
    for (const auto& [v, field] : sizes)
        if (std::string c = CheckRange(v, field, kShapeSizeRange); !c.empty()) return c;
    return CheckRange(pen, "Stift", kPenNumberRange);
}

// Closes the corner list by repeating its first point.
std::vector<CPunkt> Closed(std::vector<CPunkt> pts) {
    pts.push_back(pts.front());
    return pts;
}

// A value no dialog lets through (quenk-cli passes what it is given) is refused with the
// dialog's own message.
bool Refused(const std::string& complaint) {
    if (!complaint.empty()) Ui().Message(complaint);
    return !complaint.empty();
}

bool AddShape(CQuenkDoc& doc, int pen, const std::vector<CPunkt>& mm) {
    if (mm.empty()) {
        Ui().Message(texts::kShapeSizeMissing);
        return false;
    }
    const double unit = doc.App().m_plotterUnit;
    doc.m_curLayer = doc.AddLayer();
    doc.m_curPen = doc.m_curLayer->AddPen(pen);
    doc.m_curChain = doc.m_curPen->AddVector();
    doc.m_curChain->m_points.Reserve(static_cast<int>(mm.size()));
    for (const CPunkt& p : mm) doc.m_curChain->AddPoint({p.x / unit, p.y / unit});
    doc.m_curChain->m_empty = 0;
    doc.RecomputeBox();
    doc.m_nothingImported = 0;
    Ui().RequestRedraw();
    return true;
}
}  // namespace

std::string RectangleOptions::Validate() const { return FirstComplaint({{x, "X"}, {y, "Y"}}, pen); }

std::string TrapezoidOptions::Validate() const {
    return FirstComplaint({{top, "Breite oben"}, {bottom, "Breite unten"}, {height, "Höhe"}}, pen);
}

std::vector<CPunkt> RectanglePoints(const RectangleOptions& o, double x0, double y0) {
    if (o.x == 0 || o.y == 0) return {};
    return Closed({{x0 + o.x, y0}, {x0 + o.x, y0 + o.y}, {x0, y0 + o.y}, {x0, y0}});
}

std::vector<CPunkt> TrapezoidPoints(const TrapezoidOptions& o, double x0, double y0) {
    const double a = o.top, b = o.bottom, h = o.height;
    if (h == 0 || (a == 0 && b == 0)) return {};
    // The wider side starts at the zero point; the narrower one is centred on it.
    const double d = std::fabs(b - a) / 2;
    if (!o.rotated) {
        if (a < b) return Closed({{x0 + b, y0}, {x0 + d + a, y0 + h}, {x0 + d, y0 + h}, {x0, y0}});
        return Closed({{x0 + d + b, y0}, {x0 + a, y0 + h}, {x0, y0 + h}, {x0 + d, y0}});
    }
    if (a < b) return Closed({{x0 + h, y0 + d}, {x0 + h, y0 + d + a}, {x0, y0 + b}, {x0, y0}});
    return Closed({{x0 + h, y0}, {x0 + h, y0 + a}, {x0, y0 + d + b}, {x0, y0 + d}});
}

bool ShapeCommandsEnabled(const CQuenkDoc& doc) { return doc.m_maxX == 0; }

bool AddRectangle(CQuenkDoc& doc, const RectangleOptions& o) {
    const CQuenkApp& app = doc.App();
    if (Refused(o.Validate())) return false;
    return AddShape(doc, o.pen, RectanglePoints(o, app.m_workZeroX, app.m_workZeroY));
}

bool AddTrapezoid(CQuenkDoc& doc, const TrapezoidOptions& o) {
    const CQuenkApp& app = doc.App();
    if (Refused(o.Validate())) return false;
    return AddShape(doc, o.pen, TrapezoidPoints(o, app.m_workZeroX, app.m_workZeroY));
}
