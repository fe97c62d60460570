// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt application: start, the clock and the pacing of the main loop,
// the keyboard watch, and the desktop services.
#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <memory>
#include <set>
#include <thread>

#include "platform/platform_qt.h"

namespace sc::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;

// How long openUrl waits for the desktop's opener to start and to answer.
constexpr int kOpenerStartMilliseconds = 2000;
constexpr int kOpenerAnswerMilliseconds = 1500;

const SteadyClock::time_point g_epoch = SteadyClock::now();
std::unique_ptr<QApplication> g_app;

// The desktop's messages while the application starts.
QStringList g_startMessages;

void startMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        g_startMessages.append(text);
        return;
    }
    // The first message usually says why (no DISPLAY, a display that does
    // not answer); the fatal one only that no platform could start.
    const auto unset = [](const char* name) { return qEnvironmentVariableIsEmpty(name); };
    const QString reason = unset("DISPLAY") && unset("WAYLAND_DISPLAY") ? QStringLiteral("DISPLAY is not set")
                           : g_startMessages.isEmpty()                  ? text.section('\n', 0, 0)
                                                                        : g_startMessages.first();
    std::fprintf(stderr, "smudgecraft: cannot open a display (%s)\n", qPrintable(reason));
    std::fflush(stderr);
    std::_Exit(1);
}

// The program's key for a Qt key; Key::None for keys the program ignores.
Key programKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return characterKey(static_cast<char>('A' + (key - Qt::Key_A)));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return characterKey(static_cast<char>('0' + (key - Qt::Key_0)));
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeys) return functionKey(1 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Space: return Key::Space;
        case Qt::Key_Control: return Key::Control;
        case Qt::Key_Shift: return Key::Shift;
        case Qt::Key_Alt: return Key::Alt;
        case Qt::Key_Escape: return Key::Escape;
        case Qt::Key_Return:
        case Qt::Key_Enter: return Key::Enter;
        case Qt::Key_Tab: return Key::Tab;
        case Qt::Key_Backspace: return Key::Backspace;
        case Qt::Key_Delete: return Key::Delete;
        case Qt::Key_Insert: return Key::Insert;
        case Qt::Key_Home: return Key::Home;
        case Qt::Key_End: return Key::End;
        case Qt::Key_PageUp: return Key::PageUp;
        case Qt::Key_PageDown: return Key::PageDown;
        case Qt::Key_Left: return Key::Left;
        case Qt::Key_Up: return Key::Up;
        case Qt::Key_Right: return Key::Right;
        case Qt::Key_Down: return Key::Down;
        case Qt::Key_Plus:
        case Qt::Key_Equal: return Key::Plus;
        case Qt::Key_Minus:
        case Qt::Key_Underscore: return Key::Minus;
        default: return Key::None;
    }
}

// Keys go to the splash while one is up, to a floating panel that has the
// focus, and otherwise to the frame.
WindowId keyTarget(QObject* receiver) {
    WindowId frame = kNoWindow;
    for (auto& [id, w] : detail::windowTable()) {
        if (w.kind == WindowKind::Splash && w.visible) return id;
        if (w.kind == WindowKind::Frame && frame == kNoWindow) frame = id;
    }
    if (auto* widget = qobject_cast<QWidget*>(receiver)) {
        const detail::WindowRecord* w = detail::findRecord(qt::windowOfWidget(widget->window()));
        if (w && w->kind == WindowKind::Floating) return w->id;
    }
    return frame;
}

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove: return true;
        default: return false;
    }
}

// The modifier keys the desktop reports held at this moment.
bool modifierHeld(Key key) {
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    switch (key) {
        case Key::Shift: return held.testFlag(Qt::ShiftModifier);
        case Key::Control: return held.testFlag(Qt::ControlModifier);
        case Key::Alt: return held.testFlag(Qt::AltModifier);
        default: return false;
    }
}

void postKey(MessageKind kind, WindowId window, Key key) {
    Message m;
    m.kind = kind;
    m.window = window;
    m.key = key;
    postMessage(m);
}

