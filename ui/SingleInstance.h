#pragma once
// One running program per user: a lock file in the user's runtime directory
// decides which process is the instance, and a local socket there (readable
// and writable by the user alone) carries open requests to it.
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;

namespace vormid {

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // directory: where the lock and the socket live (the user's runtime
    // directory when empty).
    explicit TSingleInstance(const QString& directory = QString(), QObject* parent = nullptr);
    ~TSingleInstance() override;

    // Takes the lock; false when another live process holds it (or the
    // directory is unusable). Needs no application object.
    bool TryLock();
    // Starts listening for requests (after TryLock, with an application
    // object); returns whether the socket is open.
    bool Listen();

    // Sends a request to the running instance, waiting up to timeoutMs for
    // it to accept; returns whether the request was delivered.
    bool SendRequest(const QString& request, int timeoutMs = 5000) const;

    QString SocketPath() const;
    QString LockPath() const;

    // Requests larger than this are dropped unread.
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;

signals:
    // One request: the lines that a client sent before closing.
    void requestReceived(const QStringList& lines);

private:
    void Accept();

    QString directory_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool listening_ = false;
};

}  // namespace vormid
