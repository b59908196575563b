// quenk-cli: the headless front end. Runs steps in order on one document, with the
// program's own code and the settings of the working directory's settings file.

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_interaction.h"
#include "cli/cli_settings.h"
#include "cli/settings_fields.h"
#include "cli/steps.h"
#include "cli/tool_options.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/core_context.h"
#include "output/profile.h"

namespace {

struct PlannedStep {
    const StepSpec* kind;
    std::vector<std::string> args;
};

struct CliOptions {
    std::string settingsPath;
    std::vector<std::pair<std::string, std::string>> sets;
    std::string writeSettingsPath;
    std::vector<AppEdit> toolEdits;
    CliAnswers answers;
    std::vector<PlannedStep> steps;
    double pickTolerance = 5.0;
    GCodeDialect dialect = GCodeDialect::WinPcNc;
    bool help = false;
};

void Usage(std::ostream& out) {
    out << "usage: quenk-cli [options] STEP...\n\n"
           "options:\n"
           "  --settings FILE        read the settings from FILE (default: ./QuenkV4.dat)\n"
           "  --set NAME=VALUE       set one setting, named as its member (e.g. m_plotterUnit=0.025)\n"
           "  --write-settings PATH  write the settings file to PATH after the steps\n"
           "  --answer-no            answer every Yes/No question with No (default Yes)\n"
           "  --answer-cancel        answer every OK/Cancel question with Cancel (default OK)\n"
           "  --colour-pen C:P       answer \"DWG-Farbe -> Stiftnummer\" for colour C with pen P\n"
           "  --max-points N         answer \"Info Profil\" with N output points (10..250, default 150;\n"
           "                         0 = Cancel)\n"
           "  --tool N:D[:right|left]  tool N (1..16): diameter D mm, side of the path\n"
           "  --pen-tool P:T:F       pen P gets tool T (0 = no correction) and function F\n"
           "                         (0 none, 1 outside, 2 inside)\n"
           "  --tool-depth N:MM      \"Tiefe\" of tool N\n"
           "  --tool-feed N:XY[:Z]   speeds of tool N in mm/s\n"
           "  --tool-off N           leave out the contours of tool N (\"Fräser N\" unchecked)\n"
           "  --pick-tolerance PX    pick tolerance of tab, drill and corner clicks in pixels\n"
           "                         of the view scale m_viewScale (default 5, as the view)\n"
           "  --progress             report long work as \"progress N %\" lines on stderr\n"
           "  --dialect D            the controller of \"gcode\": winpc (default), grbl or linuxcnc\n"
           "  --help                 this text\n\nsteps:\n";
    for (const StepSpec& s : Steps()) out << "  " << s.usage << '\n';
}

bool ParseInt(const std::string& s, int& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty();
}

bool IsOption(const std::string& s) { return s.size() > 2 && s[0] == '-' && s[1] == '-'; }

bool Parse(int argc, char** argv, CliOptions& o, std::string& error) {
    std::vector<std::string> a(argv + 1, argv + argc);
    std::size_t i = 0;
    auto value = [&](const std::string& opt, std::string& out) {
        if (i + 1 >= a.size()) {
            error = opt + " needs a value";
            return false;
        }
        out = a[++i];
        return true;
    };
    for (; i < a.size(); ++i) {
        const std::string& w = a[i];
        if (w == "--help" || w == "-h") {
            o.help = true;
        } else if (w == "--settings") {
            if (!value(w, o.settingsPath)) return false;
        } else if (w == "--write-settings") {
            if (!value(w, o.writeSettingsPath)) return false;
        } else if (w == "--set") {
            std::string kv;
            if (!value(w, kv)) return false;
            const auto eq = kv.find('=');
            if (eq == std::string::npos) {
                error = "--set needs NAME=VALUE";
                return false;
            }
            o.sets.emplace_back(kv.substr(0, eq), kv.substr(eq + 1));
        } else if (w == "--pick-tolerance") {
            std::string v;
            if (!value(w, v)) return false;
            const auto r = std::from_chars(v.data(), v.data() + v.size(), o.pickTolerance);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !(o.pickTolerance >= 0)) {
                error = "--pick-tolerance needs a number of pixels";
                return false;
            }
        } else if (w == "--progress") {
            o.answers.progress = true;
        } else if (w == "--dialect") {
            std::string key;
            if (!value(w, key)) return false;
            const std::optional<GCodeDialect> dialect = DialectOfKey(key);
            if (!dialect) {
                error = "--dialect needs winpc, grbl or linuxcnc, got " + key;
                return false;
            }
            o.dialect = *dialect;
        } else if (w == "--answer-no") {
            o.answers.yes = false;
        } else if (w == "--answer-cancel") {
            o.answers.ok = false;
        } else if (w == "--colour-pen") {
            std::string cp;
            if (!value(w, cp)) return false;
            const auto colon = cp.find(':');
            int c = 0, p = 0;
            if (colon == std::string::npos || !ParseInt(cp.substr(0, colon), c) || !ParseInt(cp.substr(colon + 1), p)) {
                error = "--colour-pen needs COLOUR:PEN";
                return false;
            }
            o.answers.colourPens[c] = p;
        } else if (w == "--max-points") {
            std::string n;
            if (!value(w, n)) return false;
            if (!ParseInt(n, o.answers.maxPoints) || (o.answers.maxPoints != 0 && !MaxOutInRange(o.answers.maxPoints))) {
                error = "--max-points needs 0 or 10..250, got " + n;
                return false;
            }
        } else if (IsToolOption(w)) {
            std::string v;
            if (!value(w, v)) return false;
            AppEdit edit;
            ParseToolOption(w, v, edit, error);
            if (!edit) return false;
            o.toolEdits.push_back(std::move(edit));
        } else if (IsOption(w)) {
            error = "unknown option " + w;
            return false;
        } else {
            const StepSpec* kind = FindStep(w);
            if (!kind) {
                error = "unknown step " + w;
                return false;
            }
            PlannedStep step{kind, {}};
            for (int n = 0; n < kind->minArgs; ++n) {
                if (i + 1 >= a.size()) {
                    error = std::string("step ") + kind->name + " needs " + std::to_string(kind->minArgs) + " argument(s)";
                    return false;
                }
                step.args.push_back(a[++i]);
            }
            while (kind->maxArgs < 0 || static_cast<int>(step.args.size()) < kind->maxArgs) {
                if (i + 1 >= a.size() || IsOption(a[i + 1]) || FindStep(a[i + 1])) break;
                step.args.push_back(a[++i]);
            }
            o.steps.push_back(std::move(step));
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    std::string error;
    if (!Parse(argc, argv, options, error)) {
        std::cerr << "quenk-cli: " << error << '\n';
        Usage(std::cerr);
        return 2;
    }
    if (options.help) {
        Usage(std::cout);
        return 0;
    }

    CliInteraction ui(std::cerr, options.answers);
    ScopedInteraction installed(ui);

    CQuenkApp app;
    if (!LoadCliSettings(app, options.settingsPath, error)) {
        std::cerr << "quenk-cli: " << error << '\n';
        return 1;
    }
    for (const auto& [name, value] : options.sets) {
        if (!SetSetting(app, name, value, error)) {
            std::cerr << "quenk-cli: --set " << name << ": " << error << '\n';
            return 2;
        }
    }
    for (const AppEdit& edit : options.toolEdits) {
        if (!edit(app, error)) {
            std::cerr << "quenk-cli: " << error << '\n';
            return 2;
        }
    }

    CQuenkDoc doc(app);
    CliContext context{app, doc, ui, std::cout, options.pickTolerance, options.dialect};
    for (const PlannedStep& step : options.steps) {
        if (!step.kind->run(context, step.args, error)) {
            std::cerr << "quenk-cli: " << step.kind->name << ": " << error << '\n';
            return 1;
        }
    }

    if (!options.writeSettingsPath.empty() && !WriteCliSettings(app, options.writeSettingsPath, error)) {
        std::cerr << "quenk-cli: " << error << '\n';
        return 1;
    }
    return 0;
}
