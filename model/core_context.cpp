#include "model/core_context.h"

#include "model/texts.h"

namespace {
SilentInteraction g_silent;
thread_local DirectionNoteLog* t_directionNotes = nullptr;
}

CoreContext& CurrentContext() {
    static CoreContext context;
    return context;
}

Interaction& Ui() {
    CoreContext& s = CurrentContext();
    return s.ui ? *s.ui : g_silent;
}

void WarnDirectionUndeterminable() {
    CoreContext& s = CurrentContext();
    if (s.directionWarnings < kMaxDirectionWarnings) {
        ++s.directionWarnings;
        Ui().Message(texts::kDirectionUndeterminable);
    }
}

void ShowDirectionNote(DirectionNote note) {
    if (note == DirectionNote::None) return;
    if (t_directionNotes) {
        t_directionNotes->push_back(note);
        return;
    }
    if (note == DirectionNote::ChainTooSmall)
        Ui().Message(texts::kChainTooSmall);
    else
        WarnDirectionUndeterminable();
}

void ShowDirectionNotes(const DirectionNoteLog& log) {
    for (DirectionNote note : log) ShowDirectionNote(note);
}

ScopedDirectionNoteLog::ScopedDirectionNoteLog(DirectionNoteLog& log) : m_previous(t_directionNotes) {
    t_directionNotes = &log;
}

ScopedDirectionNoteLog::~ScopedDirectionNoteLog() { t_directionNotes = m_previous; }

ScopedInteraction::ScopedInteraction(Interaction& ui) : m_previous(CurrentContext().ui) {
    CurrentContext().ui = &ui;
}

ScopedInteraction::~ScopedInteraction() { CurrentContext().ui = m_previous; }
