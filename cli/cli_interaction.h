#pragma once
// quenk-cli's front end: every message box text becomes one line on stderr; questions are
// answered from the command line's options and printed with their answer.

#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "model/interaction.h"
#include "output/profile.h"

struct CliAnswers {
    bool yes = true;           // answer to Yes/No questions
    bool ok = true;            // answer to OK/Cancel questions
    std::map<int, int> colourPens;  // CAD colour -> pen for "DWG-Farbe -> Stiftnummer"
    int maxPoints = kMaxOutDefault;  // "Info Profil": "Maximale Ausgangspunkte", 0 = Cancel
    bool progress = false;  // long work reports "progress N %" lines on stderr
};

class CliInteraction : public Interaction {
public:
    CliInteraction(std::ostream& err, CliAnswers answers) : m_err(err), m_answers(std::move(answers)) {}

    // The next file question is answered with this path (steps that write files set it).
    void SetNextFile(std::string path) { m_nextFile = std::move(path); }

    void Message(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    std::optional<std::string> AskOpenFile(const FileQuestion& q) override;
    std::optional<std::string> AskSaveFile(const FileQuestion& q) override;
    std::optional<int> AskPenForColour(int colourIndex) override;
    bool OpenDialog(DialogRequest which) override;
    void BeginWait() override {}
    void EndWait() override {}
    void RequestRedraw() override {}
    void Progress(std::size_t done, std::size_t total) override;
    bool ConfirmLotrixInfo() override;
    bool ConfirmLotrixSet() override;

    const CliAnswers& Answers() const { return m_answers; }
    std::ostream& Err() { return m_err; }

private:
    std::optional<std::string> TakeFile();

    std::ostream& m_err;
    CliAnswers m_answers;
    std::optional<std::string> m_nextFile;
};
