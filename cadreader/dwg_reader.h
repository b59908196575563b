#pragma once
// The DWG front end of the CAD drawing reader: R13 and R14 (AC1012, AC1014), R2000 (AC1015),
// R2004 (AC1018), R2010 (AC1024), R2013 (AC1027) and R2018 (AC1032), into the
// format-independent database of cad_drawing.h, with the same meaning as the DXF front end
// gives it.
//
// What it reads: the object map; the layers (name, colour, off, frozen); the block headers
// (names, so model space, paper space and the further layouts are known); every entity with
// its layer, colour, invisibility and owner, and the geometry of the types the import
// converts. Texts are Windows-1252 before R2007 and UTF-16 from then on.

#include <memory>
#include <string>
#include <string_view>

#include "cadreader/cad_drawing.h"

// Whether bytes start as a DWG file of any version (from the first releases on).
bool LooksLikeDwg(std::string_view head);
// The version a DWG file names in its first bytes, with the release it stands for, for
// messages: "AC1021 (R2007)".
std::string DwgVersionName(std::string_view head);

// Reads a DWG file. Versions it does not read give CadOpenError::DwgVersion, damaged files
// CadOpenError::DwgDamaged.
std::unique_ptr<CadDrawing> ReadDwg(std::string_view bytes, CadOpenError& error);
