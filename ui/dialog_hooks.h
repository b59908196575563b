#pragma once
// The dialogs that the mouse functions' context commands and modes open.

class QWidget;
class CQuenkApp;
class CQuenkDoc;
class CStift;
class CVector;
struct TabSettings;

// "Werkzeug / Stift aendern" on the chain of a corrected path; true when "OK" changed its tool.
bool RunToolPenChangeDialog(QWidget* parent, const CStift& pen, CVector& chain);

// "Stege": preset with m_tabSize and the view's tab kind. "OK" gives the view the entered
// values; in every case m_tabSize follows the view's length and the tab mode begins. True
// after "OK".
bool RunTabDialog(QWidget* parent, CQuenkApp& app, TabSettings& view);

// "Werkzeug" of "RK auf Vektor": the tools' diameter and side and the tool for this chain;
// "OK" stores the tools and corrects the chain. True after "OK".
bool RunChainToolDialog(QWidget* parent, CQuenkDoc& doc, CVector& chain);
