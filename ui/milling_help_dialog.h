#pragma once
// CFraesHelp, "Hilfe zum Fräsen": why "Fräsen" cannot switch yet and what to do first.

#include <QDialog>

class CFraesHelp : public QDialog {
    Q_OBJECT
public:
    explicit CFraesHelp(QWidget* parent = nullptr);
};
