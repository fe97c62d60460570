// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on Qt's offscreen desktop: start-up, a stroke painted with
// synthetic mouse input through the window system, the picture shown, the
// exit question, the single-instance hand-over over the local socket, and
// the program's command line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The program's headers come before Qt's, whose keyword macros ("slots")
// would otherwise rewrite the preset lists' field names.
#include "app/shell_state.h"
#include "engine/surface.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/test_queries.h"
#include "platform/windows.h"
#include "shell/canvas_view.h"
#include "shell/frame_window.h"
#include "shell/main_loop.h"
#include "shell/program.h"
#include "shell/start_up.h"
#include "tools/tool_state.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QMessageBox>
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTest>
#include <QTimer>

#include "platform/platform_qt.h"

namespace sc {
namespace {

namespace fs = std::filesystem;

// A private directory, made the current one and the home of every per-user file.
class DesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static char name[] = "test_platform";
        static char* argv[] = {name, nullptr};
        static int argc = 1;
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static char runtime[] = "/tmp/sc-runtime-XXXXXX";
        if (mkdtemp(runtime)) setenv("XDG_RUNTIME_DIR", runtime, 1);
        ASSERT_TRUE(platform::initialise(argc, argv));
    }
    static void TearDownTestSuite() { platform::shutdown(); }

    void SetUp() override {
        char pattern[] = "/tmp/sc-desktop-XXXXXX";
        dir_ = mkdtemp(pattern);
        previous_ = fs::current_path();
        fs::current_path(dir_);
        fs::create_directories(dir_ / "runtime");
        fs::permissions(dir_ / "runtime", fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (dir_ / "runtime").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "xdg").c_str(), 1);
        setenv("TMPDIR", dir_.c_str(), 1);
        // Nothing may wait on a dialog: any modal box is closed at once,
        // without a choice.
        QObject::connect(&closer_, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        closer_.start(20);
    }

    void TearDown() override {
        closer_.stop();
        // No window outlives the program its procedures work on.
        if (platform::windowExists(shell().frameWindow)) platform::destroyWindow(shell().frameWindow);
        fs::current_path(previous_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    void passes(int n) {
        for (int i = 0; i < n; ++i) mainLoopPass(program());
    }

    // What the title bar's close button does to the frame.
    void askToCloseTheFrame() {
        platform::Message close;
        close.kind = platform::MessageKind::Close;
        close.window = shell().frameWindow;
        platform::postMessage(close);
    }

    Program& program() { return *program_; }
    ShellState& shell() { return program_->state; }
    PointerState& pointer(PointerIndex which) { return program_->state.pointers[which]; }

    fs::path dir_;
    fs::path previous_;
    QTimer closer_;
    std::unique_ptr<Program> program_ = std::make_unique<Program>();
};

TEST_F(DesktopTest, AStrokeWithTheMouseChangesCellsAndThePicture) {
    ASSERT_EQ(startUp(program(), ""), StartResult::Running);
    shell().tools.live.texture = 0;  // no picture files here: paint smooth
    passes(10);
    QWidget* canvas = platform::qt::widgetOf(shell().windows.canvas);
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas->window()));
    passes(5);
    const std::uint32_t before = platform::windowPixel(shell().windows.canvas, 150, 120);

