#include "shell/auto_repeat_widgets.h"

#include <QPointer>

namespace dryer::shell {

bool register_repeat_buttons(AutoRepeat& service, int group, QWidget* window, const QList<QAbstractButton*>& buttons) {
    if (!window) return false;
    std::vector<RepeatButton> entries;
    for (QAbstractButton* b : buttons) {
        QPointer<QAbstractButton> p(b);
        entries.push_back({[p] { return p && p->isDown(); },
                           // The clicked signal alone: click() would release the held button.
                           [p] {
                               if (p) QMetaObject::invokeMethod(p, "clicked", Qt::DirectConnection, Q_ARG(bool, false));
                           }});
    }
    QPointer<QWidget> w(window);
    const bool ok = service.register_group(group, [w] { return w && w->isVisible(); }, std::move(entries));
    if (ok) QObject::connect(window, &QObject::destroyed, [&service, group] { service.unregister_group(group); });
    return ok;
}

}  // namespace dryer::shell
