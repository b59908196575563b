#include "output/hpgl_export.h"

#include <cstdint>
#include <fstream>
#include <optional>

#include "model/atomic_file.h"
#include "model/document.h"
#include "model/session.h"
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

bool AskExportPath(const std::string& suggestedName, std::string& path) {
    FileQuestion q;
    q.filter = texts::kHpglFilter;
    q.defaultExtension = "plt";
    q.suggestedName = suggestedName;
    const std::optional<std::string> answer = Ui().AskSaveFile(q);
    if (!answer) return false;
    if (std::ifstream(*answer).is_open() && !Ui().AskYesNo(texts::kFileExistsReplace)) return false;
    path = *answer;
    return true;
}
}  // namespace

std::string HpglOfChains(CQuenkDoc& doc) {
    std::string text;
    HpglWriter w(text);
    w.Header();
    std::int32_t lastPen = kNoneWritten;
    ForEachExportedChain(doc, [&](CStift& pen, CVector& chain) {
        chain.BuildIntPoints();
        if (pen.m_number != lastPen) {
            lastPen = pen.m_number;
            w.PenSelect(lastPen);
        }
        w.Polyline(chain.m_intPoints.Raw());
        chain.m_intPoints.RemoveAll();
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

bool WriteExportFile(const std::string& path, const std::string& text) {
    AtomicFile file(path);
    if (!file.IsOpen()) {
        Ui().Message(texts::kFileOpenError);
        return false;
    }
    file.Stream().write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file.Commit()) {
        Ui().Message(JoinText({texts::kGCodeWriteError, path}));
        return false;
    }
    return true;
}

bool OnExportHpgl(CQuenkDoc& doc) {
    std::string path;
    if (!AskExportPath(doc.m_drawingName, path)) return false;
    return WriteExportFile(path, HpglOfChains(doc));
}

bool OnExportCorrectionHpgl(CQuenkDoc& doc) {
    std::string path;
    if (!AskExportPath(JoinText({"R", doc.m_drawingName}), path)) return false;
    return WriteExportFile(path, HpglOfCorrections(doc));
}
