#include "import/import_command.h"

#include <filesystem>

#include "import/cad_import.h"
#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "files/job_file.h"

namespace {
// A job file replaces the milling job, not the drawing; a loaded job makes milling possible.
bool LoadJobFile(CQuenkDoc& doc, const std::string& path) {
    if (!LoadJob(doc.App(), path)) return false;
    doc.App().m_bMillingReady = 1;
    return true;
}

// What the dispatch records of a file before a reader has taken it.
struct ImportNames {
    std::string importPath, drawingName, drawingTitle, lastImportPath;
    std::int32_t nothingImported;

    static ImportNames Of(const CQuenkDoc& doc) {
        const CQuenkApp& app = doc.App();
        return {doc.m_importPath, doc.m_drawingName, app.m_drawingTitle, app.m_lastImportPath, doc.m_nothingImported};
    }
    void RestoreTo(CQuenkDoc& doc) && {
        CQuenkApp& app = doc.App();
        doc.m_importPath = std::move(importPath);
        doc.m_drawingName = std::move(drawingName);
        app.m_drawingTitle = std::move(drawingTitle);
        app.m_lastImportPath = std::move(lastImportPath);
        doc.m_nothingImported = nothingImported;
    }
};
}  // namespace

ImportBranches& ImportDispatch() {
    static ImportBranches branches{&ImportCad, &LoadJobFile, &ImportHpglFile};
    return branches;
}

const char* ImportFilter(int importOrder) {
    return importOrder == 1 ? kImportFilterHpglFirst : kImportFilterCadFirst;
}

std::string UpperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return ext;
}

bool ImportFile(CQuenkDoc& doc, const std::string& path) {
    ImportNames before = ImportNames::Of(doc);
    doc.m_importPath = path;
    doc.m_drawingName = std::filesystem::path(path).stem().string();
    doc.App().m_drawingTitle = doc.m_drawingName;
    const std::string ext = UpperExtension(path);
    const ImportBranches& to = ImportDispatch();
    bool taken = false;
    if (ext == "DWG" || ext == "DXF") {
        doc.App().m_lastImportPath = path;
        taken = to.cad(doc, path);
    } else if (ext == "QUENK") {
        taken = to.job(doc, path);
    } else {
        taken = to.hpgl(doc, path);
    }
    // The title and the next program's "%" line must not name a file that was refused.
    if (!taken) std::move(before).RestoreTo(doc);
    return taken;
}

void OnImport(CQuenkDoc& doc) {
    ResetHpglScaling(doc);
    FileQuestion q;
    q.filter = ImportFilter(doc.App().m_importOrder);
    const std::optional<std::string> path = Ui().AskOpenFile(q);
    if (!path) return;
    ImportFile(doc, *path);
}