    QTest::mouseMove(canvas, QPoint(100, 120));
    passes(3);
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 120));
    passes(3);
    for (int x = 100; x <= 200; x += 4) {
        QTest::mouseMove(canvas, QPoint(x, 120));
        passes(2);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(200, 120));
    passes(5);

    const PaintCell& cell = shell().painting.document.at(150, 120);
    EXPECT_NE(cell.red, 255) << "the stroke laid paint";
    EXPECT_GT(cell.height, 0.0f);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_NE(platform::windowPixel(shell().windows.canvas, 150, 120), before) << "and the window shows it";

    // Dragging out of the canvas ends the stroke (the desktop's grab of the
    // pointer notwithstanding); coming back with the button held paints
    // nothing, and a release outside leaves the press armed.
    QTest::mouseMove(canvas, QPoint(300, 300));
    passes(2);
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    passes(3);
    ASSERT_TRUE(pointer(kCanvasPointer).leftDown);
    QTest::mouseMove(canvas, QPoint(-40, 300));
    passes(3);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown) << "left the canvas";
    const float heightAt = shell().painting.document.at(360, 300).height;
    for (int x = 10; x <= 60; x += 5) {
        QTest::mouseMove(canvas, QPoint(x + 300, 300));
        passes(2);
    }
    EXPECT_EQ(shell().painting.document.at(360, 300).height, heightAt) << "no painting without a new press";
    QTest::mouseMove(canvas, QPoint(-40, 300));
    passes(2);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(-40, 300));
    passes(2);
    EXPECT_TRUE(shell().pressArmed) << "no window of ours saw the release";

    // The canvas widget draws, enlarged and shrunk, exactly the window's
    // pixels, made from the surface for the part drawn.
    Surface& surface = shell().painting.document.surface;
    for (std::uint32_t y = 0; y < surface.height(); ++y)
        for (std::uint32_t x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y, static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 13),
                             static_cast<std::uint8_t>(x ^ y));
    for (const float zoom : {4.0f, 0.25f}) {
        shell().view.zoom = zoom;
        recreateCanvasWindow(program());
        passes(5);
        const platform::WindowId window = shell().windows.canvas;
        const QImage drawn = platform::qt::widgetOf(window)->grab(QRect(40, 60, 110, 90)).toImage();
        ASSERT_EQ(drawn.width(), 110);
        int differing = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb p = drawn.pixel(x, y);
                const std::uint32_t shown = static_cast<std::uint32_t>(qRed(p)) | qGreen(p) << 8 | qBlue(p) << 16;
                differing += shown != platform::windowPixel(window, 40 + x, 60 + y);
            }
        EXPECT_EQ(differing, 0) << "zoom " << zoom;
    }

    // Closing without the question: the painting counts as saved.
    shell().painting.saved = true;
    askToCloseTheFrame();
    runMainLoop(program());
    exitProgram(program());
    EXPECT_TRUE(fs::exists(dir_ / "prefs.dat"));
    EXPECT_EQ(fs::file_size(dir_ / "data" / "palette.dat"), 2704u);
}

