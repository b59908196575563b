#include "model/core_context.h"

#include "model/texts.h"

namespace {
SilentInteraction g_silent;
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
    if (note == DirectionNote::ChainTooSmall)
        Ui().Message(texts::kChainTooSmall);
    else if (note == DirectionNote::Undeterminable)
        WarnDirectionUndeterminable();
}

void ShowDirectionNotes(const DirectionNotes& notes) {
    for (DirectionNote note : notes.All()) ShowDirectionNote(note);
}

void ShowingNotes(const std::function<void(DirectionNotes&)>& work) {
    DirectionNotes notes;
    try {
        work(notes);
    } catch (...) {
        ShowDirectionNotes(notes);
        throw;
    }
    ShowDirectionNotes(notes);
}

ScopedInteraction::ScopedInteraction(Interaction& ui) : m_previous(CurrentContext().ui) {
    CurrentContext().ui = &ui;
}

ScopedInteraction::~ScopedInteraction() { CurrentContext().ui = m_previous; }
