// One panel per panel root: the first copy listens on a local socket named
// after the root; a later copy asks it to come to the front and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace dryer::shell {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& root, QObject* parent = nullptr);
    // claim() returns true when this copy is the only one (it then
    // listens for later copies), and false after asking the running copy
    // to come to the front.
    bool claim();
    QString socket_name() const { return name_; }

signals:
    void activation_requested();

private:
    QString name_;
    QLocalServer server_;
};

// socket_name_for_root() returns the local socket name for a panel root.
QString socket_name_for_root(const QString& root);

}  // namespace dryer::shell