// A pen on a tablet: Qt's tablet events reach the stroke with their
// pressure, and a mouse afterwards reports pressure 1 again.
TEST_F(DesktopTest, APenStrokeScalesTheStrengthByItsPressure) {
    ASSERT_EQ(startUp(program(), ""), StartResult::Running);
    shell().tools.live.texture = 0;
    passes(10);
    QWidget* canvas = platform::qt::widgetOf(shell().windows.canvas);
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas->window()));
    passes(5);

    static const QPointingDevice pen("test pen", 4711, QInputDevice::DeviceType::Stylus,
                                     QPointingDevice::PointerType::Pen,
                                     QInputDevice::Capability::Position | QInputDevice::Capability::Pressure |
                                         QInputDevice::Capability::XTilt | QInputDevice::Capability::YTilt,
                                     1, 2);
    auto report = [&](QEvent::Type type, int x, qreal pressure, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local(x, 120);
        QTabletEvent e(type, &pen, local, canvas->mapToGlobal(local), pressure, 20.0f, -10.0f, 0.0f, 0.0, 0.0f,
                       Qt::NoModifier, button, held);
        QApplication::sendEvent(canvas, &e);
        EXPECT_TRUE(e.isAccepted());
        passes(1);  // one pass: a second would repeat the move with length 0
    };
    report(QEvent::TabletMove, 100, 0.0, Qt::NoButton, Qt::NoButton);  // hovering
    report(QEvent::TabletPress, 100, 0.4, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(pointer(kCanvasPointer).leftDown) << "the pen's tip is the left button";
    for (int x = 104; x <= 200; x += 4) report(QEvent::TabletMove, x, 0.4, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(shell().tools.pressure, 0.4f);
    const float live = shell().tools.live.strength;
    EXPECT_EQ(shell().tools.stroke.strength, static_cast<float>(live * static_cast<double>(0.4f)));
    report(QEvent::TabletRelease, 200, 0.0, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_NE(shell().painting.document.at(150, 120).red, 255) << "the pen laid paint";

    QTest::mouseMove(canvas, QPoint(220, 130));
    passes(2);
    EXPECT_EQ(shell().tools.pressure, 1.0f) << "a mouse presses fully";

    // Window, Pen: the dialog shows the choice in use and takes a new one.
    closer_.stop();
    int shownTarget = -1;
    double shownCurve = 0.0;
    QTimer::singleShot(0, [&, this] {
        QWidget* dialog = QApplication::activeModalWidget();
        auto* target = dialog ? dialog->findChild<QComboBox*>() : nullptr;
        auto* curve = dialog ? dialog->findChild<QDoubleSpinBox*>() : nullptr;
        if (!target || !curve) {
            closer_.start(20);  // whatever is up is closed without a choice
            return;
        }
        shownTarget = target->currentIndex();
        shownCurve = curve->value();
        target->setCurrentIndex(2);
        curve->setValue(3.0);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_TRUE(runFrameCommand(program(), kCmdPenDialog));
    closer_.start(20);
    EXPECT_EQ(shownTarget, 1);
    EXPECT_EQ(shownCurve, 1.0);
    EXPECT_EQ(shell().tools.pen.target, PressureTarget::Size);
    EXPECT_EQ(shell().tools.pen.curve, 3.0f);
}

// What the exit question looked like when it was answered.
struct SeenQuestion {
    QString caption;
    QString text;
    QStringList shownButtons;
};

TEST_F(DesktopTest, EscapeOrClosingTheExitQuestionKeepsTheProgram) {
    shell().quitRequested = false;
    ASSERT_EQ(startUp(program(), ""), StartResult::Running);
    passes(5);
    shell().painting.saved = false;  // an unsaved painting
    closer_.stop();

    // Answers each box once it is up, in the way given, and notes its look.
    // A box the answer did not close is ended by force, and that is noted.
    std::vector<SeenQuestion> seen;
    std::function<void(QMessageBox*)> answer;
    bool forced = false;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (!answer) {
            forced = true;
            box->done(QMessageBox::Cancel);
            return;
        }
        SeenQuestion q{box->windowTitle(), box->text(), {}};
        for (QAbstractButton* b : box->buttons()) {
            if (b->isVisible()) q.shownButtons << b->text().remove('&');
        }
        seen.push_back(q);
        std::exchange(answer, nullptr)(box);
    });
    answerer.start(20);
    auto askToClose = [&](std::function<void(QMessageBox*)> how) {
        answer = std::move(how);
        askToCloseTheFrame();
        passes(3);
    };

    askToClose([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(shell().quitRequested) << "Escape keeps the program";
    EXPECT_TRUE(platform::windowExists(shell().frameWindow));

    askToClose([](QMessageBox* box) { box->close(); });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(shell().quitRequested) << "so does the close button";

    askToClose([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(shell().quitRequested) << "an explicit No discards";
    EXPECT_FALSE(forced) << "every answer closed its box";
    for (const SeenQuestion& q : seen) {
        EXPECT_EQ(q.caption, "Save Changes?");
        EXPECT_EQ(q.text, "Would you like to save your painting?");
        EXPECT_EQ(q.shownButtons, (QStringList{"Yes", "No"}));
    }
    exitProgram(program());
}

TEST_F(DesktopTest, KeysReleasedWhileADialogHadTheInputAreReleasedAfterIt) {
    shell().quitRequested = false;
    ASSERT_EQ(startUp(program(), ""), StartResult::Running);
    passes(5);
    closer_.stop();
    QWidget* frame = platform::qt::widgetOf(shell().frameWindow);
    ASSERT_NE(frame, nullptr);
    const std::int32_t tool = shell().tools.live.tool;
    QTest::keyPress(frame, Qt::Key_Control);
    QTest::keyPress(frame, Qt::Key_Space, Qt::ControlModifier);
    passes(3);
    const auto& keys = shell().view.keyState;
    ASSERT_TRUE(keys[static_cast<std::size_t>(platform::Key::Control)]);
    ASSERT_TRUE(shell().view.temporaryHand);

    // Both keys come up while a modal box has the input.
    QTimer::singleShot(50, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        QTest::keyRelease(box, Qt::Key_Space, Qt::ControlModifier);
        QTest::keyRelease(box, Qt::Key_Control);
        box->close();
    });
    platform::messageBox(shell().frameWindow, "Warning", "A box that takes the keys");
    closer_.start(20);  // its ticks also end the passes' wait for the desktop
    shell().painting.saved = true;
    QTest::keyPress(frame, Qt::Key_Z);
    passes(3);
    EXPECT_FALSE(keys[static_cast<std::size_t>(platform::Key::Control)]) << "Control is up";
    EXPECT_TRUE(shell().painting.saved) << "Z alone does not undo";
    EXPECT_FALSE(shell().view.temporaryHand);
    EXPECT_EQ(shell().tools.live.tool, tool) << "the hand gave the tool back";

    shell().painting.saved = true;
    askToCloseTheFrame();
    runMainLoop(program());
    exitProgram(program());
}

// A hidden window that receives the hand-over notices.
platform::WindowId handOverTarget() {
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Splash;
    windowSpec.width = 10;
    windowSpec.height = 10;
    windowSpec.visible = false;
    const platform::WindowId target = platform::createWindow(windowSpec);
    platform::setHandOverWindow(target);
    return target;
}

TEST_F(DesktopTest, ALaterStartIsSecondAndItsNoticeArrivesAsAHandOver) {
    const std::string name = "SC-TEST-INSTANCE";
    ASSERT_EQ(platform::acquireSingleInstance(name), platform::InstanceRole::First);
    const platform::WindowId target = handOverTarget();

    QLockFile other(platform::qt::instanceSocketPath(name) + ".lock");
    EXPECT_FALSE(other.tryLock(0)) << "the lock is held";
    ASSERT_TRUE(platform::notifyFirstInstance(name));
    platform::Message m;
    bool handedOver = false;
    (void)QTest::qWaitFor([&] {
        while (platform::peekMessage(m)) handedOver = handedOver || m.kind == platform::MessageKind::HandOver;
        return handedOver;
    });
    EXPECT_TRUE(handedOver);
    platform::releaseSingleInstance();
    platform::destroyWindow(target);
    EXPECT_FALSE(platform::notifyFirstInstance(name)) << "nobody listens any more";
}

// Counts the hand-over notices that have reached the window once the first
// instance has let go of `connections` more connections than `endedBefore`:
// a notice is posted while its connection is read, so every notice any of
// them could give has arrived by then.
int handOversArrived(int endedBefore, int connections) {
    const bool ended =
        QTest::qWaitFor([&] { return platform::qt::instanceConnectionsEnded() >= endedBefore + connections; }, 5000);
    EXPECT_TRUE(ended) << "the first instance let go of every connection";
    int count = 0;
    platform::Message m;
    while (platform::peekMessage(m)) count += m.kind == platform::MessageKind::HandOver;
    return count;
}

// Connects to the first instance's socket, says `bytes` and hangs up.
void say(const QString& socketPath, const QByteArray& bytes) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(bytes);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}

TEST_F(DesktopTest, TheHandOverSocketIsPrivateAndIgnoresAnythingButTheNotice) {
    const std::string name = "SC-TEST-PRIVATE";
    ASSERT_EQ(platform::acquireSingleInstance(name), platform::InstanceRole::First);
    const platform::WindowId target = handOverTarget();

    // Only this user can reach the socket: its directory is the user's own
    // with no access for group or others, and the socket has none either.
    const QString socketPath = platform::qt::instanceSocketPath(name);
    ASSERT_FALSE(socketPath.isEmpty());
    struct stat dirStat {
    }, socketStat{};
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(socketPath).path()).constData(), &dirStat), 0);
    EXPECT_EQ(dirStat.st_uid, getuid());
    EXPECT_EQ(dirStat.st_mode & 077, 0u);
    ASSERT_EQ(::stat(QFile::encodeName(socketPath).constData(), &socketStat), 0);
    EXPECT_TRUE(S_ISSOCK(socketStat.st_mode));
    EXPECT_EQ(socketStat.st_mode & 077, 0u);
    // The hand-over file lies there too, whatever the current directory.
    EXPECT_EQ(QFileInfo(QString::fromStdString(platform::runtimeFilePath("handed.txt"))).path(),
              QFileInfo(socketPath).path());

    // Garbage, a notice cut short, a 100 kB message and nothing at all are
    // all ignored (a notice from any of them would make the count above 2).
    const int endedBefore = platform::qt::instanceConnectionsEnded();
    say(socketPath, "garbage\n");
    say(socketPath, "open");
    say(socketPath, QByteArray(100 * 1024, 'o'));
    say(socketPath, QByteArray("\0open\n", 6));
    say(socketPath, "");

    // The notice still counts, once per connection, whatever follows it.
    say(socketPath, "open\nopen\n");
    ASSERT_TRUE(platform::notifyFirstInstance(name));
    EXPECT_EQ(handOversArrived(endedBefore, 7), 2);

    platform::releaseSingleInstance();
    platform::destroyWindow(target);
}

}  // namespace
}  // namespace sc

