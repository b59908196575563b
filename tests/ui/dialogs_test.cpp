// The program's dialogs: values in, a value out of range refused with the field selected,
// "Abbrechen" changes nothing, "OK" stores; and the commands that open them.

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "files/settings_file.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "tests/support/modal_answer.h"
#include "tests/support/scripted_interaction.h"
#include "ui/colour_pen_dialog.h"
#include "ui/correction_dialogs.h"
#include "ui/dialog_hooks.h"
#include "ui/drawing_window.h"
#include "ui/grid_copy_dialog.h"
#include "ui/info_profil_dialog.h"
#include "ui/main_frame.h"
#include "ui/pen_colour_dialog.h"
#include "ui/shape_dialogs.h"
#include "ui/tab_dialog.h"
#include "ui/tool_change_dialog.h"
#include "ui/tools_dialog.h"

namespace {
void Type(CheckedDialog& d, const char* field, const QString& text) {
    d.Field(QString::fromLatin1(field))->setText(text);
}

// Fills fields of the next modal dialog and presses "OK".
void AcceptNextWith(std::vector<std::pair<const char*, const char*>> fields) {
    OnNextModal([fields](QDialog& d) {
        for (const auto& [name, text] : fields) Type(static_cast<CheckedDialog&>(d), name, QString::fromLatin1(text));
        d.accept();
    });
}
}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CompleteSettingsTables(m_app); }

    // Each dialog: a value out of range keeps it open with the message and the field
    // selected; a value inside is taken on "OK".
    void rangesAreCheckedOnOk() {
        CVector chain;
        chain.m_tool = 3;
        const TabSettings tabs;
        struct Case {
            std::function<std::unique_ptr<CheckedDialog>()> make;
            const char* field;
            const char* bad;
            const char* message;
            const char* good;
        };
        const Case cases[] = {
            {[&] { return std::make_unique<CToolsDlg>(m_app); }, "diameter5", "50.5",
             "Geben Sie eine Zahl zwischen 0 und 50 ein.", "49,5"},
            {[&] { return std::make_unique<CRadiusDlg>(m_app); }, "diameter16", "20.01",
             "Geben Sie eine Zahl zwischen 0 und 20 ein.", "20"},
            {[&] { return std::make_unique<CPenToolsDlg>(m_app); }, "function2", "3",
             "Geben Sie eine Zahl zwischen 0 und 2 ein.", "2"},
            {[&] { return std::make_unique<CChainToolDlg>(ChainToolValues::From(m_app, chain)); }, "diameter1", "x",
             "Geben Sie eine Zahl ein.", "1.5"},
            {[&] { return std::make_unique<CToolPenChangeDlg>(ToolChangeValues::From(2, chain)); }, "newTool", "0",
             "Geben Sie eine Zahl zwischen 1 und 16 ein.", "16"},
            {[&] { return std::make_unique<CRechteckDlg>(); }, "y", "-1",
             "Geben Sie eine Zahl zwischen 0 und 9999999999 ein.", "5"},
            {[&] { return std::make_unique<CTrapezDlg>(false); }, "pen", "1.5", "Geben Sie eine ganze Zahl ein.", "2"},
            {[&] { return std::make_unique<CNutzenDlg>(); }, "countY", "101",
             "Geben Sie eine Zahl zwischen 1 und 100 ein.", "100"},
            {[&] { return std::make_unique<CTabDlg>(tabs); }, "length", "1001",
             "Geben Sie eine Zahl zwischen 0 und 1000 ein.", "2.5"},
            {[&] { return std::make_unique<CColourPenDlg>(40); }, "pen", "17",
             "Geben Sie eine Zahl zwischen 1 und 16 ein.", "16"},
            {[&] { return std::make_unique<CInfoProfilDlg>(InfoProfil{}); }, "maxOutputPoints", "251",
             "Geben Sie eine Zahl zwischen 10 und 250 ein.", "10"},
        };
        for (const Case& c : cases) {
            ScriptedSession s;
            std::unique_ptr<CheckedDialog> d = c.make();
            d->show();
            Type(*d, c.field, QString::fromLatin1(c.bad));
            d->accept();
            QVERIFY2(d->isVisible() && d->result() != QDialog::Accepted, c.field);
            QCOMPARE(s.ui.shown, std::vector<std::string>{c.message});
            QCOMPARE(d->Field(QString::fromLatin1(c.field))->selectedText(), QString::fromLatin1(c.bad));
            Type(*d, c.field, QString::fromLatin1(c.good));
            d->accept();
            QVERIFY2(d->result() == QDialog::Accepted, c.field);
        }
    }

    void valuesComeBackOnlyOnOk() {
        ScriptedSession s;
        CRechteckDlg rect;
        Type(rect, "x", QStringLiteral("10"));
        Type(rect, "y", QStringLiteral("5,5"));
        rect.accept();
        QCOMPARE(rect.Values().y, 5.5);
        CChainToolDlg tool(ChainToolValues{7, ToolGeometryOfRecords(m_app)});
        QCOMPARE(tool.Tool()->checkedId(), 7);
        CTabDlg tab(TabSettings{1.5, 2});
        QCOMPARE(tab.Kinds()->checkedId(), 2);
        CColourPenDlg colour(3);
        colour.accept();
        QCOMPARE(colour.Pen(), 3);  // the pen of the colour's own number is offered
    }

    void toolsDialogStoresOnOkOnly() {
        ScriptedSession s;
        const double before = m_app.m_toolDiameter[2];
        OnNextModal([](QDialog& d) {
            static_cast<CheckedDialog&>(d).Field(QStringLiteral("diameter3"))->setText(QStringLiteral("4"));
            d.reject();
        });
        QVERIFY(!RunToolsDialog(nullptr, m_app));
        QCOMPARE(m_app.m_toolDiameter[2], before);
        m_app.m_penColours[9] = 0x00FF00;
        OnNextModal([](QDialog& d) {
            auto& tools = static_cast<CToolsDlg&>(d);
            tools.Field(QStringLiteral("diameter3"))->setText(QStringLiteral("4"));
            tools.RightBox(3)->setChecked(false);
            tools.findChild<QPushButton*>(QStringLiteral("penColours"))->click();
            d.accept();
        });
        QVERIFY(RunToolsDialog(nullptr, m_app));
        QCOMPARE(m_app.m_tools[2].m_diameter, 4.0);
        QCOMPARE(m_app.m_toolSide[2], 0);
        QCOMPARE(m_app.m_toolColours[9], 0x00FF00u);
        QCOMPARE(m_app.m_toolColoursB[9], 0x00FF00u);
    }

    void penColoursStoreOnOkOnly() {
        ScriptedSession s;
        const std::uint32_t before = m_app.m_penColours[4];
        OnNextModal([](QDialog& d) {
            static_cast<CPenColourDlg&>(d).PenSwatch(4)->SetColour(0x0A0B0C);
            d.reject();
        });
        QVERIFY(!RunPenColourDialog(nullptr, m_app));
        QCOMPARE(m_app.m_penColours[4], before);
        OnNextModal([](QDialog& d) {
            auto& pens = static_cast<CPenColourDlg&>(d);
            pens.PenSwatch(4)->SetColour(0x0A0B0C);
            pens.CorrectionSwatch()->SetColour(0x010203);
            d.accept();
        });
        QVERIFY(RunPenColourDialog(nullptr, m_app));
        QCOMPARE(m_app.m_penColours[4], 0x0A0B0Cu);
        QCOMPARE(m_app.m_displayColour2, 0x010203u);
        QCOMPARE(s.ui.redraws, 2);
    }

    // "Radiuskorrektur" with "Den Stiften Werkzeuge zuordnen": both dialogs, then the flow.
    void correctionCommandAsksForTheToolsPerPen() {
        ScriptedSession s;
        CMainFrame f(m_app);
        DrawingWindow* w = f.NewDrawingWindow();
        QVERIFY(AddRectangle(w->Document(), {10, 10, 1}));
        OnNextModal([](QDialog& d) {
            auto& radius = static_cast<CRadiusDlg&>(d);
            radius.Source()->button(17)->setChecked(true);
            radius.Field(QStringLiteral("diameter6"))->setText(QStringLiteral("2"));
            AcceptNextWith({{"tool1", "6"}, {"function1", "1"}});
            d.accept();
        });
        QVERIFY(f.Execute(cmd::kRadiusCorrection));
        const CVector& v = *w->Document().m_layers[0]->m_pens[0]->m_chains[0];
        QCOMPARE(v.m_tool, 6);
        QCOMPARE(v.m_function, 1);
        QCOMPARE(v.m_toolRadius, 2.0 / (2 * m_app.m_plotterUnit));
        QCOMPARE(m_app.m_rkToolMode, 17);
        QCOMPARE(w->Document().m_bCorrectionDone, 1);
    }

    void shapeAndGridCommands() {
        ScriptedSession s;
        CMainFrame f(m_app);
        DrawingWindow* w = f.NewDrawingWindow();
        AcceptNextWith({{"x", "10"}, {"y", "5"}});
        QVERIFY(f.Execute(32838));
        QCOMPARE(w->Document().m_layers.size(), std::size_t{1});
        for (int shape : {32838, 32839, 32840}) QVERIFY(!f.Execute(shape));  // the drawing has a width now
        w->m_bWasEmptyAtImport = true;
        AcceptNextWith({{"countX", "3"}, {"countY", "2"}});
        QVERIFY(f.Execute(32848));
        QCOMPARE(w->Document().m_layers.size(), std::size_t{6});
        QVERIFY(!f.Execute(32848));  // once per import into an empty document
    }

    // The dialogs the mouse functions open.
    void hooksOfTheMouseFunctions() {
        ScriptedSession s;
        CMainFrame f(m_app);
        DrawingWindow* w = f.NewDrawingWindow();
        QVERIFY(AddRectangle(w->Document(), {10, 10, 2}));
        CStift& pen = *w->Document().m_layers[0]->m_pens[0];
        CVector& chain = *pen.m_chains[0];
        CommandContext ctx = f.Context();
        AcceptNextWith({{"newTool", "9"}});
        QVERIFY(AskToolPenChange(ctx, pen, chain));
        QCOMPARE(chain.m_tool, 9);
        AcceptNextWith({{"diameter9", "4"}});
        QCOMPARE(AskChainTool(ctx, chain), std::optional<int>(9));
        QCOMPARE(m_app.m_tools[8].m_diameter, 4.0);
        OnNextModal([](QDialog& d) { d.reject(); });
        QVERIFY(!AskTabSettings(ctx, TabSettings{2.0, 1}));
    }

private:
    CQuenkApp m_app;
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
