// Registration of a dialog's buttons with the auto-repeat service.
#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>

#include "shell/auto_repeat.h"

namespace dryer::shell {

// register_repeat_buttons() serves `buttons` (in test order) as
// auto-repeat `group` while `window` is shown: a held button clicks again
// every 100 ms after 500 ms. The group is dropped when `window` is destroyed.
bool register_repeat_buttons(AutoRepeat& service, int group, QWidget* window, const QList<QAbstractButton*>& buttons);

}  // namespace dryer::shell
