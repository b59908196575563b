#include "ui/info_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/core_context.h"
#include "ui/dialog_fields.h"
#include "model/texts.h"
#include "ui/mouse_texts.h"

namespace {
QString T(const char* s) { return QString::fromUtf8(s); }

void AddField(QGridLayout* grid, int row, int column, const char* label, const QString& value, int span = 1) {
    grid->addWidget(new QLabel(T(label)), row, column);
    auto* edit = new QLineEdit(value);
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    edit->setObjectName(T(label));
    grid->addWidget(edit, row, column + 1, 1, span);
}

QDialogButtonBox* Buttons(QDialog& dialog, bool withCancel) {
    auto* box = new QDialogButtonBox(&dialog);
    QObject::connect(box->addButton(T(texts::kOk), QDialogButtonBox::AcceptRole), &QPushButton::clicked, &dialog,
                     &QDialog::accept);
    if (withCancel)
        QObject::connect(box->addButton(T(texts::kCancel), QDialogButtonBox::RejectRole), &QPushButton::clicked,
                         &dialog, &QDialog::reject);
    return box;
}

// The fields both information dialogs share, then "Drehrichtung:" for a chain.
void ShowExtent(QWidget* parent, const char* title, const ExtentInfo& info, const char* direction) {
    if (info.overflow) Ui().Message(texts::kOverflow);
    QDialog dialog(parent);
    dialog.setWindowTitle(T(title));
    auto* grid = new QGridLayout(&dialog);
    AddField(grid, 0, 0, texts::kPlotterUnit, FieldText(info.plotterUnit));
    AddField(grid, 1, 0, texts::kTop, FieldText(info.top));
    AddField(grid, 2, 0, texts::kBottom, FieldText(info.bottom));
    AddField(grid, 3, 0, texts::kLeft, FieldText(info.left));
    AddField(grid, 4, 0, texts::kRight, FieldText(info.right));
    auto* size = new QGroupBox(T(texts::kSize));
    auto* sizeGrid = new QGridLayout(size);
    AddField(sizeGrid, 0, 0, texts::kSizeX, FieldText(info.sizeX));
    AddField(sizeGrid, 1, 0, texts::kSizeY, FieldText(info.sizeY));
    grid->addWidget(size, 0, 2, 3, 2);
    AddField(grid, 3, 2, texts::kContour, FieldText(info.contour));
    AddField(grid, 4, 2, texts::kPathSum, FieldText(info.pathSum));
    if (direction) AddField(grid, 5, 0, texts::kDirection, T(direction), 3);
    grid->addWidget(Buttons(dialog, false), 6, 0, 1, 4);
    dialog.exec();
}
}  // namespace


void ShowChainInfo(QWidget* parent, const CVector& chain, double plotterUnit) {
    const ChainInfo info = ComputeChainInfo(chain, plotterUnit);
    ShowExtent(parent, texts::kChainInfoTitle, info, DirectionText(info.direction));
}

void ShowWorkpieceInfo(QWidget* parent, const CQuenkDoc& doc, double plotterUnit) {
    ShowExtent(parent, texts::kWorkpieceInfoTitle, ComputeWorkpieceInfo(doc, plotterUnit), nullptr);
}

void ShowPosition(QWidget* parent, const CPunkt& p1, const CPunkt& p2) {
    QDialog dialog(parent);
    dialog.setWindowTitle(T(texts::kPositionTitle));
    auto* layout = new QVBoxLayout(&dialog);
    const std::pair<const char*, CPunkt> groups[] = {{texts::kPositionStart, p1}, {texts::kPositionEnd, p2}};
    for (int g = 0; g < 2; ++g) {
        auto* box = new QGroupBox(T(groups[g].first));
        auto* grid = new QGridLayout(box);
        AddField(grid, 0, 0, g == 0 ? "P1.x:" : "P2.x:", FieldText(groups[g].second.x));
        AddField(grid, 1, 0, g == 0 ? "P1.y:" : "P2.y:", FieldText(groups[g].second.y));
        layout->addWidget(box);
    }
    layout->addWidget(Buttons(dialog, false));
    dialog.exec();
}

std::optional<RowChecks> AskPointList(QWidget* parent, const PointRows& rows) {
    static const char* const kRowLabels[] = {"-3", "-2", "-1", "", "+1", "+2", "+3"};
    QDialog dialog(parent);
    dialog.setWindowTitle(T(texts::kPointListTitle));
    auto* grid = new QGridLayout(&dialog);
    std::array<QCheckBox*, std::tuple_size_v<PointRows>> boxes{};
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PointRow& row = rows[static_cast<std::size_t>(r)];
        // The middle row is labelled with its own index.
        const QString label = r == kPointRowsAround ? QString::number(row.index) : T(kRowLabels[r]);
        grid->addWidget(new QLabel(label), r, 0);
        for (const auto& [column, text] : {std::pair{1, FieldText(row.x)}, {2, FieldText(row.y)}}) {
            auto* edit = new QLineEdit(text);
            edit->setReadOnly(true);
            edit->setObjectName(QStringLiteral("row%1.%2").arg(r).arg(column));
            grid->addWidget(edit, r, column);
        }
        grid->addWidget(new QLabel(T(texts::kPointIndex)), r, 3);
        auto* index = new QLineEdit(QString::number(row.index));
        index->setReadOnly(true);
        grid->addWidget(index, r, 4);
        boxes[static_cast<std::size_t>(r)] = new QCheckBox(T(texts::kPointDelete));
        boxes[static_cast<std::size_t>(r)]->setObjectName(QStringLiteral("delete%1").arg(r));
        grid->addWidget(boxes[static_cast<std::size_t>(r)], r, 5);
    }
    grid->addWidget(Buttons(dialog, true), static_cast<int>(rows.size()), 0, 1, 6);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    RowChecks checks{};
    for (std::size_t r = 0; r < rows.size(); ++r) checks[r] = boxes[r]->isChecked();
    return checks;
}
