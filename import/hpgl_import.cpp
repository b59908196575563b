// The HPGL reader's frame: reading the file, the new layer, placement, joining, clean-up.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>
#include <optional>

#include "import/hpgl_interpreter.h"
#include "import/hpgl_reader.h"
#include "import/texts.h"
#include "model/texts.h"
#include "import/import_placement.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "files/file_bytes.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "import/layer_joiner.h"

namespace {
// Arc and circle points a file may make: a fixed allowance plus one point per few bytes of
// text, so that an import never needs much more than 16 times its file's size plus 200 MB
// whatever circles it asks for (ten bytes "CI9,1;" would otherwise make 361 points). A point
// costs 16 bytes, and about as much again while its chain grows and is joined.
constexpr std::size_t kArcPointAllowance = 4000000;
constexpr std::size_t kTextBytesPerArcPoint = 4;
// An import's chains and points take about four times the bytes of its text.
constexpr std::size_t kChainBytesPerTextByte = 4;
// How far ahead of the reader a helper makes the pages ready: four large pages keep it ahead
// of the reader, and every page more adds to the peak memory, which a plot file's import
// keeps under four times the file.
constexpr std::size_t kPagesAhead = std::size_t{8} << 20;
// The joining on the helper thread makes about one byte of new chain storage per byte of
// text (half the pens, their pieces copied into growing contours); twice that is room enough.
constexpr std::size_t kHelperBytesPerTextByte = 2;
// Up to this many unknown commands pass without the closing "Über 10 Fehler".
constexpr int kUnknownCommandsTolerated = 9;
}  // namespace

void ResetHpglScaling(CQuenkDoc& doc) {
    doc.m_scaleX = doc.m_scaleY = 1.0;
    doc.m_scaleMinX = doc.m_scaleMinY = 0.0;
    doc.m_offsetX = doc.m_offsetY = 0.0;
    doc.m_relative = 0;
}

void StripLineBreaks(std::string& bytes) {
    char* w = bytes.data();
    ForEachRunBetweenLineBreaks(bytes.data(), bytes.size(), [&](const char* run, std::size_t n) {
        if (w != run) std::memmove(w, run, n);  // the write position never passes the read
        w += n;
    });
    bytes.resize(static_cast<std::size_t>(w - bytes.data()));
}

int InterpretHpgl(CQuenkDoc& doc, std::string_view text, LayerJoiner* joiner) {
    if (!doc.m_curLayer) doc.m_curLayer = doc.AddLayer();
    // Pen and chain must belong to the layer being filled; anything else is forgotten.
    const auto& pens = doc.m_curLayer->m_pens;
    if (std::none_of(pens.begin(), pens.end(), [&](const auto& p) { return p.get() == doc.m_curPen; })) {
        doc.m_curPen = nullptr;
        doc.m_curChain = nullptr;
    }
    const CQuenkApp& app = doc.App();
    HpglLimits limits;
    limits.segmentAngle = app.m_segmentAngle;
    limits.maxVectorUnits = app.m_maxVectorLength / app.m_plotterUnit;
    limits.arcPointBudget = kArcPointAllowance + text.size() / kTextBytesPerArcPoint;
    return HpglInterpreter(doc, text, limits, joiner).Run();
}

namespace {
// The reader from the text on, its line breaks already gone.
bool ImportHpglText(CQuenkDoc& doc, std::string bytes, const std::string& fileName) {
    // A helper makes the pages ready ahead of the reader, which then never waits for their
    // first touch.
    const HeapReserve room(kChainBytesPerTextByte * bytes.size(), kPagesAhead);
    ResetHpglScaling(doc);
    int unknown = 0;
    return ImportIntoNewLayer(
        doc,
        [&](LayerJoiner& joiner) {
            if (bytes.size() > 10 && doc.m_nothingImported) {
                doc.m_nothingImported = 0;
                doc.m_drawingName = fileName;
            }
            joiner.ReserveForHelper(kHelperBytesPerTextByte * bytes.size());
            unknown = InterpretHpgl(doc, bytes, &joiner);
        },
        [&] {
            if (unknown > kUnknownCommandsTolerated) Ui().Message(import_texts::kTooManyErrors);
            std::string().swap(bytes);
        });
}

}  // namespace

bool ImportHpglBytes(CQuenkDoc& doc, std::string bytes, const std::string& fileName) {
    StripLineBreaks(bytes);
    return ImportHpglText(doc, std::move(bytes), fileName);
}

bool ImportHpglFile(CQuenkDoc& doc, const std::string& path) {
    std::string bytes;
    // The line breaks go while reading, and the text is written into memory only once.
    const ReadStatus status = ReadFileBytes(path, bytes, std::numeric_limits<std::size_t>::max(), LineBreaks::Drop);
    if (status == ReadStatus::CannotOpen) return false;
    doc.App().m_lastImportPath = path;
    if (status == ReadStatus::OutOfMemory) {
        Ui().Message(texts::kOutOfMemory);
        return false;
    }
    return ImportHpglText(doc, std::move(bytes), std::filesystem::path(path).filename().string());
}
