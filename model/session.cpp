#include "model/session.h"

#include "model/texts.h"

namespace {
SilentInteraction g_silent;
}

Session& CurrentSession() {
    static Session session;
    return session;
}

Interaction& Ui() {
    Session& s = CurrentSession();
    return s.ui ? *s.ui : g_silent;
}

void WarnDirectionUndeterminable() {
    Session& s = CurrentSession();
    if (s.directionWarnings < kMaxDirectionWarnings) {
        ++s.directionWarnings;
        Ui().Message(texts::kDirectionUndeterminable);
    }
}

ScopedInteraction::ScopedInteraction(Interaction& ui) : m_previous(CurrentSession().ui) {
    CurrentSession().ui = &ui;
}

ScopedInteraction::~ScopedInteraction() { CurrentSession().ui = m_previous; }
