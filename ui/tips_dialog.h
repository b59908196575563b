#pragma once
// CTipDlg, "Tipps und Tricks": one tip at a time from "tips.txt" in the working directory,
// continued where the last run stopped (profile section "Tip").

#include <QDialog>
#include <QFile>

class QCheckBox;
class QLabel;
class QPushButton;

class CTipDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTipDlg(QWidget* parent = nullptr, const QString& path = QStringLiteral("tips.txt"));
    ~CTipDlg() override;

    // Whether the profile asks for tips at start.
    static bool ShowAtStartUp();
    QString Tip() const;
    void NextTip();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Store();

    QFile m_file;
    QLabel* m_text;
    QCheckBox* m_startUp;
    QPushButton* m_next;
};
