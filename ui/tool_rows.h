#pragma once
// The tool rows of the correction's dialogs: per tool a radio button with its number, the
// diameter (0..20 mm) and "Rechts".

#include <QString>
#include <array>

#include "model/tool_tables.h"

class CheckedDialog;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;

class ToolRows {
public:
    // Rows for the tools first..last, from grid row row0 and column col0; the radio buttons
    // join group with the tool number as their id.
    void Add(CheckedDialog& dialog, QButtonGroup& group, const ToolGeometry& g, QGridLayout& grid, int first, int last,
             int row0, int col0, const QString& diameterLabel);
    // The checked diameters and sides (call after the dialog's checks passed).
    ToolGeometry Read(const CheckedDialog& dialog) const;

private:
    std::array<QLineEdit*, kToolCount> m_diameter{};
    std::array<QCheckBox*, kToolCount> m_right{};
    ToolGeometry m_shown;
};
