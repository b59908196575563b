#pragma once
// The drawing view's picture, painted on any device (the view, an image, a printer) with the
// view's pixel transform: frames, chains by colour mode, markers, corrected paths, the swept
// milling path, problem and corner markers, or the milling picture in milling mode.

#include <QRect>

class CQuenkApp;
class CQuenkDoc;
class QPainter;
struct ViewTransform;

// The view's display toggles.
struct DisplayFlags {
    bool toolPath = false;      // "Fräsbahn"
    bool startPoints = true;    // "Anfangspunkte"
    bool endPoints = false;     // "Endpunkte"
    bool allPoints = false;     // "Alle Punkte"
    bool problems = false;      // "Probleme anzeigen"
    bool radiusPoints = false;  // "Alle Radius Punkte"
    bool importReportEnds = false;  // the import report's near open ends, while it is shown
};

// Paints the picture; area is the device's pixel rectangle, chains wholly outside it are
// passed over.
void PaintDrawing(QPainter& painter, const CQuenkApp& app, const CQuenkDoc& doc, const ViewTransform& t,
                  const DisplayFlags& flags, const QRect& area);
