#pragma once
// The tests' front end: answers questions from a script and records, in order, every text a
// user would have seen. Install it with ScriptedSession, which also resets the counters of
// the session so that tests do not see each other's warnings.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/interaction.h"
#include "model/core_context.h"

class ScriptedInteraction : public Interaction {
public:
    // Every message, question and file question, in order. Questions are recorded as their
    // text; file questions as "open: <filter>" or "save: <suggested name>".
    std::vector<std::string> shown;
    std::vector<DialogRequest> dialogs;
    int waitDepth = 0;
    int maxWaitDepth = 0;
    int redraws = 0;
    // Every progress report, as (done, total), in order.
    std::vector<std::pair<std::size_t, std::size_t>> progress;

    // Answers, consumed in order; when a queue is empty the default is used.
    std::deque<bool> yesNo;          // default Yes
    std::deque<bool> okCancel;       // default OK
    std::deque<std::optional<std::string>> files;  // default cancel
    std::deque<std::optional<int>> pens;           // default cancel
    std::deque<bool> dialogAnswers;  // default cancel
    std::deque<bool> lotrix;         // CLotrixInfo, CLotrixSet in turn; default OK

    void Message(const std::string& text) override { shown.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        shown.push_back(text);
        return Next(yesNo, true);
    }
    bool AskOkCancel(const std::string& text) override {
        shown.push_back(text);
        return Next(okCancel, true);
    }
    std::optional<std::string> AskOpenFile(const FileQuestion& q) override {
        shown.push_back("open: " + q.filter);
        return Next(files, std::optional<std::string>{});
    }
    std::optional<std::string> AskSaveFile(const FileQuestion& q) override {
        shown.push_back("save: " + q.suggestedName);
        return Next(files, std::optional<std::string>{});
    }
    std::optional<int> AskPenForColour(int colourIndex) override {
        shown.push_back("DWG-Farbe -> Stiftnummer " + std::to_string(colourIndex));
        return Next(pens, std::optional<int>{});
    }
    bool OpenDialog(DialogRequest which) override {
        dialogs.push_back(which);
        return Next(dialogAnswers, false);
    }
    void BeginWait() override {
        ++waitDepth;
        if (waitDepth > maxWaitDepth) maxWaitDepth = waitDepth;
    }
    void EndWait() override { --waitDepth; }
    void RequestRedraw() override { ++redraws; }
    void Progress(std::size_t done, std::size_t total) override { progress.emplace_back(done, total); }
    bool ConfirmLotrixInfo() override { return (shown.push_back("CLotrixInfo"), Next(lotrix, true)); }
    bool ConfirmLotrixSet() override { return (shown.push_back("CLotrixSet"), Next(lotrix, true)); }

private:
    template <typename T>
    static T Next(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

class ScriptedSession {
public:
    ScriptedSession() : m_install(ui) { CurrentContext().directionWarnings = 0; }
    ScriptedInteraction ui;

private:
    ScopedInteraction m_install;
};
