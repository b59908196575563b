#include "ui/milling_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/command_table.h"
#include "ui/milling_texts.h"

namespace {
// The swatch beside each check box, in pixels.
constexpr int kSwatchWidth = 16, kSwatchHeight = 12;
// Sixteen tools in two columns of eight.
constexpr int kRowsPerColumn = 8;

struct PanelButton {
    int id;
    const char* text;
};
const PanelButton kButtons[] = {
    {cmd::kAllesFraesen, texts::kPanelAll},        {cmd::kWinPc, texts::kPanelWinPc},
    {cmd::kToolData, texts::kPanelToolData},       {cmd::kMaterialData, texts::kPanelMaterialData},
    {cmd::kGCode, texts::kPanelGCode},             {cmd::kSerialStart, texts::kPanelMachine},
};

const QString kDialectKey = QStringLiteral("GCode/Dialect");

// Colours are kept as 0x00BBGGRR.
QPixmap SwatchOf(std::uint32_t c) {
    QPixmap pixmap(kSwatchWidth, kSwatchHeight);
    pixmap.fill(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    return pixmap;
}
}  // namespace

CFraeser::CFraeser(CQuenkApp& app, QWidget* view) : QFrame(view), m_app(app) {
    setObjectName(QStringLiteral("Fraeser"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromUtf8(texts::kPanelTitle));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto* used = new QGroupBox(QString::fromUtf8(texts::kPanelUsed));
    auto* grid = new QGridLayout(used);
    for (int t = kFirstTool; t <= kLastTool; ++t) {
        const auto i = static_cast<std::size_t>(t - kFirstTool);
        auto* swatch = new QLabel;
        swatch->setFixedSize(kSwatchWidth, kSwatchHeight);
        if (static_cast<std::size_t>(t) < app.m_toolColoursB.size())
            swatch->setPixmap(SwatchOf(app.m_toolColoursB[static_cast<std::size_t>(t)]));
        auto* box = new QCheckBox(QString::fromUtf8(texts::kPanelTool) + QString::number(t));
        connect(box, &QCheckBox::clicked, this, &CFraeser::ReadToolBoxes);
        const int row = static_cast<int>(i) % kRowsPerColumn, column = 2 * (static_cast<int>(i) / kRowsPerColumn);
        grid->addWidget(swatch, row, column);
        grid->addWidget(box, row, column + 1);
        m_boxes[i] = box;
        m_swatches[i] = swatch;
    }
    layout->addWidget(used);
    layout->addWidget(new QLabel(QString::fromUtf8(texts::kPanelController)));
    m_controller = new QComboBox;
    m_controller->setObjectName(QStringLiteral("Steuerung"));
    m_controller->setFocusPolicy(Qt::NoFocus);
    for (GCodeDialect d : kAllDialects) m_controller->addItem(QString::fromUtf8(WordsOf(d).label));
    m_controller->setCurrentIndex(static_cast<int>(StoredDialect()));
    connect(m_controller, &QComboBox::activated, this,
            [](int index) { StoreDialect(kAllDialects[static_cast<std::size_t>(index)]); });
    layout->addWidget(m_controller);
    for (const PanelButton& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text));
        button->setObjectName(QString::number(b.id));
        button->setFocusPolicy(Qt::NoFocus);
        const int id = b.id;
        connect(button, &QPushButton::clicked, this, [this, id] { emit Command(id); });
        layout->addWidget(button);
    }
    ShowToolsUsed();
    adjustSize();
}

GCodeDialect StoredDialect() {
    const QByteArray key = QSettings().value(kDialectKey).toString().toUtf8();
    return DialectOfKey(std::string_view(key.constData(), static_cast<std::size_t>(key.size())))
        .value_or(GCodeDialect::WinPcNc);
}

void StoreDialect(GCodeDialect dialect) {
    QSettings().setValue(kDialectKey, QString::fromUtf8(WordsOf(dialect).key));
}

QPushButton* CFraeser::Button(int id) const { return findChild<QPushButton*>(QString::number(id)); }

void CFraeser::ShowToolsUsed() {
    const ToolFlags used = ToolsUsed(m_app);
    for (std::size_t i = 0; i < m_boxes.size(); ++i) m_boxes[i]->setChecked(used[i]);
}

void CFraeser::ReadToolBoxes() {
    ToolFlags used{};
    for (std::size_t i = 0; i < m_boxes.size(); ++i) used[i] = m_boxes[i]->isChecked();
    SetToolsUsed(m_app, used);
    emit ToolsChanged();
}

void CFraeser::closeEvent(QCloseEvent* event) { event->ignore(); }
