#pragma once
// The CAD drawing import: a DXF drawing becomes one new layer of the document, its entities
// chains in the pens their colours map to, placed and cleaned up as after an HPGL import.
// Which parts are converted follows the settings m_bLoadRemainingBlocks, m_bLoadModelspace and
// m_bLoadPaperspace. docs/dxf.md lists what is read and the choices made.

#include <memory>
#include <string>

class CadDrawing;
class CQuenkDoc;

// The import as the dispatch calls it. A DWG file, and a file that cannot be read, leave the
// document as it was, with a message. Answers whether the drawing was taken.
bool ImportCad(CQuenkDoc& doc, const std::string& path);

// Everything after a successful open: the conversion, the drawing closed (its memory goes
// back before the joining needs more), placement and clean-up. False when memory ran out;
// the half-read layer is gone again then.
bool ImportCadDrawing(CQuenkDoc& doc, std::unique_ptr<CadDrawing> drawing);
