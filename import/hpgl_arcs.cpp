// AA, AR and CI: arcs and circles become chords of at most the segment angle, and with the
// default angle of at most the maximum vector length.

#include <cmath>

#include "import/hpgl_interpreter.h"
#include "import/texts.h"
#include "model/document.h"
#include "model/core_context.h"

CPunkt HpglInterpreter::OnCircle(const CPunkt& c, double r, double deg) const {
    const double a = deg * m_doc.m_pi / 180.0;
    return {c.x + r * std::cos(a), c.y + r * std::sin(a)};
}

double HpglInterpreter::ChordAngle(std::int32_t given, bool haveGiven, double r) const {
    if (haveGiven) return given;
    double a = m_limits.segmentAngle;
    const double chord = 2.0 * r * std::sin(a / 2.0 * m_doc.m_pi / 180.0);
    const double longest = m_limits.maxVectorUnits;
    if (chord > longest) a = 2.0 * std::asin(longest / (2.0 * r)) * 180.0 / m_doc.m_pi;
    return a;
}

void HpglInterpreter::Refuse() {
    if (m_refusalShown) return;
    m_refusalShown = true;
    Ui().Message(import_texts::kHpglArcRefused);
}

std::size_t HpglInterpreter::Segments(double sweep, double chord) {
    // A chord angle of 0 or below (a negative one in the file, or a setting that leaves
    // none) can divide no sweep.
    if (!(chord > 0.0) || !std::isfinite(chord)) {
        Refuse();
        return 0;
    }
    const double k = std::trunc(std::fabs(sweep) / chord) + 1.0;
    const double points = k + 1.0;  // the segment starts and the end point
    if (!(k <= static_cast<double>(m_limits.maxArcPoints)) ||
        points > static_cast<double>(m_arcPointsLeft)) {
        Refuse();
        return 0;
    }
    m_arcPointsLeft -= static_cast<std::size_t>(points);
    return static_cast<std::size_t>(k);
}

void HpglInterpreter::AppendArc(const CPunkt& c, double r, double a0, double step, std::size_t k,
                                double end) {
    for (std::size_t j = 0; j < k; ++j) Append(OnCircle(c, r, a0 + static_cast<double>(j) * step));
    Append(OnCircle(c, r, end));
}

std::size_t HpglInterpreter::Arc(std::size_t i, bool relative) {
    if (NoParameters(i)) return i;
    std::int32_t x = 0, y = 0;
    if (!ReadPair(i, x, y)) {
        Ui().Message(relative ? import_texts::kARError : import_texts::kAAErrorXY);
        return i;
    }
    const CPunkt c = relative ? MapRelative(x, y) : MapAbsolute(x, y);
    std::int32_t sweep = 0;
    if (!StepToOptional(i) || !ReadNumber(i, sweep)) {
        if (!relative) Ui().Message(import_texts::kAAErrorArc);
        return i;
    }
    std::int32_t given = 0;
    bool haveGiven = false;
    if (std::size_t j = i; StepToOptional(j)) {
        if (ReadNumber(j, given)) haveGiven = given != 0;  // 0 means the setting
        i = j;
    }

    const CPunkt pos = m_doc.m_hpglPos;
    const double dx = c.x - pos.x;
    const double dy = c.y - pos.y;
    if (dx == 0.0 && dy == 0.0) return i;  // no radius: nothing to draw
    const double r = std::sqrt(dx * dx + dy * dy);
    // Angle of the centre seen from the position, turned half round: the position seen from
    // the centre, in 180..540 degrees.
    double a0 = std::atan(dy / dx) * 180.0 / m_doc.m_pi;
    if (dx < 0.0)
        a0 += 180.0;
    else if (dy < 0.0)
        a0 += 360.0;
    a0 += 180.0;
    const double endAngle = a0 + sweep;
    const CPunkt end = OnCircle(c, r, endAngle);
    if (!std::isfinite(end.x) || !std::isfinite(end.y)) return i;

    if (!m_doc.m_penUp) {
        const std::size_t k = Segments(sweep, ChordAngle(given, haveGiven, r));
        if (k == 0) {
            // Left out: the stroke breaks here and goes on from the arc's end.
            m_doc.m_hpglPos = end;
            if (m_doc.m_curChain && m_doc.m_curChain->PointCount() <= 1)
                m_doc.m_curChain->m_points.RemoveAll();
            else
                BeginChain();
            Append(end);
            return i;
        }
        AppendArc(c, r, a0, sweep / static_cast<double>(k), k, endAngle);
    }
    m_doc.m_hpglPos = end;
    return i;
}

std::size_t HpglInterpreter::Circle(std::size_t i) {
    std::int32_t radius = 0;
    if (!ReadNumber(i, radius)) {
        Ui().Message(import_texts::kCIError);
        return i;
    }
    const double r = radius * m_doc.m_scaleX;
    std::int32_t given = 0;
    bool haveGiven = false;
    if (std::size_t j = i; StepToOptional(j)) {
        if (ReadNumber(j, given)) haveGiven = given != 0;
        i = j;
    }
    const std::size_t k = Segments(360.0, ChordAngle(given, haveGiven, r));
    if (k == 0) return i;

    const CPunkt centre = m_doc.m_hpglPos;
    BeginChain();
    AppendArc(centre, r, 0.0, 360.0 / static_cast<double>(k), k, 0.0);
    // The last point is the first one again, exactly: the circle is closed.
    if (m_doc.m_curChain->PointCount() > 0) {
        const CPunkt first = m_doc.m_curChain->m_points.Front();
        m_doc.m_curChain->m_points.Back() = first;
    }
    // The pen stays at the centre. With the pen down, what follows is a new stroke from the
    // centre; appending it to the circle would open the closed contour.
    if (!m_doc.m_penUp) {
        BeginChain();
        Append(centre);
    }
    return i;
}
