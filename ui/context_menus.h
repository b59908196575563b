#pragma once
// The six context menus of the view (menu 135) and their commands. An entry's text belongs
// to its popup ("Info Mouse-Position", "Info Punkt-Position" and "Info Vektor-Position" are
// one command); entries of the frame's command table run through the frame.

struct CommandContext;
struct Hit;
class CMainFrame;
class CQuenkView;
class QMenu;

enum ContextPopup { kPopupMouse, kPopupSelected, kPopupPoint, kPopupRadius, kPopupRadiusPoint, kPopupFile };

// The popup for what lies under the pointer (null: nothing).
ContextPopup ChoosePopup(const Hit* hit);
// The popup's menu with each entry enabled by its rule; its commands act on the view's last hit.
QMenu* BuildContextMenu(CMainFrame& frame, CQuenkView& view, int popup);

// The context commands of the view itself; false when id is none of them or is disabled.
bool RunContextCommand(CommandContext& ctx, int id);
bool IsContextCommand(int id);
bool ContextCommandEnabled(const CommandContext& ctx, int id);
