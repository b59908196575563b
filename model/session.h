#pragma once
// The process-wide context of the core: which front end answers, and the counters that the
// program keeps across documents. The program runs all work on one thread, so a single
// session is enough; tests install their scripted double with ScopedInteraction.

#include "model/interaction.h"

struct Session {
    Interaction* ui = nullptr;
    // Showings of "Kann Drehrichtung nicht feststellen" since the last document was created.
    int directionWarnings = 0;
};

Session& CurrentSession();
Interaction& Ui();

// The message "Kann Drehrichtung nicht feststellen", shown at most kMaxDirectionWarnings
// times after a document was created.
inline constexpr int kMaxDirectionWarnings = 5;
void WarnDirectionUndeterminable();

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
