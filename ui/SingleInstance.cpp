#include "ui/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace vormid {

TSingleInstance::TSingleInstance(const QString& directory, QObject* parent) : QObject(parent), directory_(directory) {
    if (directory_.isEmpty()) directory_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory_.isEmpty()) directory_ = QDir::tempPath() + QStringLiteral("/vormid-") + qEnvironmentVariable("USER");
}

TSingleInstance::~TSingleInstance() {
    if (server_) server_->close();
}

QString TSingleInstance::SocketPath() const { return directory_ + QStringLiteral("/vormid.socket"); }
QString TSingleInstance::LockPath() const { return directory_ + QStringLiteral("/vormid.lock"); }

bool TSingleInstance::TryLock() {
    if (lock_) return true;
    QDir().mkpath(directory_);
    // The directory holds the socket: only its owner may enter it.
    QFile::setPermissions(directory_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    lock_ = std::make_unique<QLockFile>(LockPath());
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    return true;
}

bool TSingleInstance::Listen() {
    if (!lock_) return false;
    if (listening_) return true;
    // Holding the lock, any socket file left behind is a crashed instance's.
    QLocalServer::removeServer(SocketPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
    listening_ = server_->listen(SocketPath());
    return listening_;
}

void TSingleInstance::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > kMaxRequestBytes) {
                buffer->clear();
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            socket->deleteLater();
            if (buffer->isEmpty() || buffer->size() > kMaxRequestBytes) return;
            QStringList lines;
            for (const QByteArray& line : buffer->split('\n')) {
                QString text = QString::fromUtf8(line);
                if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
                if (!text.isEmpty()) lines << text;
            }
            if (!lines.isEmpty()) emit requestReceived(lines);
        });
    }
}

bool TSingleInstance::SendRequest(const QString& request, int timeoutMs) const {
    QElapsedTimer timer;
    timer.start();
    // The instance may still be starting: its lock exists before its socket.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(std::max(100, int(timeoutMs - timer.elapsed())))) {
            socket.write(request.toUtf8() + '\n');
            bool written = socket.waitForBytesWritten(timeoutMs);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
            return written;
        }
        if (timer.elapsed() >= timeoutMs) return false;
        QThread::msleep(50);
    }
}

}  // namespace vormid
