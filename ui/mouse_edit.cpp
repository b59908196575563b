// The mouse functions that edit one chain: "Startpunkt setzen", "Vektor umdrehen",
// "Vektorlöschen" and "Punkt löschen". The context menu's "Vector umdrehen", "Vektor löschen"
// and "Punkt löschen" run the same functions on the hit of the right click.

#include "model/document.h"
#include "ui/drawing_view.h"
#include "ui/view_mouse.h"

// Only a hit on the chain itself: after a hit on a corrected path the chain index would be
// that of an earlier search.
void StartPointClick(CViewMouse&, const Hit& hit, const MouseClick& click) {
    if (!hit.chainHit || hit.index == -1) return;
    // A segment hit names the segment's end point; its start point becomes the start.
    const int k = hit.point ? hit.index : hit.index - 1;
    {
        WaitCursor wait(Ui());
        hit.chain->SetStartPoint(k);
    }
    click.view.update();
}

void ReverseClick(CViewMouse&, const Hit& hit, const MouseClick& click) {
    {
        WaitCursor wait(Ui());
        hit.chain->Reverse();
    }
    click.view.update();
}

void ClearChainClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click) {
    {
        WaitCursor wait(Ui());
        hit.chain->ClearChain();
        click.doc.RecomputeBox();
    }
    click.view.update();
    mouse.ArmUndo(hit.chain);
}

// Only a chain point: a segment or empty space deletes nothing and keeps the undo.
void DeletePointClick(CViewMouse& mouse, const Hit& hit, const MouseClick& click) {
    if (!hit.chainHit || !hit.point || hit.index == -1) return;
    {
        WaitCursor wait(Ui());
        hit.chain->DeletePoint(hit.index);
    }
    click.view.update();
    mouse.ArmUndo(hit.chain);
}
