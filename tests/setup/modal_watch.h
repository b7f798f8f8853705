// Test helper: acting on a modal dialog once it is up, from inside its loop.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace dryer::setup::test {

// on_next_modal() runs act on the next modal widget other than
// previous, once it is up. Deleting the returned timer calls the watch off.
inline QPointer<QTimer> on_next_modal(QWidget* previous, std::function<void(QWidget*)> act) {
    auto* t = new QTimer(qApp);
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, previous, act] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m || m == previous) return;
        t->stop();
        t->deleteLater();
        act(m);
    });
    t->start();
    return t;
}

}  // namespace dryer::setup::test
