#include "cli/cli_interaction.h"

#include <initializer_list>

#include "model/progress.h"
#include "output/handoff.h"

void CliInteraction::Message(const std::string& text) { m_err << text << '\n'; }

bool CliInteraction::AskYesNo(const std::string& text) {
    m_err << text << (m_answers.yes ? " -> Ja" : " -> Nein") << '\n';
    return m_answers.yes;
}

bool CliInteraction::AskOkCancel(const std::string& text) {
    m_err << text << (m_answers.ok ? " -> OK" : " -> Abbrechen") << '\n';
    return m_answers.ok;
}

std::optional<std::string> CliInteraction::TakeFile() {
    std::optional<std::string> f = std::move(m_nextFile);
    m_nextFile.reset();
    return f;
}

std::optional<std::string> CliInteraction::AskOpenFile(const FileQuestion&) { return TakeFile(); }

std::optional<std::string> CliInteraction::AskSaveFile(const FileQuestion&) { return TakeFile(); }

std::optional<int> CliInteraction::AskPenForColour(int colourIndex) {
    const auto it = m_answers.colourPens.find(colourIndex);
    m_err << "DWG-Farbe -> Stiftnummer: Farbe " << colourIndex;
    if (it == m_answers.colourPens.end()) {
        m_err << " -> Abbrechen\n";
        return std::nullopt;
    }
    m_err << " -> Stift " << it->second << '\n';
    return it->second;
}

bool CliInteraction::OpenDialog(DialogRequest) {
    // Dialogs have no headless form; the values come from --set instead.
    return false;
}

namespace {
bool Confirm(std::ostream& err, std::initializer_list<const char*> lines, bool ok, const char* yes, const char* no) {
    for (const char* line : lines) err << line << '\n';
    err << "-> " << (ok ? yes : no) << '\n';
    return ok;
}
}  // namespace

bool CliInteraction::ConfirmLotrixInfo() {
    const auto& l = texts::kLotrixInfoLines;
    return Confirm(m_err, {l[0], l[1], l[2], l[3]}, m_answers.ok, texts::kLotrixInfoAgree, texts::kLotrixInfoDisagree);
}

bool CliInteraction::ConfirmLotrixSet() {
    return Confirm(m_err, {texts::kLotrixSetText}, m_answers.ok, texts::kLotrixSetOk, texts::kLotrixSetCancel);
}

void CliInteraction::Progress(std::size_t done, std::size_t total) {
    // Off by default: the lines would come between the messages that scripts compare.
    if (!m_answers.progress) return;
    m_err << "progress " << ProgressPercent(done, total) << " %\n";
}
