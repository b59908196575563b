#include "files/settings_options.h"

#include <gtest/gtest.h>

#include <cmath>

#include "files/settings_file.h"

namespace {
// Values every range of the dialog accepts; the defaults do not (the machine area is 0).
SettingsOptions Acceptable() {
    CQuenkApp app;
    app.m_machineX = 600.0, app.m_machineY = 400.0;
    return SettingsOptions::From(app);
}
}  // namespace

TEST(SettingsOptions, FirstValueThatMayNotBeStoredGivesItsRangeMessage) {
    const struct { const char* member; double value; const char* message; } cases[] = {
        {"m_screenMargin", 101, "Ungültiger Wert für Bildschirmrand (erlaubt: 0 bis 100)"},
        {"m_screenMargin", 2.5, "Ungültiger Wert für Bildschirmrand (erlaubt: 0 bis 100)"},
        {"m_plotterUnit", 0.0199, "Ungültiger Wert für Plottereinheit (erlaubt: 0.02 bis 0.03)"},
        {"m_segmentAngle", 0.05, "Ungültiger Wert für Kreissegmente (erlaubt: 0.1 bis 90)"},
        {"m_machineY", 9.5, "Ungültiger Wert für Arbeitsbereich Maschine Y (erlaubt: 10 bis 10000000000)"},
        {"m_materialZeroX", 10000.5, "Ungültiger Wert für Nullpunkt Material X (erlaubt: 0 bis 10000)"},
        {"m_workZeroX", std::nan(""), "Ungültiger Wert für Nullpunkt Werkstück X"},
        {"m_workZeroY", -1, "Ungültiger Wert für Nullpunkt Werkstück Y (erlaubt: 0 bis 10000000000)"},
        {"m_importOrder", 2, "Ungültiger Wert für Import (erlaubt: 0 bis 1)"},
        {"m_comPort", 10, "Ungültiger Wert für COM (erlaubt: 1 bis 9)"},
        {"m_workZeroX", -1e6, ""},
        {"m_joinDistance", 100, ""},
    };
    for (const auto& c : cases) {
        SettingsOptions o = Acceptable();
        o[c.member] = c.value;
        EXPECT_EQ(o.Validate(), c.message) << c.member << " = " << c.value;
    }
    SettingsOptions two = Acceptable();
    two["m_comPort"] = 0, two["m_screenMargin"] = -1;
    EXPECT_EQ(two.Validate(), "Ungültiger Wert für Bildschirmrand (erlaubt: 0 bis 100)");
    EXPECT_THROW(two["m_tabSize"], std::out_of_range);
}

TEST(SettingsOptions, ApplyStoresEveryValueOrNothing) {
    CQuenkApp app;
    CompleteSettingsTables(app);
    const std::string before = EncodeSettings(app);
    SettingsOptions o = Acceptable();
    o["m_comPort"] = 12;
    EXPECT_FALSE(o.ApplyTo(app));
    EXPECT_EQ(EncodeSettings(app), before);

    const struct { const char* member; double value; } values[] = {
        {"m_plotterUnit", 0.02}, {"m_importOrder", 1}, {"m_showUnknownCommands", 1}, {"m_screenMargin", 0},
        {"m_machineX", 1e10},    {"m_workZeroX", -3.5}, {"m_bUseComPort", 1},      {"m_comPort", 9}};
    for (const auto& v : values) o[v.member] = v.value;
    ASSERT_TRUE(o.ApplyTo(app));
    EXPECT_EQ(SettingsOptions::From(app).values, o.values);
    EXPECT_EQ(std::make_tuple(app.m_plotterUnit, app.m_screenMargin, app.m_bUseComPort, app.m_comPort, app.m_machineY),
              std::make_tuple(0.02, 0, std::uint8_t{1}, 9, 400.0));
}
