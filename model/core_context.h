#pragma once
// The process-wide context of the core: which front end answers, and the counters that the
// program keeps across documents. Only the program's main thread talks to the front end, so a
// single context is enough; chain work on helper threads returns its direction messages as
// notes for the main thread to show (below). Tests install their scripted double with
// ScopedInteraction.

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/interaction.h"

struct CoreContext {
    Interaction* ui = nullptr;
    // Showings of "Kann Drehrichtung nicht feststellen" since the last document was created.
    int directionWarnings = 0;
    // The least time between two progress reports of long work (model/progress.h).
    std::chrono::milliseconds progressInterval{100};
};

CoreContext& CurrentContext();
Interaction& Ui();

// The message "Kann Drehrichtung nicht feststellen", shown at most kMaxDirectionWarnings
// times after a document was created.
inline constexpr int kMaxDirectionWarnings = 5;
void WarnDirectionUndeterminable();

// The messages a chain's direction test can find. The chain work only notes them; the
// command that ran the work shows them, in the order of a plain walk over the chains, on the
// thread that talks to the front end.
enum class DirectionNote : std::uint8_t { None, ChainTooSmall, Undeterminable };

// The notes of a piece of chain work in the order the work found them; None is not kept.
// Work on several threads keeps one list per piece and joins them in the order of the pieces.
class DirectionNotes {
public:
    void Add(DirectionNote note) {
        if (note != DirectionNote::None) m_notes.push_back(note);
    }
    void Append(const DirectionNotes& later) { m_notes.insert(m_notes.end(), later.m_notes.begin(), later.m_notes.end()); }
    const std::vector<DirectionNote>& All() const { return m_notes; }

private:
    std::vector<DirectionNote> m_notes;
};

// Shows the message of a note: " Vektor zu klein " always, "Kann Drehrichtung nicht
// feststellen" through the counter above.
void ShowDirectionNote(DirectionNote note);
void ShowDirectionNotes(const DirectionNotes& notes);
// Runs work with an empty list and then shows what it noted, also when it throws.
void ShowingNotes(const std::function<void(DirectionNotes&)>& work);

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
