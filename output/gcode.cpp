#include "output/gcode.h"

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "model/box.h"
#include "model/program_values.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/progress.h"
#include "output/format_number.h"
#include "output/program_text.h"
#include "model/fraes_kontur.h"

namespace {
// Tool numbers a contour may carry in a program.
// The most depth passes one contour may need before the run gives up.
constexpr int kMaxPasses = 900;
// A pass may be this much deeper than the maximum pass depth: depths are entered to the
// micrometre, so a remainder below it is rounding and not worth a pass of its own.
constexpr double kPassTolerance = 0.001;

// Numbers of this magnitude and more have no text in the program's number format.
constexpr double kLargestNumber = 1e10;

// Also false for NaN.
bool Writable(double v) { return std::fabs(v) < kLargestNumber; }

bool TableHas(std::size_t size, std::int32_t t) { return t >= 0 && static_cast<std::size_t>(t) < size; }
}  // namespace

void ComputePathExtents(CQuenkApp& app) {
    double minX = kEmptyMin, minY = kEmptyMin;
    double maxX = kEmptyMax, maxY = kEmptyMax;
    for (const auto& k : app.m_millingList) {
        for (const auto& path : k->m_paths) {
            for (const CPunkt& p : path->m_points.Raw()) {
                if (p.x < minX) minX = p.x;
                if (p.x > maxX) maxX = p.x;
                if (p.y < minY) minY = p.y;
                if (p.y > maxY) maxY = p.y;
            }
        }
    }
    app.m_pathMinX = minX;
    app.m_pathMaxX = maxX;
    app.m_pathMinY = minY;
    app.m_pathMaxY = maxY;
}

