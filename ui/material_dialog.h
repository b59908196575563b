#pragma once
// CMaterial, "Material": the material data of the milling job. The dialog starts with the
// values it is given and hands back a checked MaterialOptions on "OK"; a value outside its
// range keeps it open with the range message and the field selected.

#include <QDialog>
#include <map>

#include "toolpath/milling_options.h"

class QLineEdit;
class QRadioButton;

// The dialog's fields by their control ids.
namespace material_field {
inline constexpr int kName = 1002, kThickness = 1003, kSafety = 1005, kMaxPass = 1014;
inline constexpr int kTop = 1012, kBottom = 1013, kExtra = 1015;
}  // namespace material_field

class CMaterial : public QDialog {
    Q_OBJECT
public:
    explicit CMaterial(const MaterialOptions& options, QWidget* parent = nullptr);

    // The values confirmed with "OK".
    const MaterialOptions& Options() const { return m_options; }
    // Field of the material name, the three lengths, the two Z values and the extra depth.
    QLineEdit* Field(int id) const { return m_fields.at(id); }

    void accept() override;

private:
    QLineEdit* AddNumber(int id, double value);

    MaterialOptions m_options;
    std::map<int, QLineEdit*> m_fields;  // by control id
    QRadioButton* m_top;
    QRadioButton* m_bottom;
    QRadioButton* m_extra;
    QRadioButton* m_toolDepth;
};

// Opens the dialog on the application's values and stores them back on "OK".
bool RunMaterialDialog(QWidget* parent, CQuenkApp& app);
