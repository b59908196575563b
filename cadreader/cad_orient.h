#pragma once
// Entities of either front end into world coordinates. CAD programs write mirrored arcs,
// circles and polylines in an object coordinate system seen from below (extrusion (0, 0, -1)):
// the object's x axis points to the world's -x and its y axis stays, so x changes sign and
// so does every sense of rotation. Any other tilt is flagged kCadNotInPlane for the import to
// report.

#include "cadreader/cad_drawing.h"

// Answers whether e is an old-style polyline seen from below: its vertices come as entities
// of their own, and the front end mirrors them as they come.
bool OrientToWorld(CadDrawing& d, CadEntity& e, double nx, double ny, double nz);
