#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace dryer::shell {

QString socket_name_for_root(const QString& root) {
    QFileInfo info(root);
    const QString canonical = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("dryer-panel-") + QString::fromLatin1(hash);
}

SingleInstance::SingleInstance(const QString& root, QObject* parent)
    : QObject(parent), name_(socket_name_for_root(root)) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            s->disconnectFromServer();
            emit activation_requested();
        }
    });
}

bool SingleInstance::claim() {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        // The running copy comes to the front when it sees the connection.
        probe.disconnectFromServer();
        return false;
    }
    if (server_.listen(name_)) return true;
    // A socket left behind by a copy that did not end normally.
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

}  // namespace dryer::shell
