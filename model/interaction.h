#pragma once
// Everything the core wants to show or ask goes through this one interface: the desktop
// program answers with Qt dialogs, quenk-cli with flags and stderr, the tests with a
// scripted double. The core itself never prints, never exits and never blocks on a user.
// All texts are UTF-8; they are the program's own German texts, byte for byte.

#include <cstddef>
#include <optional>
#include <string>

struct FileQuestion {
    std::string title;             // dialog caption, may be empty
    std::string filter;            // the program's filter text, e.g. " HPGL (.plt) |*.plt||"
    std::string defaultExtension;  // without the dot, e.g. "nc"
    std::string suggestedName;     // file name offered to the user
};

// Dialogs the core asks the front end to open; the front end edits the application state
// and returns whether the user confirmed.
enum class DialogRequest {
    Settings,  // "Einstellungen"
    Tools,     // the tools dialog
    MillingHelp,  // "Hilfe zum Fräsen": milling is not possible yet
    Material,     // "Material", the material data of the milling job
    ToolData,     // the tool data of milling mode: depth and speeds per tool
};

class Interaction {
public:
    virtual ~Interaction() = default;

    // A plain message box with an OK button.
    virtual void Message(const std::string& text) = 0;
    // Yes/No question; true means Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // OK/Cancel question; true means OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // File questions; nothing means cancelled.
    virtual std::optional<std::string> AskOpenFile(const FileQuestion& q) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileQuestion& q) = 0;
    // "DWG-Farbe -> Stiftnummer": which pen (1..16) takes this CAD colour; nothing = cancelled.
    virtual std::optional<int> AskPenForColour(int colourIndex) = 0;
    // Opens one of the application's dialogs; true when the user confirmed it.
    virtual bool OpenDialog(DialogRequest which) = 0;

    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // All views should repaint from the document.
    virtual void RequestRedraw() = 0;
    // Long work has done `done` of `total` steps. Called on the thread that owns the front end
    // only, and through ProgressTicker (model/progress.h), which keeps the calls rare; a front
    // end that shows nothing of it ignores it.
    virtual void Progress(std::size_t /*done*/, std::size_t /*total*/) {}

    // The serial controller's confirmations before a start: the safety notice (`CLotrixInfo`,
    // "Ich stimme zu" / "Nicht einverstanden") and the start set-up (`CLotrixSet`, "OK" /
    // "Abbrechen"); their texts are in output/handoff.h. True means go on; a front end that
    // cannot ask does not go on.
    virtual bool ConfirmLotrixInfo() { return false; }
    virtual bool ConfirmLotrixSet() { return false; }
};

// Shows the wait cursor for the lifetime of the object, also when an exception leaves the scope.
class WaitCursor {
public:
    explicit WaitCursor(Interaction& ui) : m_ui(ui) { m_ui.BeginWait(); }
    ~WaitCursor() { m_ui.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Interaction& m_ui;
};

// Answers every question with its default (Yes, OK, no file, no pen) and shows nothing.
// The core starts with it so that a library user without a front end never blocks.
class SilentInteraction : public Interaction {
public:
    void Message(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
    bool AskOkCancel(const std::string&) override { return true; }
    std::optional<std::string> AskOpenFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFile(const FileQuestion&) override { return std::nullopt; }
    std::optional<int> AskPenForColour(int) override { return std::nullopt; }
    bool OpenDialog(DialogRequest) override { return false; }
    void BeginWait() override {}
    void EndWait() override {}
    void RequestRedraw() override {}
};
