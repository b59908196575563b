#include "output/hpgl_export.h"

#include <cstdint>
#include <fstream>
#include <optional>

#include "files/atomic_file.h"
#include "model/document.h"
#include "model/core_context.h"
#include "output/gcode.h"
#include "output/hpgl_writer.h"

namespace {
// m_function of a chain that is milled from the inside; those are exported first.
constexpr std::int32_t kInsideContour = 2;
// The last pen or tool written before any: differs from every real number.
constexpr std::int32_t kNoneWritten = -1;

// Calls f on every chain the exports see, inside contours first, then all others.
template <typename F>
void ForEachExportedChain(CQuenkDoc& doc, F&& f) {
    for (const bool inside : {true, false})
        for (auto& layer : doc.m_layers) {
            if (layer->m_empty) continue;
            for (auto& pen : layer->m_pens) {
                if (pen->m_empty) continue;
                for (auto& chain : pen->m_chains)
                    if (!chain->m_empty && (chain->m_function == kInsideContour) == inside) f(*pen, *chain);
            }
        }
}
}  // namespace

std::string HpglOfChains(CQuenkDoc& doc) {
    std::string text;
    HpglWriter w(text);
    w.Header();
    std::int32_t lastPen = kNoneWritten;
    HpglPoints points;  // one list for every chain: the chains keep nothing of the export
    ForEachExportedChain(doc, [&](CStift& pen, CVector& chain) {
        chain.BuildIntPoints(points);
        if (pen.m_number != lastPen) {
            lastPen = pen.m_number;
            w.PenSelect(lastPen);
        }
        w.Polyline(points);
    });
    w.Trailer();
    return text;
}

std::string HpglOfCorrections(CQuenkDoc& doc) {
    std::string text;
    HpglWriter w(text);
    w.Header();
    std::int32_t lastTool = kNoneWritten;
    ForEachExportedChain(doc, [&](CStift&, CVector& chain) {
        auto write = [&](CRadius& path, bool dot) {
            path.BuildIntPoints();
            if (chain.m_tool != lastTool) {
                lastTool = chain.m_tool;
                w.LiftAndSelect(lastTool);
            }
            if (dot)
                w.Dot(path.m_intPoints.Raw());
            else
                w.Polyline(path.m_intPoints.Raw());
            path.m_intPoints.RemoveAll();
        };
        // Paths that belong to a chain point come in the order of their points, as dots.
        for (int k = 0; k < chain.PointCount(); ++k)
            for (auto& path : chain.m_radiusList)
                if (path->m_selected == k) write(*path, true);
        for (auto& path : chain.m_radiusList)
            if (path->m_selected == -1) write(*path, false);
    });
    w.Trailer();
    return text;
}

std::optional<std::string> AskPlotterFile(const std::string& suggestedName) {
    FileQuestion q;
    q.filter = texts::kHpglFilter;
    q.defaultExtension = "plt";
    q.suggestedName = suggestedName;
    const std::optional<std::string> path = Ui().AskSaveFile(q);
    if (path && std::ifstream(*path).is_open() && !Ui().AskYesNo(texts::kFileExistsReplace)) return std::nullopt;
    return path;
}

FilePut PutWholeFile(const std::string& path, const std::string& text) {
    AtomicFile file(path);
    if (!file.IsOpen()) return FilePut::NotCreated;
    file.Stream().write(text.data(), static_cast<std::streamsize>(text.size()));
    return file.Commit() ? FilePut::Done : FilePut::NotWritten;
}

namespace {
// The document exports: a file that cannot be created or written is reported, never
// passed over in silence.
bool WriteExportFile(const std::optional<std::string>& path, const std::string& text) {
    if (!path) return false;
    const FilePut put = PutWholeFile(*path, text);
    if (put == FilePut::NotCreated) Ui().Message(texts::kFileOpenError);
    if (put == FilePut::NotWritten) Ui().Message(JoinText({texts::kGCodeWriteError, *path}));
    return put == FilePut::Done;
}
}  // namespace

bool OnExportHpgl(CQuenkDoc& doc) { return WriteExportFile(AskPlotterFile(doc.m_drawingName), HpglOfChains(doc)); }

bool OnExportCorrectionHpgl(CQuenkDoc& doc) {
    return WriteExportFile(AskPlotterFile(JoinText({"R", doc.m_drawingName})), HpglOfCorrections(doc));
}
