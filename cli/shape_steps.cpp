// quenk-cli steps of the shape commands and "Nutzen erstellen": the dialogs' fields are the
// step's arguments.

#include <charconv>

#include "cli/steps.h"
#include "model/document.h"
#include "prepare/grid_copies.h"
#include "prepare/shapes.h"

namespace {

template <typename T>
bool Parse(const std::string& s, T& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Sizes in mm, then the optional pen (1 without it).
bool Sizes(const std::vector<std::string>& a, std::size_t count, double* sizes, int& pen, std::string& error) {
    for (std::size_t k = 0; k < count; ++k)
        if (!Parse(a[k], sizes[k])) {
            error = "not a number: " + a[k];
            return false;
        }
    pen = 1;
    if (a.size() > count && !Parse(a[count], pen)) {
        error = "not a pen number: " + a[count];
        return false;
    }
    return true;
}

bool ShapeEnabled(const CliContext& c, const char* command, std::string& error) {
    if (ShapeCommandsEnabled(c.doc)) return true;
    error = std::string("\"") + command + "\" is disabled: the drawing reaches right of the origin";
    return false;
}

bool Added(bool added, std::string& error) {
    if (!added) error = "nothing was added";
    return added;
}

bool Rectangle(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    double s[2];
    RectangleOptions o;
    if (!ShapeEnabled(c, "Rechteck zeichnen", error) || !Sizes(a, 2, s, o.pen, error)) return false;
    o.x = s[0], o.y = s[1];
    return Added(AddRectangle(c.doc, o), error);
}

bool Trapezoid(CliContext& c, const std::vector<std::string>& a, std::string& error, bool rotated) {
    double s[3];
    TrapezoidOptions o;
    const char* command = rotated ? "Trapez zeichnen (90 Grad gedreht)" : "Trapez zeichnen";
    if (!ShapeEnabled(c, command, error) || !Sizes(a, 3, s, o.pen, error)) return false;
    o.top = s[0], o.bottom = s[1], o.height = s[2], o.rotated = rotated;
    return Added(AddTrapezoid(c.doc, o), error);
}

bool Grid(CliContext& c, const std::vector<std::string>& a, std::string& error) {
    GridCopyOptions o;
    if (!Parse(a[0], o.countX) || !Parse(a[1], o.distanceX) || !Parse(a[2], o.countY) || !Parse(a[3], o.distanceY)) {
        error = "grid needs NX DX NY DY: two counts and two distances in mm";
        return false;
    }
    if (c.doc.m_nothingImported) {
        error = "\"Nutzen erstellen\" is disabled: nothing has been imported";
        return false;
    }
    return Added(MakeGridCopies(c.doc, o), error);
}

}  // namespace

const std::vector<StepSpec>& ShapeSteps() {
    static const std::vector<StepSpec> steps = {
        {"rectangle", 2, 3, "rectangle X Y [PEN]   \"Rechteck zeichnen\" at the workpiece zero point (mm)", Rectangle},
        {"trapezoid", 3, 4, "trapezoid A B H [PEN] \"Trapez zeichnen\": widths top A, bottom B, height H (mm)",
         [](CliContext& c, const std::vector<std::string>& a, std::string& e) { return Trapezoid(c, a, e, false); }},
        {"trapezoid90", 3, 4, "trapezoid90 A B H [PEN] \"Trapez zeichnen (90 Grad gedreht)\"",
         [](CliContext& c, const std::vector<std::string>& a, std::string& e) { return Trapezoid(c, a, e, true); }},
        {"grid", 4, 4, "grid NX DX NY DY      \"Nutzen erstellen\": NX by NY copies, DX and DY mm apart", Grid},
    };
    return steps;
}
