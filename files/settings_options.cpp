#include "files/settings_options.h"

#include <cmath>
#include <stdexcept>
#include <type_traits>

#include "files/settings_fields.h"
#include "model/program_values.h"

namespace {
// The dialog's fields are numbers; their text and table members never appear in it.
template <typename F>
void VisitNumber(const AppMember& member, F f) {
    std::visit(
        [&](auto m) {
            using T = std::remove_reference_t<decltype(std::declval<CQuenkApp&>().*m)>;
            if constexpr (std::is_arithmetic_v<T>) f(m);
        },
        member);
}

bool MayStore(const FileField& f, double v) {
    if (!std::isfinite(v)) return false;
    if (IsWholeNumberField(f) && std::floor(v) != v) return false;
    return !f.dialog.range || InRange(v, *f.dialog.range);
}

// The same value, also where it is no number.
bool Unchanged(double v, double before) { return v == before || (std::isnan(v) && std::isnan(before)); }
}  // namespace

bool IsWholeNumberField(const FileField& field) {
    return !std::holds_alternative<double CQuenkApp::*>(field.member);
}

const std::vector<const FileField*>& SettingsDialogFields() {
    static const std::vector<const FileField*> fields = [] {
        std::vector<const FileField*> shown;
        for (const FileField& f : SettingsFields())
            if (f.dialog.label) shown.push_back(&f);
        return shown;
    }();
    return fields;
}

SettingsOptions SettingsOptions::From(const CQuenkApp& app) {
    SettingsOptions o;
    for (const FileField* f : SettingsDialogFields()) {
        double v = 0.0;
        VisitNumber(f->member, [&](auto m) { v = static_cast<double>(app.*m); });
        o.values.push_back(v);
    }
    return o;
}

double& SettingsOptions::operator[](std::string_view name) {
    const auto& fields = SettingsDialogFields();
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
        if (name == fields[i]->name) return values[i];
    throw std::out_of_range("no settings dialog field " + std::string(name));
}

std::optional<std::size_t> SettingsOptions::FirstInvalid(const SettingsOptions* loaded) const {
    const auto& fields = SettingsDialogFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i >= values.size()) return i;
        if (loaded && i < loaded->values.size() && Unchanged(values[i], loaded->values[i])) continue;
        if (!MayStore(*fields[i], values[i])) return i;
    }
    return std::nullopt;
}

std::string SettingsOptions::Validate() const {
    const std::optional<std::size_t> bad = FirstInvalid();
    if (!bad) return {};
    const DialogField& d = SettingsDialogFields()[*bad]->dialog;
    return RangeComplaint(d.title, d.range);
}

bool SettingsOptions::ApplyTo(CQuenkApp& app) const {
    const SettingsOptions current = From(app);
    if (FirstInvalid(&current)) return false;
    const auto& fields = SettingsDialogFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        VisitNumber(fields[i]->member, [&](auto m) {
            app.*m = static_cast<std::remove_reference_t<decltype(app.*m)>>(values[i]);
        });
    return true;
}
