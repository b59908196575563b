#include "output/gcode.h"

#include <algorithm>
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
#include "output/program_buffer.h"
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

// What a tool change sets for the contours that follow it.
struct ToolCut {
    double zBottom = 0.0;
    double feedXY = 0.0, feedZ = 0.0;  // mm/min, for dialects with feed words
};

// G-code feeds are per minute (G94); the tool data keep them per second.
constexpr double kSecondsPerMinute = 60.0;

// The checks of a change to tool t and what the tool then cuts with; the stop's message when
// the tool cannot be written. A tool left out needs no feed: it never moves.
std::string ChangeTool(const CQuenkApp& a, const GCodeVariant& v, std::int32_t t, double zTop, ToolCut& cut) {
    const bool feeds = WordsOf(v.dialect).feedWords;
    const bool valid = t >= kFirstTool && t <= kLastTool && TableHas(a.m_toolUsed.size(), t) &&
                       (!(v.writeFeed || feeds) || TableHas(a.m_toolFeedXY.size(), t)) &&
                       (!feeds || TableHas(a.m_toolFeedZ.size(), t)) &&
                       (a.m_depthMode != 1 || TableHas(a.m_toolDepth.size(), t));
    if (!valid) return JoinText({texts::kBadToolNumber, std::to_string(t)});
    const auto i = static_cast<std::size_t>(t);
    if (a.m_depthMode == 1) {
        const double toolDepth = a.m_toolDepth[i];
        if (toolDepth == 0.0) return texts::kToolLengthZero;
        cut.zBottom = zTop - toolDepth;
    } else {
        cut.zBottom = zTop - a.m_materialThickness - a.m_extraDepth;
    }
    if (feeds && a.m_toolUsed[i] != 0) {
        // A controller refuses a cut without a feed, or takes one it cannot keep: such a
        // program would stop, or break the cutter, on the machine.
        auto usable = [](double perSecond) { return perSecond > 0.0 && perSecond <= kLongestLength; };
        if (!usable(a.m_toolFeedXY[i])) return JoinText({texts::kFeedXYMissing, std::to_string(t)});
        if (!usable(a.m_toolFeedZ[i])) return JoinText({texts::kFeedZMissing, std::to_string(t)});
        cut.feedXY = a.m_toolFeedXY[i] * kSecondsPerMinute;
        cut.feedZ = a.m_toolFeedZ[i] * kSecondsPerMinute;
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
    ToolCut cut;
    std::size_t asking = 0;
    int passes = 0;
    for (; asking < a.m_millingList.size(); ++asking) {
        const std::int32_t t = a.m_millingList[asking]->m_tool;
        if (t != prevTool && !ChangeTool(a, m_variant, t, start.zTop, cut).empty()) return plan;
        prevTool = t;
        if (a.m_toolUsed[static_cast<std::size_t>(t)] == 0) continue;
        passes = PassCount(start.zTop - cut.zBottom, a.m_maxPassDepth);
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

namespace {
// A number's text, made once and written many times.
struct NumberText {
    explicit NumberText(double v) : length(static_cast<std::size_t>(FormatNumberTo(v, text) - text)) {}
    std::string_view View() const { return {text, length}; }
    char text[kFormatNumberMax];
    std::size_t length;
};

// The user's text for a comment: safe for the program, and cut so that the line fits the
// controller.
std::string CommentText(std::string_view utf8, std::size_t frame, const DialectWords& words) {
    std::string text = ProgramText(utf8);
    if (words.longestLine != 0) text.resize(std::min(text.size(), words.longestLine - std::min(words.longestLine, frame)));
    return text;
}

// The frame of a comment line: "( ", " )" and the line end.
constexpr std::size_t kCommentFrame = 6;
}  // namespace

GCodeOutcome CGCodeGenerator::Run(bool passesConfirmed) {
    const CQuenkApp& a = m_app;
    const DialectWords& words = WordsOf(m_variant.dialect);
    const double u = a.m_plotterUnit;
    auto stop = [](std::string text) { return GCodeOutcome{GCodeResult::StoppedDrop, std::move(text)}; };
    const RunStart start = StartRun(a);
    if (!start.stop.empty()) return stop(start.stop);
    const double zTop = start.zTop;
    ProgramBuffer w(m_out);
    const NumberText zSafe(start.zSafe);

    const std::string_view label = words.materialLabel;
    w.Line(JoinText({"( ", label, CommentText(a.m_materialName, kCommentFrame + label.size(), words), " )"}));
    w.Line(JoinText({"( Materialdicke = ", FormatNumber(a.m_materialThickness), " mm )"}));
    w.Line(JoinText({"( Max X = ", FormatNumber(start.maxX), " mm )"}));
    w.Line(JoinText({"( Max Y = ", FormatNumber(start.maxY), " mm )"}));
    const std::size_t nameFrame = std::strlen(words.nameStart) + std::strlen(words.nameEnd) + 2;
    w.Line(JoinText({words.nameStart, CommentText(m_variant.programName, nameFrame, words), words.nameEnd}));
    w.Line(words.modes);
    if (words.unitsShareLine) {
        w.Put(words.units);  // the next word follows on the same line
    } else {
        w.Line(words.units);
    }

    std::int32_t prevTool = -1;
    bool safeWritten = false;
    ToolCut cut;
    double feedNow = -1.0;  // F is modal: written where it changes
    // The contours written of the whole milling list.
    ProgressTicker progress(a.m_millingList.size());
    std::size_t contoursBefore = 0;
    for (const auto& kontur : a.m_millingList) {
        progress.Tick(contoursBefore++);
        const std::int32_t t = kontur->m_tool;
        if (t != prevTool) {
            if (std::string s = ChangeTool(a, m_variant, t, zTop, cut); !s.empty()) return stop(s);
            if (prevTool != -1) w.Line(words.spindleOff);
            w.Line(JoinText({words.toolStart, std::to_string(t), words.toolEnd}));
            if (prevTool != -1 && words.toolPause) w.Line(words.toolPause);
            if (m_variant.writeFeed && !words.feedWords)
                w.Line(JoinText({"F", FormatNumber(a.m_toolFeedXY[static_cast<std::size_t>(t)])}));
            w.Line(words.spindleOn);
            safeWritten = false;
        }
        prevTool = t;
        if (a.m_toolUsed[static_cast<std::size_t>(t)] == 0) continue;

        const double depth = zTop - cut.zBottom;
        const int n = PassCount(depth, a.m_maxPassDepth);
        if (n == 0) return stop(texts::kTooManyPasses);
        const double step = depth / n;
        // Only a plan that missed the question gets here unconfirmed: no program then.
        if (n > 1 && !passesConfirmed) return stop({});

        const NumberText feedXY(cut.feedXY), feedZ(cut.feedZ);
        auto feedWord = [&](double feed, const NumberText& text) {
            if (!words.feedWords || feed == feedNow) return;
            w.Word("F", 1);
            w.Word(text.View());
            feedNow = feed;
        };
        double z = zTop;
        for (int p = 1; p <= n; ++p) {
            double zPass = cut.zBottom;
            if (p < n) {
                z -= step;
                zPass = z;
            }
            const NumberText zText(zPass);
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
                    if (i != 0) feedWord(cut.feedXY, feedXY);
                    w.EndLine();
                    if (i == 0) {
                        if (!safeWritten) {
                            w.Reserve();
                            w.Word("G00Z", 4);
                            w.Word(zSafe.View());
                            w.EndLine();
                            safeWritten = true;
                        }
                        w.Reserve();
                        w.Word("G01Z", 4);
                        w.Word(zText.View());
                        feedWord(cut.feedZ, feedZ);
                        w.EndLine();
                    }
                    if (i == last) {
                        w.Reserve();
                        w.Word("G00Z", 4);
                        w.Word(zSafe.View());
                        w.EndLine();
                    }
                }
            }
        }
    }
    if (words.spindleOffAtEnd) w.Line(words.spindleOff);
    w.Line(words.end);
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

