#include "ui/tool_rows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/checked_dialog.h"

void ToolRows::Add(CheckedDialog& dialog, QButtonGroup& group, const ToolGeometry& g, QGridLayout& grid, int first,
                   int last, int row0, int col0, const QString& diameterLabel) {
    m_shown = g;
    for (int tool = first; tool <= last; ++tool) {
        const auto i = static_cast<std::size_t>(tool - 1);
        const int row = row0 + tool - first;
        const QString n = QString::number(tool);
        auto* radio = new QRadioButton(n);
        group.addButton(radio, tool);
        m_diameter[i] = dialog.AddNumber(g.diameter[i], "diameter" + n, "Durchmesser Werkzeug " + std::to_string(tool),
                                         &kCorrectionDiameterRange);
        m_right[i] = new QCheckBox(QStringLiteral("Rechts"));
        m_right[i]->setObjectName("right" + n);
        m_right[i]->setChecked(g.right[i] != 0);
        grid.addWidget(radio, row, col0);
        grid.addWidget(new QLabel(diameterLabel), row, col0 + 1);
        grid.addWidget(m_diameter[i], row, col0 + 2);
        grid.addWidget(m_right[i], row, col0 + 3);
    }
}

ToolGeometry ToolRows::Read(const CheckedDialog& dialog) const {
    ToolGeometry g = m_shown;
    for (std::size_t i = 0; i < m_diameter.size(); ++i) {
        if (!m_diameter[i]) continue;
        g.diameter[i] = dialog.Number(m_diameter[i]);
        g.right[i] = m_right[i]->isChecked() ? 1 : 0;
    }
    return g;
}
