#pragma once
// "Info Profil": what the reduced profile exports found in the chain (indexes and counts of
// the trailing edge, the nose and the top, the chord in millimetres), and the number of
// points the file may hold, the one value the operator changes.

#include "output/profile.h"
#include "ui/checked_dialog.h"

class CInfoProfilDlg : public CheckedDialog {
    Q_OBJECT
public:
    CInfoProfilDlg(const InfoProfil& info, QWidget* parent = nullptr);
    const InfoProfil& Values() const { return m_info; }

protected:
    std::string Collect() override;

private:
    InfoProfil m_info;
    QLineEdit* m_maxOut = nullptr;
};
