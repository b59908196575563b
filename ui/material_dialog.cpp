#include "ui/material_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/core_context.h"
#include "ui/milling_texts.h"
#include "ui/dialog_fields.h"

namespace {
QString T(const char* text) { return QString::fromUtf8(text); }

// The fields that hold numbers, in the order their values are read on "OK".
struct NumberField {
    int id;
    double MaterialOptions::*member;
};
const NumberField kNumbers[] = {
    {material_field::kThickness, &MaterialOptions::thickness},
    {material_field::kSafety, &MaterialOptions::safetyDistance},
    {material_field::kMaxPass, &MaterialOptions::maxPassDepth},
    {material_field::kTop, &MaterialOptions::zTop},
    {material_field::kBottom, &MaterialOptions::zBottom},
    {material_field::kExtra, &MaterialOptions::extraDepth},
};

int FieldOf(MaterialOptions::Field field) {
    switch (field) {
    case MaterialOptions::Field::Thickness: return material_field::kThickness;
    case MaterialOptions::Field::SafetyDistance: return material_field::kSafety;
    case MaterialOptions::Field::MaxPassDepth: return material_field::kMaxPass;
    case MaterialOptions::Field::ExtraDepth: return material_field::kExtra;
    }
    return material_field::kThickness;
}
}  // namespace

QLineEdit* CMaterial::AddNumber(int id, double value) {
    auto* edit = new QLineEdit(FieldText(value));
    m_fields[id] = edit;
    return edit;
}

CMaterial::CMaterial(const MaterialOptions& options, QWidget* parent) : QDialog(parent), m_options(options) {
    setWindowTitle(T(texts::kMaterialTitle));
    auto* grid = new QGridLayout;
    m_fields[material_field::kName] = new QLineEdit(QString::fromStdString(options.name));
    grid->addWidget(new QLabel(T(texts::kMaterialName)), 0, 0);
    grid->addWidget(m_fields[material_field::kName], 0, 1, 1, 3);
    const struct {
        const char* label;
        int id;
        double value;
    } lengths[] = {{texts::kMaterialThickness, material_field::kThickness, options.thickness},
                   {texts::kMaterialSafety, material_field::kSafety, options.safetyDistance},
                   {texts::kMaterialMaxPass, material_field::kMaxPass, options.maxPassDepth}};
    int row = 1;
    for (const auto& l : lengths) {
        grid->addWidget(new QLabel(T(l.label)), row, 0);
        grid->addWidget(AddNumber(l.id, l.value), row, 1);
        grid->addWidget(new QLabel(T(texts::kMillimetre)), row++, 2);
    }
    grid->addWidget(new QLabel(T(texts::kMaterialOnePass)), row - 1, 3);

    // Two radio buttons, each with its value in mm beside it (the second may have none).
    auto group = [this](const char* title, QRadioButton*& first, const char* firstText, int firstId,
                        double firstValue, QRadioButton*& second, const char* secondText, int secondId,
                        double secondValue) {
        auto* box = new QGroupBox(T(title));
        auto* g = new QGridLayout(box);
        first = new QRadioButton(T(firstText));
        second = new QRadioButton(T(secondText));
        g->addWidget(first, 0, 0);
        g->addWidget(AddNumber(firstId, firstValue), 0, 1);
        g->addWidget(new QLabel(T(texts::kMillimetre)), 0, 2);
        g->addWidget(second, 1, 0);
        if (secondId != 0) {
            g->addWidget(AddNumber(secondId, secondValue), 1, 1);
            g->addWidget(new QLabel(T(texts::kMillimetre)), 1, 2);
        }
        return box;
    };
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(group(texts::kMaterialZGroup, m_top, texts::kMaterialTop, material_field::kTop, options.zTop,
                            m_bottom, texts::kMaterialBottom, material_field::kBottom, options.zBottom));
    layout->addWidget(group(texts::kMaterialDepthGroup, m_extra, texts::kMaterialExtra, material_field::kExtra,
                            options.extraDepth, m_toolDepth, texts::kMaterialToolDepth, 0, 0.0));
    (options.zReference == 1 ? m_bottom : m_top)->setChecked(true);
    (options.depthMode == 1 ? m_toolDepth : m_extra)->setChecked(true);

    layout->addWidget(OkCancelButtons(this));
}

void CMaterial::accept() {
    MaterialOptions o = m_options;
    o.name = m_fields[material_field::kName]->text().toStdString();
    for (const NumberField& n : kNumbers)
        if (!ReadNumberField(m_fields[n.id], o.*n.member)) return;
    o.zReference = m_bottom->isChecked() ? 1 : 0;
    o.depthMode = m_toolDepth->isChecked() ? 1 : 0;
    if (const auto complaint = o.Validate()) {
        Ui().Message(complaint->message);
        SelectField(m_fields[FieldOf(complaint->field)]);
        return;
    }
    m_options = o;
    QDialog::accept();
}

bool RunMaterialDialog(QWidget* parent, CQuenkApp& app) {
    return RunOnAppValues<CMaterial, MaterialOptions>(parent, app);
}
