#include "import/import_command.h"

#include <filesystem>

#include "import/cad_import.h"
#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/session.h"
#include "toolpath/job_file.h"

namespace {
// A job file replaces the milling job, not the drawing; a loaded job makes milling possible.
void LoadJobFile(CQuenkDoc& doc, const std::string& path) {
    if (LoadJob(doc.App(), path)) doc.App().m_bMillingReady = 1;
}
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

void ImportFile(CQuenkDoc& doc, const std::string& path) {
    doc.m_importPath = path;
    doc.m_drawingName = std::filesystem::path(path).stem().string();
    doc.App().m_drawingTitle = doc.m_drawingName;
    const std::string ext = UpperExtension(path);
    const ImportBranches& to = ImportDispatch();
    if (ext == "DWG" || ext == "DXF") {
        doc.App().m_lastImportPath = path;
        to.cad(doc, path);
    } else if (ext == "QUENK") {
        to.job(doc, path);
    } else {
        to.hpgl(doc, path);
    }
}

void OnImport(CQuenkDoc& doc) {
    ResetHpglScaling(doc);
    FileQuestion q;
    q.filter = ImportFilter(doc.App().m_importOrder);
    const std::optional<std::string> path = Ui().AskOpenFile(q);
    if (!path) return;
    ImportFile(doc, *path);
}
