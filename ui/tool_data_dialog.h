#pragma once
// CWerkzeugdaten, "Werkzeuge" of milling mode: per tool its diameter and side (shown, not
// edited: they belong to the tools dialog), its depth ("Tiefe") and its two speeds (edited
// only while the panel's "Steuerung" is a controller that gets feed words). "OK" hands back
// the depths and speeds of all 16 tools.

#include <QDialog>

#include "toolpath/milling_options.h"

class QCheckBox;
class QLineEdit;

class CWerkzeugdaten : public QDialog {
    Q_OBJECT
public:
    explicit CWerkzeugdaten(const ToolDataOptions& options, QWidget* parent = nullptr);

    const ToolDataOptions& Options() const { return m_options; }

    // The row of tool 1..16.
    struct Row {
        QLineEdit* diameter;
        QCheckBox* right;
        QLineEdit* depth;
        QLineEdit* feedXY;
        QLineEdit* feedZ;
    };
    const Row& ToolRow(int tool) const { return m_rows.at(static_cast<std::size_t>(tool - kFirstTool)); }

    void accept() override;

private:
    ToolDataOptions m_options;
    std::array<Row, kToolCount> m_rows{};
};

// Opens the dialog on the application's values and stores them back on "OK".
bool RunToolDataDialog(QWidget* parent, CQuenkApp& app);
