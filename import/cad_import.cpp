#include "import/cad_import.h"

#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "cadreader/cad_drawing.h"
#include "cadreader/dwg_reader.h"
#include "import/cad_convert.h"
#include "import/texts.h"
#include "model/texts.h"
#include "import/import_command.h"
#include "import/import_placement.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "model/progress.h"
#include "import/layer_joiner.h"

namespace {
// Arc points a drawing may make in all: a fixed allowance plus a share per byte of the file,
// so that memory stays proportional to the file whatever radii it holds.
constexpr std::size_t kArcPointAllowance = 4000000;
constexpr std::size_t kArcPointsPerByte = 16;
// A drawing's chains and points take up to about ten times the bytes of its file.
constexpr std::size_t kChainBytesPerFileByte = 10;
// How far ahead of the walk a helper makes the pages ready: the walk takes a few hundred
// megabytes in a fraction of a second, and the helper must stay ahead of it.
constexpr std::size_t kPagesAhead = std::size_t{32} << 20;
// The two layouts are listed after every other block definition.
constexpr std::size_t kLayoutBlocks = 2;

const char* MessageFor(CadOpenError error) {
    switch (error) {
    case CadOpenError::Damaged: return import_texts::kDxfDamaged;
    case CadOpenError::DwgDamaged: return import_texts::kDwgDamaged;
    case CadOpenError::OutOfMemory: return texts::kOutOfMemory;
    default: return import_texts::kFileOpenError;
    }
}

// The version a DWG file names in its first bytes, for the message that it is not read.
std::string VersionOfFile(const std::string& path) {
    char head[8] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(head, sizeof head);
    return DwgVersionName(std::string_view(head, static_cast<std::size_t>(in.gcount())));
}
}  // namespace

void ConvertCadDrawing(CQuenkDoc& doc, CadDrawing& drawing) {
    const CQuenkApp& app = doc.App();
    CadConvertLimits limits;
    limits.plotterUnit = app.m_plotterUnit;
    limits.segmentAngle = app.m_segmentAngle;
    limits.maxVectorLength = app.m_maxVectorLength;
    limits.pointBudget = kArcPointAllowance + kArcPointsPerByte * drawing.sourceBytes;
    std::vector<const CadBlock*> blocks;
    drawing.PrepareBlockWalk();
    if (app.m_bLoadRemainingBlocks && drawing.BlockCount() > kLayoutBlocks) {
        for (std::size_t k = 0; k < drawing.BlockCount() - kLayoutBlocks; ++k)
            if (const CadBlock* block = drawing.NextBlock()) blocks.push_back(block);
    }
    const CadBlock* model = drawing.Layout(CadSpace::Model);
    if (model && app.m_bLoadModelspace) blocks.push_back(model);
    const CadBlock* paper = drawing.Layout(CadSpace::Paper);
    if (paper && app.m_bLoadPaperspace) blocks.push_back(paper);
    // The entities converted of all that are to be converted.
    std::size_t entities = 0;
    for (const CadBlock* block : blocks) entities += block->entities.size();
    ProgressTicker progress(entities);
    CadConverter converter(doc, drawing, limits);
    converter.ReportTo(progress);
    for (const CadBlock* block : blocks) converter.ConvertBlock(*block);
    progress.Finish();
}

bool ImportCadDrawing(CQuenkDoc& doc, std::unique_ptr<CadDrawing> drawing) {
    if (!drawing) return false;
    doc.m_bCadImported = 1;
    const HeapReserve room(kChainBytesPerFileByte * drawing->sourceBytes, kPagesAhead);
    const bool taken = ImportIntoNewLayer(
        doc, [&](LayerJoiner&) { ConvertCadDrawing(doc, *drawing); }, [&] { CloseDrawing(drawing); });
    if (taken) doc.m_nothingImported = 0;
    return taken;
}

bool ImportCad(CQuenkDoc& doc, const std::string& path) {
    CadOpenError error = CadOpenError::None;
    std::unique_ptr<CadDrawing> drawing;
    {
        WaitCursor wait(Ui());
        drawing = OpenDrawing(path, error);
    }
    if (!drawing && error == CadOpenError::DwgVersion) {
        Ui().Message(import_texts::WithVersion(import_texts::kVersionNotRead, VersionOfFile(path)));
        return false;
    }
    if (!drawing) {
        Ui().Message(MessageFor(error));
        return false;
    }
    return ImportCadDrawing(doc, std::move(drawing));
}
