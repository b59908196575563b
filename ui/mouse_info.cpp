// The mouse functions that tell about the chain under the mouse: "Info Stift", "Info
// Werkzeug", "Info Vektor " and "Farben zuordnen".

#include <string>

#include "model/document.h"
#include "model/quenk_app.h"
#include "ui/drawing_view.h"
#include "ui/info_dialogs.h"
#include "ui/mouse_texts.h"
#include "ui/view_mouse.h"

void PenInfoClick(CViewMouse&, const Hit& hit, const MouseClick&) {
    std::string text = texts::kPenInfo + std::to_string(hit.pen->m_number);
    if (hit.pen->m_colourIndex != 0) text += texts::kPenInfoColour + std::to_string(hit.pen->m_colourIndex);
    Ui().Message(text);
}

// A chain without correction tells nothing.
void ToolInfoClick(CViewMouse&, const Hit& hit, const MouseClick&) {
    if (!hit.chain->m_hasCorrection) return;
    Ui().Message(texts::kToolInfo + std::to_string(hit.chain->m_tool) +
                 (hit.chain->m_side != 0 ? texts::kToolRight : texts::kToolLeft));
}

void ChainInfoClick(CViewMouse&, const Hit& hit, const MouseClick& click) {
    ShowChainInfo(&click.view, *hit.chain, click.app.m_plotterUnit);
}

// The pen's CAD colour gets the pen number entered; the pen then takes the number its colour
// has in the table, whether or not the question was answered. A pen without a CAD colour
// (from a plotter file) has nothing to assign and keeps its number.
void ColourPenClick(CViewMouse&, const Hit& hit, const MouseClick& click) {
    std::vector<std::int32_t>& table = click.app.m_colourPen;
    const std::int32_t colour = hit.pen->m_colourIndex;
    if (colour <= 0 || static_cast<std::size_t>(colour) >= table.size()) return;
    if (const std::optional<int> pen = Ui().AskPenForColour(colour)) table[static_cast<std::size_t>(colour)] = *pen;
    hit.pen->m_number = table[static_cast<std::size_t>(colour)];
    click.view.update();
}
