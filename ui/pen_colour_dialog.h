#pragma once
// "Farbe für Stifte": the display colours of the pens 1..16 and of the corrected paths.

#include <array>

#include "model/tool_tables.h"
#include "ui/checked_dialog.h"

class CPenColourDlg : public CheckedDialog {
    Q_OBJECT
public:
    CPenColourDlg(const CQuenkApp& app, QWidget* parent = nullptr);
    const PenColourValues& Values() const { return m_values; }
    ColourSwatch* PenSwatch(int pen) const { return m_pen[static_cast<std::size_t>(pen - 1)]; }
    ColourSwatch* CorrectionSwatch() const { return m_correction; }

protected:
    std::string Collect() override;

private:
    PenColourValues m_values;
    std::array<ColourSwatch*, kToolCount> m_pen{};
    ColourSwatch* m_correction;
};

// Opens the dialog and stores the 17 colours on "OK" (true then); the views repaint either way.
bool RunPenColourDialog(QWidget* parent, CQuenkApp& app);
