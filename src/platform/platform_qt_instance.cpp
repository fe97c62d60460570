// SPDX-License-Identifier: GPL-3.0-or-later
// One instance per user: a lock file decides who is first; the first listens
// on a local socket, and a later start connects to say that the hand-over
// file is ready.
//
// All three live in the user's private runtime directory (owned by the user,
// mode 0700), so no other user can take the lock, squat on the socket's name,
// connect to it or plant a hand-over; the socket itself is also made
// user-only. A connection counts only when it says exactly "open\n":
// anything else is dropped unread.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform_qt.h"

namespace sc::platform {
namespace {

const QByteArray kOpenNotice = "open\n";

struct Instance {
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
    WindowId notifyWindow = kNoWindow;
    int pendingNotices = 0;  // arrived before there was a window to tell
    int connectionsEnded = 0;
};

Instance& instance() {
    static Instance i;
    return i;
}

// A directory only this user can enter: the runtime directory (Qt checks its
// owner and mode, and makes a private one under the temporary directory when
// the session has none). Empty when no such directory can be had.
QString privateDirectory() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) return {};
    struct stat st {};
    const QByteArray native = QFile::encodeName(dir);
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return {};
    }
    return dir;
}

void notify() {
    Instance& i = instance();
    if (!windowExists(i.notifyWindow)) {
        ++i.pendingNotices;
        return;
    }
    Message m;
    m.kind = MessageKind::HandOver;
    m.window = i.notifyWindow;
    postMessage(m);
}

// Reads what a connection says, a little at a time and never more than the
// notice's length: the notice counts once, anything else ends the connection.
void listenTo(QLocalSocket* socket) {
    auto received = std::make_shared<QByteArray>();
    QObject::connect(socket, &QObject::destroyed, [] { ++instance().connectionsEnded; });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, received] {
        while (socket->bytesAvailable() > 0 && received->size() < kOpenNotice.size()) {
            received->append(socket->read(kOpenNotice.size() - received->size()));
        }
        if (!kOpenNotice.startsWith(*received)) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        if (*received == kOpenNotice) {
            received->append('.');  // counted; later bytes no longer match
            notify();
            socket->disconnectFromServer();
        }
    });
}

}  // namespace

QString qt::instanceSocketPath(const std::string& name) {
    const QString dir = privateDirectory();
    if (dir.isEmpty()) return {};
    return QDir(dir).filePath(QString::fromStdString(name));
}

InstanceRole acquireSingleInstance(const std::string& name) {
    Instance& i = instance();
    const QString socketPath = qt::instanceSocketPath(name);
    // Without a private directory there is no safe place to meet: every start
    // runs on its own.
    if (socketPath.isEmpty()) return InstanceRole::First;
    i.lock = std::make_unique<QLockFile>(socketPath + ".lock");
    i.lock->setStaleLockTime(0);  // a lock whose process has gone is taken over
    if (!i.lock->tryLock(200)) {
        i.lock.reset();
        return InstanceRole::Second;
    }
    // A socket left behind by a crashed first instance is removed first.
    QLocalServer::removeServer(socketPath);
    i.server = std::make_unique<QLocalServer>();
    i.server->setSocketOptions(QLocalServer::UserAccessOption);
    if (i.server->listen(socketPath)) {
        QObject::connect(i.server.get(), &QLocalServer::newConnection, i.server.get(), [] {
            while (QLocalSocket* s = instance().server->nextPendingConnection()) listenTo(s);
        });
    }
    return InstanceRole::First;
}

void setHandOverWindow(WindowId window) {
    Instance& i = instance();
    i.notifyWindow = window;
    if (!windowExists(window)) return;
    const int pending = i.pendingNotices;
    i.pendingNotices = 0;
    for (int n = 0; n < pending; ++n) notify();
}

bool notifyFirstInstance(const std::string& name) {
    const QString socketPath = qt::instanceSocketPath(name);
    if (socketPath.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(2000)) return false;
    socket.write(kOpenNotice);
    socket.waitForBytesWritten(1000);
    // Disconnecting writes whatever is still pending first.
    socket.disconnectFromServer();
    return true;
}

int qt::instanceConnectionsEnded() { return instance().connectionsEnded; }

std::string runtimeFilePath(const std::string& fileName) {
    const QString path = qt::instanceSocketPath(fileName);
    return path.isEmpty() ? std::string() : QFile::encodeName(path).toStdString();
}

void releaseSingleInstance() {
    Instance& i = instance();
    if (i.server) i.server->close();
    i.server.reset();
    if (i.lock) i.lock->unlock();
    i.lock.reset();
}

}  // namespace sc::platform
