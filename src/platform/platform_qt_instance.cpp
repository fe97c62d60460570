// One instance per user: a lock file decides who is first; the first listens
// on a per-user local socket, and a later start connects to say that the
// hand-over file is ready.
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <memory>
#include <unistd.h>

#include "platform/platform_qt.h"

namespace sc::platform {
namespace {

struct Instance {
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QLocalServer> server;
    WindowId notifyWindow = kNoWindow;
    int pendingNotices = 0;  // arrived before there was a window to tell
};

Instance& instance() {
    static Instance i;
    return i;
}

// Per-user names in the user's temporary directory.
QString serverName(const std::string& name) {
    return QString::fromStdString(name) + "-" + QString::number(getuid());
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

}  // namespace

InstanceRole acquireSingleInstance(const std::string& name) {
    Instance& i = instance();
    const QString id = serverName(name);
    i.lock = std::make_unique<QLockFile>(QDir::temp().filePath(id + ".lock"));
    i.lock->setStaleLockTime(0);  // a lock whose process has gone is taken over
    if (!i.lock->tryLock(200)) {
        i.lock.reset();
        return InstanceRole::Second;
    }
    // A server left behind by a crashed first instance is removed first.
    QLocalServer::removeServer(id);
    i.server = std::make_unique<QLocalServer>();
    i.server->setSocketOptions(QLocalServer::UserAccessOption);
    if (i.server->listen(id)) {
        QObject::connect(i.server.get(), &QLocalServer::newConnection, i.server.get(), [] {
            Instance& in = instance();
            while (QLocalSocket* s = in.server->nextPendingConnection()) {
                QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                s->disconnectFromServer();
                notify();
            }
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
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(2000)) return false;
    socket.write("open\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

void releaseSingleInstance() {
    Instance& i = instance();
    if (i.server) i.server->close();
    i.server.reset();
    if (i.lock) i.lock->unlock();
    i.lock.reset();
}

}  // namespace sc::platform
