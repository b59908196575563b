#pragma once
// "Info über Quenk": the program icon, the version text, credit lines and "OK".

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
