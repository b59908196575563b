#pragma once
// The values of the settings dialog "Einstellungen" as a plain value: the dialog, the tests
// and any other front end fill it, Validate() checks it against the settings table's ranges
// and ApplyTo() stores it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_fields.h"

// The settings fields that the dialog shows, in file order.
const std::vector<const FileField*>& SettingsDialogFields();
// Whether the field's member holds whole numbers only.
bool IsWholeNumberField(const FileField& field);

struct SettingsOptions {
    // One number per field of SettingsDialogFields(): radio pairs and check boxes hold the
    // value of the chosen button, 0 or 1.
    std::vector<double> values;

    static SettingsOptions From(const CQuenkApp& app);
    // The value of the field with this member name; throws std::out_of_range for a field
    // the dialog does not show.
    double& operator[](std::string_view name);

    // The first value that may not be stored: outside its range, not finite, or not whole
    // where the member is an integer. Nothing when all may be stored. With `loaded`, the
    // values the dialog was opened on, a value left as it was is not checked: nobody may be
    // kept in the dialog by a value he never entered (the machine area is 0, below its range,
    // until the user sets it).
    std::optional<std::size_t> FirstInvalid(const SettingsOptions* loaded = nullptr) const;
    // The German message for the first value that may not be stored; empty when all may be.
    std::string Validate() const;
    // Stores every value; false, and nothing stored, when a value that differs from the
    // application's may not be stored.
    bool ApplyTo(CQuenkApp& app) const;
};
