#pragma once
// "Import-Bericht": what the last drawing import found, as a table, with the open ends that
// lie near other ends marked red in the view while the dialog is open.

#include <QDialog>

class CQuenkDoc;
class CQuenkView;

class CImportReportDlg : public QDialog {
public:
    explicit CImportReportDlg(const CQuenkDoc& doc, QWidget* parent = nullptr);
};

// Shows the report of the view's document (modal); the view marks the ends until it closes.
void ShowImportReport(CQuenkView& view);

// The profile setting "Import-Bericht nach jedem Import zeigen" (off unless chosen).
bool ImportReportAfterEachImport();
void SetImportReportAfterEachImport(bool on);
