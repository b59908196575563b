#pragma once
// The import command "Import ( *.plt, *.prn , *.dwg, *.dxf)": a file question, then the
// dispatch by the file's extension.

#include <string>

class CQuenkDoc;

// The filter texts of the file question, CAD first or HPGL first by the import order.
inline constexpr const char* kImportFilterCadFirst =
    " CAD (.dwg) |*.dwg| CAD (.dxf) |*.dxf| HPGL (.plt) |*.plt| HPGL (.prn) |*.prn| HPGL (*.*) "
    "|*.*| CAD (.Quenk) |*.Quenk||";
inline constexpr const char* kImportFilterHpglFirst =
    " HPGL (.plt) |*.plt| HPGL (.prn) |*.prn| HPGL (*.*) |*.*| CAD (.dwg) |*.dwg| CAD (.dxf) "
    "|*.dxf| CAD (.Quenk) |*.Quenk||";

// The readers the dispatch hands a path to. Tests may swap them and must restore them. A
// reader returns whether it took the file; false means refused (cannot open, damaged, out of
// memory), and the dispatch then gives the document back its names and its empty flag.
using ImportBranch = bool (*)(CQuenkDoc& doc, const std::string& path);
struct ImportBranches {
    ImportBranch cad;   // extension DWG or DXF
    ImportBranch job;   // extension QUENK
    ImportBranch hpgl;  // anything else
};
ImportBranches& ImportDispatch();

// The import order's filter text: 1 puts HPGL first, anything else CAD.
const char* ImportFilter(int importOrder);

// The file's extension in upper case ("" when it has none).
std::string UpperExtension(const std::string& path);

// After the file question: records the path and the drawing title, then dispatches. A
// refused file leaves the drawing name, the import path, the title, the last import path
// and m_nothingImported as they were. Returns whether the file was taken.
bool ImportFile(CQuenkDoc& doc, const std::string& path);

// The command: scaling starts afresh, the user picks a file (cancel ends), ImportFile.
void OnImport(CQuenkDoc& doc);
