#pragma once
// Answers the next modal dialog of a command under test: act runs on it as soon as it shows
// and closes it (accept or reject), so the command's exec() returns.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

inline void OnNextModal(std::function<void(QDialog&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(*d);
    });
    timer->start();
}

inline void AcceptNextModal() {
    OnNextModal([](QDialog& d) { d.accept(); });
}
