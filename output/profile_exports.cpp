// The four profile commands and the files they write.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <vector>

#include "files/atomic_file.h"
#include "model/core_context.h"
#include "model/vector.h"
#include "output/gcode.h"
#include "output/profile.h"

namespace {
// A chord below this many drawing units (2.5 mm at the usual plotter unit) is no airfoil
// worth cutting.
constexpr double kMinChord = 100.0;
// The SVPlus file is in percent of the chord.
constexpr double kPercent = 100.0;

void AppendLine(std::string& s, std::initializer_list<double> values) {
    bool first = true;
    for (double v : values) {
        if (!first) s += ' ';
        first = false;
        s += FormatProfileNumber(v);
    }
    s += "\r\n";
}

// Every profile file ends with one empty line.
void EndFile(std::string& s) { s += "\r\n"; }

// A profile file that cannot be created is passed over in silence; a write that fails later
// is reported, and the old file stays.
bool WriteProfileFile(const std::string& path, const std::string& text) {
    AtomicFile file(path);
    if (!file.IsOpen()) return false;
    file.Stream().write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.Commit()) {
        Ui().Message(JoinText({texts::kGCodeWriteError, path}));
        return false;
    }
    return true;
}

std::optional<std::string> AskProfileFile(const char* filter, const char* extension) {
    FileQuestion q;
    q.filter = filter;
    q.defaultExtension = extension;
    return Ui().AskSaveFile(q);
}

// A chord that the coordinates can be divided by: all points on one vertical line would
// write infinities.
bool ChordUsable(double chord) { return chord > 0.0 && std::isfinite(kPercent / chord); }

// The checks of the first two exports; true when the chain can be written.
bool ChainExportable(const CVector& chain) {
    if (chain.PointCount() < 3) {
        Ui().Message(texts::kContourTooSmall);
        return false;
    }
    if (!ChordUsable(chain.m_maxX - chain.m_minX)) {
        Ui().Message(texts::kProfileTooSmall);
        return false;
    }
    return true;
}

// Turns the chain clockwise and starts it at its nose, the lowest of its leftmost points
// (the last one on a tie); returns the nose's y. Clockwise from the nose the points run
// over the upper side to the trailing edge and back along the lower side.
double StartAtNose(CVector& chain) {
    chain.SetDirection(kDirClockwise);
    double yRef = chain.m_maxY;
    int nose = 0;
    const std::vector<CPunkt>& p = chain.m_points.Raw();
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i].x == chain.m_minX && p[i].y <= yRef) {
            nose = static_cast<int>(i);
            yRef = p[i].y;
        }
    }
    chain.SetStartPoint(nose);
    return yRef;
}
}  // namespace

bool OnExportSvPlus(CVector& chain) {
    const std::optional<std::string> path = AskProfileFile(texts::kSvPlusFilter, "prf");
    if (!path || !ChainExportable(chain)) return false;
    const double scale = kPercent / (chain.m_maxX - chain.m_minX);
    const double yRef = StartAtNose(chain);
    const std::vector<CPunkt>& p = chain.m_points.Raw();
    const auto X = [&](std::size_t i) { return (p[i].x - chain.m_minX) * scale; };
    const auto Y = [&](std::size_t i) { return (p[i].y - yRef) * scale; };
    const std::size_t n = p.size();
    std::string s;
    AppendLine(s, {X(0), Y(0), X(0), Y(0)});
    AppendLine(s, {X(1), Y(1), X(n - 2), Y(n - 2)});
    for (std::size_t i = 2; i <= n - 2; ++i) AppendLine(s, {X(i), Y(i)});
    EndFile(s);
    const bool written = WriteProfileFile(*path, s);
    Ui().RequestRedraw();
    return written;
}

bool OnExportCfwin(CVector& chain) {
    const std::optional<std::string> path = AskProfileFile(texts::kCfwinFilter, "usr");
    if (!path || !ChainExportable(chain)) return false;
    const double chord = chain.m_maxX - chain.m_minX;
    const double yRef = StartAtNose(chain);
    std::string s;
    for (const CPunkt& q : chain.m_points) AppendLine(s, {1.0 - (q.x - chain.m_minX) / chord, (q.y - yRef) / chord});
    EndFile(s);
    const bool written = WriteProfileFile(*path, s);
    Ui().RequestRedraw();
    return written;
}

std::string CProfile::FileText() const {
    std::string s;
    if (m_format == kProfileProfili) AppendLine(s, {static_cast<double>(m_lastOut)});
    const double scale = m_format == kProfileProfili ? kPercent : 1.0;
    for (const CPunkt& q : m_outPoints) AppendLine(s, {q.x * scale, q.y * scale});
    EndFile(s);
    return s;
}

bool CProfile::Export(const CVector& chain, double plotterUnit, const InfoProfilDialog& dialog) {
    if (!chain.m_closed) {
        Ui().Message(texts::kChainNotClosed);
        return false;
    }
    m_points = chain.m_points;
    NormaliseStart();
    const double chord = m_maxX - m_minX;
    if (!(chord >= kMinChord) || !std::isfinite(chord)) {
        Ui().Message(texts::kProfileTooSmall);
        return false;
    }
    // Wanted: trailing edge, upper side, nose, lower side, with the nose on the left.
    if (m_nose < m_top) Reverse();
    if ((m_points[m_tailFirst].x + m_points[m_nose].x) / 2.0 < m_topX) Mirror();
    if (m_nose < m_top) Reverse();
    // A sharp trailing edge is one point, held twice by the closed chain.
    if (m_tailCount != 2) Ui().Message(texts::kTrailingEdgeNotSharp);
    NormaliseStart();

    InfoProfil info = Info(plotterUnit);
    m_maxOut = 0;
    if (dialog && dialog(info)) m_maxOut = std::clamp(info.maxOutputPoints, kMaxOutMin, kMaxOutMax);
    NormaliseChord();

    const bool profili = m_format == kProfileProfili;
    const std::optional<std::string> path =
        AskProfileFile(profili ? texts::kProfiliFilter : texts::kCfwinFilter, profili ? "dat" : "usr");
    if (!path) return false;
    ReducePoints();
    return WriteProfileFile(*path, FileText());
}