namespace sc {
namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

// The desktop program run by a shell: `environment` is put before it.
Ran runDesktopProgram(const std::string& environment, const std::string& args) {
    char dir[] = "/tmp/sc-cli-XXXXXX";
    if (!mkdtemp(dir)) return {};
    const std::string out = std::string(dir) + "/out", err = std::string(dir) + "/err";
    const std::string command =
        environment + " '" SMUDGECRAFT_DESKTOP "' " + args + " </dev/null >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    const auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    Ran r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
    fs::remove_all(dir);
    return r;
}

TEST(DesktopCommandLine, BadUsageAndAMissingDisplayEndWithAStatusAndOneMessage) {
    for (const char* bad : {"--frobnicate", "-x painting.pai", "painting.pai --lighting"}) {
        const Ran r = runDesktopProgram("QT_QPA_PLATFORM=offscreen", bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("usage: smudgecraft"), std::string::npos) << bad << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << bad;
    }
    const Ran version = runDesktopProgram("", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("License GPL-3.0-or-later"), std::string::npos) << version.out;

    // No display to connect to: a message and status 1, not an abort.
    const Ran headless = runDesktopProgram("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb", "painting.pai");
    EXPECT_EQ(headless.status, 1) << headless.err;
    EXPECT_NE(headless.err.find("smudgecraft: cannot open a display"), std::string::npos) << headless.err;
}

}  // namespace
}  // namespace sc
