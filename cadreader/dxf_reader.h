#pragma once
// The DXF front end of the CAD drawing reader: ASCII and binary DXF, R12 (AC1009) to R2018
// (AC1032), into the format-independent database of cad_drawing.h.
//
// What it reads: the header's $ACADVER and $DWGCODEPAGE; the layer table (name, colour, frozen);
// the block definitions with their entities; the entities of model space and paper space (in
// the ENTITIES section, paper space marked by group 67; a layout block's own entities too).
// Names are Windows-1252 before R2007 (AC1021) and UTF-8 from then on.

#include <cstddef>
#include <istream>
#include <memory>
#include <string_view>

#include "cadreader/cad_drawing.h"

std::unique_ptr<CadDrawing> ReadDxf(std::string_view bytes, CadOpenError& error);
// The same from a stream of `size` bytes, read a window at a time.
std::unique_ptr<CadDrawing> ReadDxf(std::istream& in, std::size_t size, CadOpenError& error);