// Turns the desktop's keys into KeyDown and KeyUp messages. While a menu, a
// modal dialog or another program has the input, keys are not the program's,
// and a key released meanwhile would stay down for it (Control would stay
// held, and Z alone would undo). So the keys it was told are down are
// checked again when the input comes back: each one that is no longer held
// is released with a KeyUp. Only the modifier keys can be asked about; any
// other key counts as released (a key still held repeats its press).
class EventWatch : public QObject {
    // A frame asked to minimise where no window manager does it stays on the
    // screen, counted as minimised, with its panels hidden. Used again (a
    // click, or activated), it counts as restored: the state change brings
    // the panels back, as restoring it through a window manager does.
    static void restoreFrameOf(QObject* receiver) {
        if (!receiver->isWidgetType()) return;
        auto* frame = dynamic_cast<qt::FrameWidget*>(static_cast<QWidget*>(receiver)->window());
        if (frame && frame->isMinimized() && frame->isVisible()) {
            frame->setWindowState(frame->windowState() & ~Qt::WindowMinimized);
        }
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::WindowActivate) restoreFrameOf(receiver);
        if (e->type() == QEvent::ApplicationStateChange) {
            if (QGuiApplication::applicationState() != Qt::ApplicationActive) away_ = true;
            return false;
        }
        if (!isInput(e->type()) || !receiver->isWidgetType()) return false;
        // Menus and dialogs keep their keys.
        if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) {
            away_ = true;
            return false;
        }
        if (away_) {
            away_ = false;
            releaseKeysNoLongerHeld();
        }
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        // A key passed on from a widget to its parents is seen once.
        const Seen seen{e->type(), k->key(), k->timestamp(), k->isAutoRepeat()};
        if (seen == last_) return false;
        last_ = seen;
        // The desktop repeats a held key as release-press pairs; only presses repeat here.
        if (e->type() == QEvent::KeyRelease && k->isAutoRepeat()) return false;
        const Key key = programKey(k->key());
        if (key == Key::None) return false;
        const bool pressed = e->type() == QEvent::KeyPress;
        if (pressed) {
            down_.insert(key);
        } else {
            down_.erase(key);
        }
        postKey(pressed ? MessageKind::KeyDown : MessageKind::KeyUp, keyTarget(receiver), key);
        return false;
    }

private:
    void releaseKeysNoLongerHeld() {
        for (auto it = down_.begin(); it != down_.end();) {
            if (modifierHeld(*it)) {
                ++it;
                continue;
            }
            postKey(MessageKind::KeyUp, keyTarget(nullptr), *it);
            it = down_.erase(it);
        }
    }

    struct Seen {
        QEvent::Type type = QEvent::None;
        int key = 0;
        quint64 timestamp = 0;
        bool repeat = false;
        bool operator==(const Seen&) const = default;
    };
    Seen last_;
    std::set<Key> down_;  // keys reported down and not yet up
    bool away_ = false;   // the input went elsewhere since the last event
};

}  // namespace

namespace qt {

// The panels are tool windows that the window manager keeps with the frame
// (above it, minimised with it), so activation changes between programs
// need no message: only the frame's minimising and restoring do (StateChanged).
void installEventWatch() {
    auto* watch = new EventWatch;
    watch->setParent(qApp);
    qApp->installEventFilter(watch);
}

}  // namespace qt

bool initialise(int& argc, char** argv) {
    if (g_app) return true;
    // Without a display Qt ends the process from inside the application's
    // constructor (a fatal message, then abort). Its messages are held back
    // meanwhile; a fatal one becomes a single line and exit status 1.
    g_startMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(startMessage);
    g_app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& held : g_startMessages) std::fprintf(stderr, "%s\n", qPrintable(held));
    g_startMessages.clear();
    QApplication::setApplicationName("Smudgecraft");
    // The installed desktop entry and icon (the icon theme has none for a
    // program run from a build tree; the windows then keep Qt's own).
    QGuiApplication::setDesktopFileName("org.example.smudgecraft");
    QApplication::setWindowIcon(QIcon::fromTheme("smudgecraft"));
    QApplication::setQuitOnLastWindowClosed(false);
    qt::installEventWatch();
    return true;
}

void shutdown() {
    if (!g_app) return;
    detail::resetShared();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_app.reset();
}

void flushDisplay() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

long double clockSeconds() {
    const auto d = SteadyClock::now() - g_epoch;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count() / 1e9L;
}

std::uint32_t tickMilliseconds() {
    const auto d = SteadyClock::now() - g_epoch;
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

void sleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void endPass(long double deadline, bool mayBlock, long double wakeAt) {
    // Sleep to just before the deadline, then spin the last fraction of a
    // millisecond for precision.
    constexpr long double kSpinSeconds = 0.0004L;
    const long double left = deadline - clockSeconds();
    if (left > kSpinSeconds) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(static_cast<long long>((left - kSpinSeconds) * 1e9L)));
    }
    while (clockSeconds() < deadline) std::this_thread::yield();
    // Nothing to do until the desktop has an event: wait without a processor.
    if (mayBlock && !detail::messagePending()) {
        // A timer's event ends the wait when the program has work due.
        static QPointer<QTimer> wake;
        if (wakeAt > 0.0L) {
            if (!wake) {
                wake = new QTimer(QCoreApplication::instance());
                wake->setSingleShot(true);
            }
            const long double ms = (wakeAt - clockSeconds()) * 1000.0L;
            wake->start(static_cast<int>(std::clamp(ms + 1.0L, 0.0L, 86400000.0L)));
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (wake) wake->stop();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool openUrl(const std::string& address) {
    // The desktop's opener tells by its exit status whether it found a
    // program for the address; it ends at once when it finds none. One still
    // running after a moment is showing the page (a browser it runs in the
    // foreground) and is left to run.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({QString::fromStdString(address)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(kOpenerStartMilliseconds)) {
        delete process;
        return false;
    }
    if (process->waitForFinished(kOpenerAnswerMilliseconds)) {
        const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return opened;
    }
    // Not deleted with the program should it end first: that would end the browser.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

std::string programPath() { return QCoreApplication::applicationFilePath().toStdString(); }

bool startDetached(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

}  // namespace sc::platform
