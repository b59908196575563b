// "Einstellungen" offscreen: the dialog shows the settings, refuses a value out of range
// with the message and the field selected, and the "Config" command stores only on "OK".

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

#include "files/settings_file.h"
#include "model/platform.h"
#include "model/quenk_app.h"
#include "tests/support/modal_answer.h"
#include "tests/support/scripted_interaction.h"
#include "ui/main_frame.h"
#include "ui/settings_commands.h"
#include "ui/settings_dialog.h"

namespace {
// No serial port opens; counts the attempts.
struct NoPortPlatform : Platform {
    int opened = 0;
    bool RegistryKeyExists(const std::string&) override { return false; }
    std::optional<std::string> ReadRegistryString(const std::string&, const std::string&) override { return {}; }
    bool FileExists(const std::string&) override { return false; }
    bool StartProgram(const std::string&, int) override { return false; }
    std::unique_ptr<SerialPort> OpenSerialPort(const std::string&) override { return ++opened, nullptr; }
};

QLineEdit* Edit(QWidget* dialog, const char* member) { return dialog->findChild<QLineEdit*>(QLatin1String(member)); }

// Runs the "Config" command; `fill` edits the dialog, then the given button is pressed.
void RunConfig(CMainFrame& frame, const std::function<void(QDialog&)>& fill, QDialogButtonBox::StandardButton button) {
    OnNextModal([&](QDialog& d) {
        fill(d);
        d.findChild<QDialogButtonBox*>()->button(button)->click();
    });
    QVERIFY(frame.Execute(cmd::kSettings));
}
}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheValuesAndRefusesOneOutOfRange() {
        ScriptedSession session;
        CQuenkApp app;
        app.m_importOrder = 1, app.m_bUseComPort = 1, app.m_machineX = 600, app.m_machineY = 400;
        CSettingsDlg dialog(SettingsOptions::From(app));
        dialog.show();
        QCOMPARE(Edit(&dialog, "m_plotterUnit")->text(), QStringLiteral("0.025"));
        QCOMPARE(Edit(&dialog, "m_machineX")->text(), QStringLiteral("600"));
        QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("m_bUseComPort"))->isChecked());
        const auto order = dialog.findChildren<QRadioButton*>(QStringLiteral("m_importOrder"));
        QCOMPARE(order.size(), 2);
        QVERIFY(!order[0]->isChecked() && order[1]->isChecked() && order[1]->text() == QStringLiteral("*.plt"));

        Edit(&dialog, "m_screenMargin")->setText(QStringLiteral("101"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(session.ui.shown, std::vector<std::string>{"Geben Sie eine Zahl zwischen 0 und 100 ein."});
        QCOMPARE(Edit(&dialog, "m_screenMargin")->selectedText(), QStringLiteral("101"));
        Edit(&dialog, "m_screenMargin")->setText(QStringLiteral("7,0"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        SettingsOptions out = dialog.Options();
        QCOMPARE(out["m_screenMargin"], 7.0);
    }

    // The defaults hold a machine area of 0, below the range of 10 and more: only a value the
    // user enters is checked, so "OK" on the untouched dialog stores, and 5 typed is refused.
    void untouchedValuesPassOnOk() {
        ScriptedSession session;
        CQuenkApp app;
        CSettingsDlg dialog(SettingsOptions::From(app));
        dialog.show();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.Options().ApplyTo(app) && session.ui.shown.empty());
        CSettingsDlg typed(SettingsOptions::From(app));
        typed.show();
        Edit(&typed, "m_machineY")->setText(QStringLiteral("5"));
        typed.accept();
        QVERIFY(typed.isVisible());
        QCOMPARE(session.ui.shown, std::vector<std::string>{"Geben Sie eine Zahl zwischen 10 und 10000000000 ein."});
    }

    void configStoresOnlyOnOk() {
        ScriptedSession session;
        CQuenkApp app;
        CompleteSettingsTables(app);
        app.m_machineX = 600, app.m_machineY = 400;
        CMainFrame frame(app);
        const std::string before = EncodeSettings(app);
        const auto fill = [](QDialog& d) {
            Edit(&d, "m_plotterUnit")->setText(QStringLiteral("0.02"));
            Edit(&d, "m_joinDistance")->setText(QStringLiteral("1.5"));
            d.findChildren<QRadioButton*>(QStringLiteral("m_showUnknownCommands"))[0]->click();  // "JA"
        };
        RunConfig(frame, fill, QDialogButtonBox::Cancel);
        QCOMPARE(EncodeSettings(app), before);
        RunConfig(frame, fill, QDialogButtonBox::Ok);
        QCOMPARE(std::make_tuple(app.m_plotterUnit, app.m_joinDistance, app.m_showUnknownCommands),
                 std::make_tuple(0.02, 1.5, 1));
        QVERIFY(session.ui.shown.empty());
    }

    void switchingTheControllerOnOpensItsPort() {
        ScriptedSession session;
        CQuenkApp app;
        app.m_machineX = 600, app.m_machineY = 400;
        SettingsOptions on = SettingsOptions::From(app);
        on["m_bUseComPort"] = 1;
        NoPortPlatform platform;
        ApplySettings(app, on, platform);
        QCOMPARE(std::make_tuple(platform.opened, int(app.m_bUseComPort)), std::make_tuple(1, 0));
        QCOMPARE(session.ui.shown, (std::vector<std::string>{"COM Open Error", "Kann COM-Port nicht öffnen"}));
        app.m_bUseComPort = 1;  // already on: the port stays as it is
        ApplySettings(app, on, platform);
        QCOMPARE(platform.opened, 1);
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
