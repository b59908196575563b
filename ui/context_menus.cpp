#include "ui/context_menus.h"

#include <QAction>
#include <QMenu>
#include <span>

#include "toolpath/pick.h"
#include "ui/command_rules.h"
#include "ui/drawing_view.h"
#include "ui/drawing_window.h"
#include "ui/main_frame.h"

namespace {
struct ContextEntry {
    int id;  // 0: separator
    const char* text;
};
struct ContextPopupSpec {
    const char* title;
    std::span<const ContextEntry> entries;
};

constexpr ContextEntry kMouse[] = {
    {cmd::kUndoDelete, "Undo löschen"}, {0, ""}, {cmd::kImport, "Import ( *.plt, *.prn )"},
    {cmd::kExport, "Export ( *.plt )"}, {0, ""}, {cmd::kRadiusCorrection, "Radiuskorrektur alles"}, {0, ""},
    {cmd::kExportCorrection, "Export Radiuskorrektur ( *.plt )"}, {0, ""}, {cmd::kZoomWorkpiece, "Zoom Werkstück"},
    {cmd::kZoomMachine, "Zoom Maschine"}, {0, ""}, {cmd::kZoomArea, "Zoom Bereich"}, {0, ""},
    {cmd::kColourClosedOpen, "Geschlossen, Offen"}, {cmd::kColourPen, "Stiftfarbe"},
    {cmd::kColourTool, "Farbe Radiuskorrektur"}, {0, ""}, {32837, "Info Mouse-Position"},
};
constexpr ContextEntry kSelected[] = {
    {32809, "Vektor löschen"}, {0, ""}, {32807, "Punkt löschen"}, {0, ""}, {32808, "Vector umdrehen"},
    {32810, "RK auf Vektor"}, {0, ""}, {32837, "Info Punkt-Position"}, {32847, "Info Vektor-Punkte"},
    {32857, "Info Vektor Daten"}, {0, ""}, {147, "Ausgabe SVPlus"}, {155, "Ausgabe CFWIN"},
    {32850, "Ausgabe Profil CFWin"}, {32851, "Ausgabe Profi l2004"},
};
constexpr ContextEntry kPoint[] = {
    {32809, "Vektor löschen"}, {0, ""}, {32808, "Vector umdrehen"}, {32810, "RK auf Vektor"}, {0, ""},
    {32837, "Info Vektor-Position"}, {32857, "Info Vektor Daten"}, {0, ""}, {147, "Ausgabe SVPlus"},
    {155, "Ausgabe CFWIN"}, {32850, "Ausgabe Profil CFWin"}, {32851, "Ausgabe Profil 2004"},
};
constexpr ContextEntry kRadius[] = {
    {32814, "Radius löschen"}, {0, ""}, {32808, "Vector umdrehen"}, {32810, "RK auf Vektor"}, {0, ""},
    {32857, "Info Vektor Daten"}, {0, ""}, {32846, "Werkzeug aendern"}, {0, ""}, {146, "Copy to Kontur"},
};
constexpr ContextEntry kRadiusPoint[] = {
    {32815, "Radius Punkt löschen"}, {0, ""}, {32814, "Radius löschen"}, {0, ""}, {32808, "Vector umdrehen"},
    {32810, "RK auf Vektor"}, {0, ""}, {32857, "Info Vektor Daten"}, {0, ""}, {32846, "Werkzeug aendern"}, {0, ""},
    {146, "Copy to Kontur"},
};
constexpr ContextEntry kFile[] = {{32854, "Ende"}, {32899, "Ende -> Fräsen"}, {0, ""}, {32855, "Einen Schritt zurück"}};

const ContextPopupSpec kPopups[] = {
    {"Mouse", kMouse}, {"Selected", kSelected}, {"VPunkt", kPoint},
    {"Radius", kRadius}, {"Punkt", kRadiusPoint}, {"File", kFile},
};

DrawingWindow* WindowOf(CQuenkView& view) { return qobject_cast<DrawingWindow*>(view.parentWidget()); }
}  // namespace

ContextPopup ChoosePopup(const Hit* hit) {
    if (!hit) return kPopupMouse;
    if (hit->radiusHit) return hit->radiusPoint ? kPopupRadiusPoint : kPopupRadius;
    return hit->point ? kPopupSelected : kPopupPoint;
}

QMenu* BuildContextMenu(CMainFrame& frame, CQuenkView& view, int popup) {
    auto* menu = new QMenu(QString::fromUtf8(kPopups[popup].title), &view);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const CommandContext ctx{frame, frame.App(), WindowOf(view)};
    for (const ContextEntry& e : kPopups[popup].entries) {
        if (e.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(e.text));
        action->setData(e.id);
        const CommandEntry* command = FindCommand(e.id);
        action->setEnabled(command ? command->handler && IsEnabled(command->enable, ctx)
                                   : ContextCommandEnabled(ctx, e.id));
        const int id = e.id;
        QObject::connect(action, &QAction::triggered, &view, [&frame, &view, id] {
            if (!IsContextCommand(id)) {
                frame.Execute(id);
                return;
            }
            CommandContext c{frame, frame.App(), WindowOf(view)};
            RunContextCommand(c, id);
            frame.UpdateCommandStates();
        });
    }
    return menu;
}
