#pragma once
// The process-wide context of the core: which front end answers, and the counters that the
// program keeps across documents. Only the program's main thread talks to the front end, so a
// single context is enough; chain work on helper threads logs its direction messages for the
// main thread to show (below). Tests install their scripted double with ScopedInteraction.

#include <cstdint>
#include <vector>

#include "model/interaction.h"

struct CoreContext {
    Interaction* ui = nullptr;
    // Showings of "Kann Drehrichtung nicht feststellen" since the last document was created.
    int directionWarnings = 0;
};

CoreContext& CurrentContext();
Interaction& Ui();

// The message "Kann Drehrichtung nicht feststellen", shown at most kMaxDirectionWarnings
// times after a document was created.
inline constexpr int kMaxDirectionWarnings = 5;
void WarnDirectionUndeterminable();

// The messages a chain's direction test can show.
enum class DirectionNote : std::uint8_t { None, ChainTooSmall, Undeterminable };

// Shows the message of a note ("Kann Drehrichtung nicht feststellen" through the counter
// above), or records it when a log is installed on this thread.
void ShowDirectionNote(DirectionNote note);

// Chain work that runs on several threads records its direction messages here instead of
// showing them; the log is then shown in the order of the plain single-threaded walk. The
// direction messages are the only ones a chain's recomputation can show.
using DirectionNoteLog = std::vector<DirectionNote>;
void ShowDirectionNotes(const DirectionNoteLog& log);

// Installs a log on the calling thread for the lifetime of the object.
class ScopedDirectionNoteLog {
public:
    explicit ScopedDirectionNoteLog(DirectionNoteLog& log);
    ~ScopedDirectionNoteLog();
    ScopedDirectionNoteLog(const ScopedDirectionNoteLog&) = delete;
    ScopedDirectionNoteLog& operator=(const ScopedDirectionNoteLog&) = delete;

private:
    DirectionNoteLog* m_previous;
};

// Installs a front end for the lifetime of the object and restores the previous one after.
class ScopedInteraction {
public:
    explicit ScopedInteraction(Interaction& ui);
    ~ScopedInteraction();
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;

private:
    Interaction* m_previous;
};
