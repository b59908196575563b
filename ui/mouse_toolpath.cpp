// The mouse functions on the corrected paths: the clicks of "RK Export mit Mouse", "Stege
// einfügen", "Bohrung in Ecke setzen" and "In die Ecke fräsen", each handed to the core
// function that quenk-cli calls too.

#include "ui/drawing_view.h"
#include "ui/view_mouse.h"

void ExportClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click) {
    if (mouse.Export().Click(*hit.chain)) click.view.update();
}

void TabModeClick(CViewMouse& mouse, const MouseClick& click) {
    if (TabClick(click.doc, mouse.Tabs(), click.x, click.tol)) click.view.update();
}

void CornerDrillModeClick(CViewMouse&, const Hit&, const MouseClick& click) {
    if (CornerDrillClick(click.doc, click.x, click.tol)) click.view.update();
}

void CornerVectorModeClick(CViewMouse&, const Hit&, const MouseClick& click) {
    if (CornerVectorClick(click.doc, click.x, click.tol)) click.view.update();
}
