#pragma once
// Inside the DWG front end: the fields of the entity types that the CAD import converts or
// reports, into the database's entity record.

#include <cstdint>

#include "cadreader/cad_drawing.h"
#include "cadreader/dwg_object.h"

// Whether a DWG object type number is one of the fixed entity types.
bool IsDwgEntityType(std::uint32_t type);

// Reads the fields of an entity of the given type (a fixed type, or what its class stands
// for) whose common data have been read: its type number,
// geometry and extrusion (into world coordinates as the DXF front end does), a light-weight
// polyline's vertices appended to the drawing's. `mirrored` tells whether an old-style
// polyline's vertices are mirrored. False when the entity is damaged.
bool ReadDwgEntity(DwgObject& o, std::uint32_t type, CadDrawing& d, CadEntity& e, bool& mirrored);
