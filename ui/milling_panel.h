#pragma once
// CFraeser, the panel "Fräser" of milling mode: a child of the view at its top left with the
// tool check boxes "Fräser 1" … "Fräser 16" (each beside a swatch of the tool's colour) and
// the buttons of the job. The check boxes are m_toolUsed: every click reads all sixteen back.
// The buttons send their commands to the frame. The panel lives as long as its view; it
// cannot be closed on its own.

#include <QFrame>
#include <array>

#include "output/gcode_dialect.h"
#include "toolpath/milling_options.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The dialect of the command "G-CODE", kept in the application profile beside the recent
// files (the settings file's layout is fixed); WinPC-NC when none or an unknown one is kept.
GCodeDialect StoredDialect();
void StoreDialect(GCodeDialect dialect);

class CFraeser : public QFrame {
    Q_OBJECT
public:
    CFraeser(CQuenkApp& app, QWidget* view);

    // Sets the check boxes from m_toolUsed.
    void ShowToolsUsed();
    QCheckBox* ToolBox(int tool) const { return m_boxes.at(static_cast<std::size_t>(tool - kFirstTool)); }
    QLabel* Swatch(int tool) const { return m_swatches.at(static_cast<std::size_t>(tool - kFirstTool)); }
    // The button of a command (cmd::kAllesFraesen, kWinPc, kToolData, kMaterialData, kGCode).
    QPushButton* Button(int id) const;
    // "Steuerung": the dialect of "G-CODE", one entry per dialect in the order of kAllDialects.
    QComboBox* Controller() const { return m_controller; }

signals:
    // A button was pressed: the command it stands for.
    void Command(int id);
    // The check boxes were read into m_toolUsed.
    void ToolsChanged();

protected:
    // The close box, or any other request to close, is ignored.
    void closeEvent(QCloseEvent* event) override;

private:
    void ReadToolBoxes();

    CQuenkApp& m_app;
    std::array<QCheckBox*, kToolCount> m_boxes{};
    std::array<QLabel*, kToolCount> m_swatches{};
    QComboBox* m_controller = nullptr;
};