// Collects the program text in a block and hands it to the stream in large pieces: a
// program has millions of short lines, and a stream call per word would dominate the run.
class CGCodeGenerator::Writer {
public:
    explicit Writer(std::ostream& out) : m_out(out) {}
    ~Writer() { Flush(); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Makes room for one line of words and numbers.
    void Reserve() {
        if (m_pos + kLineRoom > sizeof m_buf) Flush();
    }
    void Put(std::string_view s) {
        if (s.size() > sizeof m_buf - m_pos) {
            Flush();
            m_out.write(s.data(), static_cast<std::streamsize>(s.size()));
            return;
        }
        std::memcpy(m_buf + m_pos, s.data(), s.size());
        m_pos += s.size();
    }
    // After Reserve: words and numbers of one line fit.
    void Word(const char* w, std::size_t n) {
        std::memcpy(m_buf + m_pos, w, n);
        m_pos += n;
    }
    void Number(double v) { m_pos = static_cast<std::size_t>(FormatNumberTo(v, m_buf + m_pos) - m_buf); }
    void EndLine() {
        m_buf[m_pos++] = '\r';
        m_buf[m_pos++] = '\n';
    }
    void Line(std::string_view s) {
        Put(s);
        Reserve();
        EndLine();
    }
    void Flush() {
        if (m_pos) m_out.write(m_buf, static_cast<std::streamsize>(m_pos));
        m_pos = 0;
    }

private:
    // Two numbers, a few words and the line end.
    static constexpr std::size_t kLineRoom = 2 * kFormatNumberMax + 32;
    std::ostream& m_out;
    std::size_t m_pos = 0;
    char m_buf[1 << 16];
};

CGCodeGenerator::CGCodeGenerator(const CQuenkApp& app, std::ostream& out, GCodeVariant variant)
    : m_app(app), m_out(out), m_variant(std::move(variant)) {}

namespace {
// The number of depth passes: the fewest passes none of which is deeper than the maximum
// (with its tolerance); 0 when more than kMaxPasses would be needed.
int PassCount(double depth, double maxPassDepth) {
    if (!(maxPassDepth > 0.0)) return 1;  // "0 = 1 Durchlauf"; the range check refuses the rest
    const double allowed = maxPassDepth + kPassTolerance;
    if (!(depth > allowed)) return 1;
    if (depth / kMaxPasses > allowed) return 0;
    int n = static_cast<int>(std::ceil(depth / allowed));
    // The quotient may be off by one at exact boundaries; the division decides.
    while (n > 1 && depth / (n - 1) <= allowed) --n;
    while (depth / n > allowed) ++n;
    return n > kMaxPasses ? 0 : n;
}
}  // namespace

namespace {
// The values of a run that hold for all its contours, or the stop that ends it at once.
struct RunStart {
    double zTop = 0.0, zSafe = 0.0, maxX = 0.0, maxY = 0.0;
    std::string stop;
};

RunStart StartRun(const CQuenkApp& a) {
    RunStart s;
    s.stop = ProgramValueComplaint(a);
    if (!s.stop.empty()) return s;
    s.zTop = a.m_zReference == 1 ? a.m_zBottom + a.m_materialThickness : a.m_zTop;
    s.zSafe = s.zTop + a.m_safetyDistance;
    // Before nothing is milled the extents keep their start values; the comment then shows
    // zero rather than a coordinate far outside any machine.
    const bool anyPoint = a.m_pathMinX <= a.m_pathMaxX;
    s.maxX = anyPoint ? a.m_pathMaxX * a.m_plotterUnit : 0.0;
    s.maxY = anyPoint ? a.m_pathMaxY * a.m_plotterUnit : 0.0;
    if (!Writable(s.maxX) || !Writable(s.maxY)) s.stop = texts::kNotANumber;
    return s;
}

// The checks of a change to tool t and the depth the tool then cuts to; the stop's message
// when the tool cannot be written.
std::string ChangeTool(const CQuenkApp& a, bool writeFeed, std::int32_t t, double zTop, double& zBottom) {
    const bool valid = t >= kFirstTool && t <= kLastTool && TableHas(a.m_toolUsed.size(), t) &&
                       (!writeFeed || TableHas(a.m_toolFeedXY.size(), t)) &&
                       (a.m_depthMode != 1 || TableHas(a.m_toolDepth.size(), t));
    if (!valid) return JoinText({texts::kBadToolNumber, std::to_string(t)});
    if (a.m_depthMode == 1) {
        const double toolDepth = a.m_toolDepth[static_cast<std::size_t>(t)];
        if (toolDepth == 0.0) return texts::kToolLengthZero;
        zBottom = zTop - toolDepth;
    } else {
        zBottom = zTop - a.m_materialThickness - a.m_extraDepth;
    }
    return {};
}

// Whether every point of the contour has a text in the program at plotter unit u.
bool ContourWritable(const CFraesKontur& kontur, double u) {
    for (const auto& path : kontur.m_paths)
        for (const CPunkt& p : path->m_points.Raw())
            if (!Writable(p.x * u) || !Writable(p.y * u)) return false;
    return true;
}
}  // namespace

GCodePlan CGCodeGenerator::Plan() const {
    const CQuenkApp& a = m_app;
    GCodePlan plan;
    const RunStart start = StartRun(a);
    if (!start.stop.empty()) return plan;
    // The first contour of several passes, met before any stop of the tool checks.
    std::int32_t prevTool = -1;
    double zBottom = 0.0;
    std::size_t asking = 0;
    int passes = 0;
    for (; asking < a.m_millingList.size(); ++asking) {
        const std::int32_t t = a.m_millingList[asking]->m_tool;
        if (t != prevTool && !ChangeTool(a, m_variant.writeFeed, t, start.zTop, zBottom).empty()) return plan;
        prevTool = t;
        if (a.m_toolUsed[static_cast<std::size_t>(t)] == 0) continue;
        passes = PassCount(start.zTop - zBottom, a.m_maxPassDepth);
        if (passes == 0) return plan;
        if (passes > 1) break;
    }
    if (passes < 2) return plan;
    // The single-pass contours before it are written first; a point without a text there
    // stops the run before the question.
    for (std::size_t k = 0; k < asking; ++k) {
        const CFraesKontur& kontur = *a.m_millingList[k];
        if (a.m_toolUsed[static_cast<std::size_t>(kontur.m_tool)] != 0 && !ContourWritable(kontur, a.m_plotterUnit))
            return plan;
    }
    plan.passQuestion = passes;
    return plan;
}

GCodeOutcome CGCodeGenerator::Run(bool passesConfirmed) {
    const CQuenkApp& a = m_app;
    const double u = a.m_plotterUnit;
    auto stop = [](std::string text) { return GCodeOutcome{GCodeResult::StoppedDrop, std::move(text)}; };
    const RunStart start = StartRun(a);
    if (!start.stop.empty()) return stop(start.stop);
    const double zTop = start.zTop;
    Writer w(m_out);

    char zSafeText[kFormatNumberMax];
    const std::size_t zSafeLen = static_cast<std::size_t>(FormatNumberTo(start.zSafe, zSafeText) - zSafeText);

    w.Line(JoinText({"( ", ProgramText(a.m_materialName), " )"}));
    w.Line(JoinText({"( Materialdicke = ", FormatNumber(a.m_materialThickness), " mm )"}));
    w.Line(JoinText({"( Max X = ", FormatNumber(start.maxX), " mm )"}));
    w.Line(JoinText({"( Max Y = ", FormatNumber(start.maxY), " mm )"}));
    w.Line(JoinText({"%", ProgramText(m_variant.programName)}));
    w.Line("G90");
    w.Put("G71");  // the next word follows on the same line

    std::int32_t prevTool = -1;
    bool safeWritten = false;
    double zBottom = 0.0;
    // The contours written of the whole milling list.
    ProgressTicker progress(a.m_millingList.size());
    std::size_t contoursBefore = 0;
    for (const auto& kontur : a.m_millingList) {
        progress.Tick(contoursBefore++);
        const std::int32_t t = kontur->m_tool;
        if (t != prevTool) {
            if (std::string s = ChangeTool(a, m_variant.writeFeed, t, zTop, zBottom); !s.empty()) return stop(s);
            if (prevTool != -1) w.Line("M05");
            w.Line(JoinText({"T", std::to_string(t), "M6"}));
            if (m_variant.writeFeed) {
                const double feed = a.m_toolFeedXY[static_cast<std::size_t>(t)];
                w.Line(JoinText({"F", FormatNumber(feed)}));
            }
            w.Line("M03");
            safeWritten = false;
        }
        prevTool = t;
        if (a.m_toolUsed[static_cast<std::size_t>(t)] == 0) continue;

        const double depth = zTop - zBottom;
        const int n = PassCount(depth, a.m_maxPassDepth);
        if (n == 0) return stop(texts::kTooManyPasses);
        const double step = depth / n;
        // Only a plan that missed the question gets here unconfirmed: no program then.
        if (n > 1 && !passesConfirmed) return stop({});

    double z = zTop;
        for (int p = 1; p <= n; ++p) {
            double zPass = zBottom;
            if (p < n) {
                z -= step;
                zPass = z;
            }
            char zText[kFormatNumberMax];
            const std::size_t zLen = static_cast<std::size_t>(FormatNumberTo(zPass, zText) - zText);
            for (const auto& path : kontur->m_paths) {
                const std::vector<CPunkt>& pts = path->m_points.Raw();
                const std::size_t last = pts.size() - 1;
                for (std::size_t i = 0; i < pts.size(); ++i) {
                    const double x = pts[i].x * u;
                    const double y = pts[i].y * u;
                    if (!Writable(x) || !Writable(y)) return stop(texts::kNotANumber);
                    w.Reserve();
                    w.Word(i == 0 ? "G00X" : "G01X", 4);
                    w.Number(x);
                    w.Word("Y", 1);
                    w.Number(y);
                    w.EndLine();
                    if (i == 0) {
                        if (!safeWritten) {
                            w.Reserve();
                            w.Word("G00Z", 4);
                            w.Word(zSafeText, zSafeLen);
                            w.EndLine();
                            safeWritten = true;
                        }
                        w.Reserve();
                        w.Word("G01Z", 4);
                        w.Word(zText, zLen);
                        w.EndLine();
                    }
                    if (i == last) {
                        w.Reserve();
                        w.Word("G00Z", 4);
                        w.Word(zSafeText, zSafeLen);
                        w.EndLine();
                    }
                }
            }
        }
    }
    w.Line("M30");
    progress.Finish();
    return {};
}

GCodeResult WriteProgram(const CQuenkApp& app, std::ostream& out, const GCodeVariant& variant) {
    CGCodeGenerator generator(app, out, variant);
    const GCodePlan plan = generator.Plan();
    if (plan.passQuestion > 0 &&
        !Ui().AskOkCancel(JoinText({std::to_string(plan.passQuestion), texts::kPassesSuffix})))
        return GCodeResult::StoppedDrop;
    const GCodeOutcome outcome = generator.Run(plan.passQuestion > 0);
    if (!outcome.message.empty()) Ui().Message(outcome.message);
    return outcome.result;
}

