#include "ui/tips_dialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("Tip/");
constexpr qint64 kMaxLine = 1000;
const char* kNoFile = "Tips-Datei ist im vorgeschriebenen Verzeichnis nicht vorhanden";
const char* kReadError = "Probleme beim Lesen der Tips-Datei";

void Problem(QWidget* parent, const char* text) {
    QMessageBox::warning(parent, QStringLiteral("Quenk"), QString::fromUtf8(text));
}

bool IsTipLine(const QByteArray& line) {
    return !line.isEmpty() && line[0] != ' ' && line[0] != '\t' && line[0] != '\n' && line[0] != '\r' &&
           line[0] != ';';
}
}  // namespace

bool CTipDlg::ShowAtStartUp() { return QSettings().value(kSection + QStringLiteral("StartUp"), 0).toInt() == 0; }

CTipDlg::CTipDlg(QWidget* parent, const QString& path)
    : QDialog(parent),
      m_file(path),
      m_text(new QLabel),
      m_startUp(new QCheckBox(QStringLiteral("&Tipps beim Starten anzeigen"))),
      m_next(new QPushButton(QStringLiteral("&Nächster Tipp"))) {
    setWindowTitle(QStringLiteral("Tipps und Tricks"));
    QSettings profile;
    m_startUp->setChecked(profile.value(kSection + QStringLiteral("StartUp"), 0).toInt() == 0);
    qint64 pos = profile.value(kSection + QStringLiteral("FilePos"), 0).toLongLong();
    m_text->setWordWrap(true);
    m_text->setAutoFillBackground(true);
    m_text->setStyleSheet(QStringLiteral("background: white; padding: 8px"));
    m_text->setMinimumSize(360, 120);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* close = new QPushButton(QStringLiteral("&Schließen"));
    connect(m_next, &QPushButton::clicked, this, &CTipDlg::NextTip);
    connect(close, &QPushButton::clicked, this, [this] {
        Store();
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(64, 44, 12, 12);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    if (!m_file.open(QIODevice::ReadOnly)) {
        Problem(this, kNoFile);
        m_next->setEnabled(false);
        return;
    }
    const QString stamp = QFileInfo(m_file).lastModified().toString(Qt::ISODate);
    if (stamp != profile.value(kSection + QStringLiteral("TimeStamp")).toString()) {
        pos = 0;
        profile.setValue(kSection + QStringLiteral("TimeStamp"), stamp);
    }
    if (!m_file.seek(pos))
        Problem(this, kReadError);
    else
        NextTip();
}

CTipDlg::~CTipDlg() {
    if (m_file.isOpen()) QSettings().setValue(kSection + QStringLiteral("FilePos"), m_file.pos());
}

void CTipDlg::Store() { QSettings().setValue(kSection + QStringLiteral("StartUp"), m_startUp->isChecked() ? 0 : 1); }

QString CTipDlg::Tip() const { return m_text->text(); }

void CTipDlg::NextTip() {
    for (bool wrapped = false;;) {
        if (m_file.atEnd()) {
            if (wrapped || !m_file.seek(0)) {
                Problem(this, kReadError);
                return;
            }
            wrapped = true;
        }
        const QByteArray line = m_file.readLine(kMaxLine);
        if (IsTipLine(line)) {
            m_text->setText(QString::fromUtf8(line).trimmed());
            return;
        }
    }
}

void CTipDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The light bulb beside the heading.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(255, 230, 90));
    p.drawEllipse(QRect(16, 10, 28, 28));
    p.drawRect(24, 38, 12, 8);
    QFont font = p.font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 3);
    p.setFont(font);
    p.drawText(QPoint(64, 32), QStringLiteral("Wußten Sie schon..."));
}
