#include "editor/shell/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace editor {

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kActivate = QByteArrayLiteral("activate\n");

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject *parent)
    : QObject(parent), m_name(std::move(serverName))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME", QStringLiteral("user"));
    return QStringLiteral("TMainLumivelle3000-") + user;
}

bool SingleInstance::otherInstanceRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    return socket.waitForConnected(kConnectTimeoutMs);
}

bool SingleInstance::activateOtherInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivate);
    const bool written = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    // The name is checked first: a server bound through a temporary file would replace
    // the socket of a running editor instead of failing.
    if (otherInstanceRunning())
        return false;
    auto *server = new QLocalServer(this);
    if (!server->listen(m_name)) {
        // A name nobody answers on was left by a process that ended without cleaning up.
        if (server->serverError() != QAbstractSocket::AddressInUseError || otherInstanceRunning()) {
            delete server;
            return false;
        }
        QLocalServer::removeServer(m_name);
        if (!server->listen(m_name)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    return true;
}

void SingleInstance::readRequest()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kActivate.trimmed()))
                emit activationRequested();
        });
    }
}

} // namespace editor
