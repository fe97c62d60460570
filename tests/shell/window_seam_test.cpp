// SPDX-License-Identifier: GPL-3.0-or-later
// The window seam as the program relies on it (headless implementation, the
// same shared table as the desktop's): paint announcements, message order,
// destroyed windows, stretched copies at the edges, and modal boxes.
#include <vector>

#include "app/hand_over.h"
#include "engine/surface.h"
#include "platform/dialogs.h"
#include "platform/drawing.h"
#include "platform/test_queries.h"
#include "shell/shell_fixture.h"
#include "ui/floating_windows.h"

namespace sc::testing {
namespace {

std::vector<platform::Message> g_seen;
void recordProc(const platform::Message& m) { g_seen.push_back(m); }

class WindowSeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProcessState();
        g_seen.clear();
    }
    void TearDown() override { resetProcessState(); }

    WindowId child(int w, int h) {
        platform::WindowSpec top;
        top.kind = platform::WindowKind::Floating;
        top.width = 400;
        top.height = 300;
        top.proc = &recordProc;
        const WindowId parent = platform::createWindow(top);
        platform::WindowSpec windowSpec;
        windowSpec.kind = platform::WindowKind::Child;
        windowSpec.parent = parent;
        windowSpec.x = 5;
        windowSpec.y = 6;
        windowSpec.width = w;
        windowSpec.height = h;
        windowSpec.proc = &recordProc;
        return platform::createWindow(windowSpec);
    }
};

TEST_F(WindowSeamTest, AnOutOfDatePartIsAnnouncedOnceAfterTheQueuedMessages) {
    const WindowId w = child(50, 40);
    platform::Message m;
    while (platform::peekMessage(m)) platform::beginPaint(m.window);  // first pictures
    platform::invalidateRect(w, {10, 10, 20, 20});
    platform::invalidateRect(w, {30, 5, 60, 15});  // clipped to the window
    hl::postCommand(w, 7);
    ASSERT_TRUE(platform::peekMessage(m));
    EXPECT_EQ(m.kind, MessageKind::Command) << "queued messages come before paint";
    ASSERT_TRUE(platform::peekMessage(m));
    EXPECT_EQ(m.kind, MessageKind::Paint);
    EXPECT_FALSE(platform::peekMessage(m)) << "announced once";
    const platform::Rect r = platform::beginPaint(w);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_TRUE(platform::beginPaint(w).empty());
}

TEST_F(WindowSeamTest, MessagesForADestroyedWindowAreDropped) {
    const WindowId w = child(10, 10);
    hl::postCommand(w, 1);
    platform::destroyWindow(platform::parentOf(w));
    EXPECT_FALSE(platform::windowExists(w)) << "children go with their parent";
    ASSERT_FALSE(g_seen.empty());
    EXPECT_EQ(g_seen.back().kind, MessageKind::Destroy);
    g_seen.clear();
    platform::Message m;
    while (platform::peekMessage(m)) platform::dispatchMessage(m);
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(WindowSeamTest, StretchedCopiesClipAtTheWindowAndTheSource) {
    const WindowId w = child(10, 10);
    Surface s;
    s.create(4, 4, false);
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x)
            s.setPixel(x, y, static_cast<std::uint8_t>(x * 60), 0, static_cast<std::uint8_t>(y));
    // 4 x 4 source cells at 3x from (-3, -3): the first source row and
    // column fall outside the window.
    platform::stretchBlit(w, s, 0, 0, 4, 4, -3, -3, 12, 12);
    EXPECT_EQ(platform::windowPixel(w, 0, 0), packColour(60, 0, 1));
    EXPECT_EQ(platform::windowPixel(w, 8, 8), packColour(180, 0, 3));
    EXPECT_EQ(platform::windowPixel(w, 9, 9), packColour(255, 255, 255)) << "beyond the copy";
    // A source rectangle reaching past the surface copies what exists and
    // leaves the rest of the window as it was.
    platform::stretchBlit(w, s, 2, 2, 4, 4, 0, 0, 4, 4);
    EXPECT_EQ(platform::windowPixel(w, 1, 1), packColour(180, 0, 3));
    EXPECT_EQ(platform::windowPixel(w, 2, 2), packColour(60, 0, 1));
}

TEST_F(WindowSeamTest, ShrinkingByThreeQuartersAndsUnevenRuns) {
    const WindowId w = child(10, 10);
    Surface s;
    s.create(4, 1, false);
    const std::uint8_t reds[] = {0xf1, 0x3f, 0xfc, 0x8f};
    for (std::uint32_t x = 0; x < 4; ++x) s.setPixel(x, 0, reds[x], 0xff, 0xff);
    // Four pixels onto three: source x maps to floor(x * 3 / 4) = 0, 0, 1, 2.
    platform::stretchBlit(w, s, 0, 0, 4, 1, 0, 0, 3, 1);
    EXPECT_EQ(platform::windowPixel(w, 0, 0) & 0xff, 0xf1u & 0x3fu);
    EXPECT_EQ(platform::windowPixel(w, 1, 0) & 0xff, 0xfcu);
    EXPECT_EQ(platform::windowPixel(w, 2, 0) & 0xff, 0x8fu);
    // Seven onto two: runs of four and three pixels.
    Surface seven;
    seven.create(7, 1, false);
    const std::uint8_t greens[] = {0xfe, 0xfd, 0xfb, 0xf7, 0xef, 0xdf, 0xbf};
    for (std::uint32_t x = 0; x < 7; ++x) seven.setPixel(x, 0, 0xff, greens[x], 0xff);
    platform::stretchBlit(w, seven, 0, 0, 7, 1, 0, 1, 2, 1);
    EXPECT_EQ(platform::windowPixel(w, 0, 1) >> 8 & 0xff, 0xf0u);
    EXPECT_EQ(platform::windowPixel(w, 1, 1) >> 8 & 0xff, 0x8fu);
}

// A window far larger than any screen keeps no picture: it shows a surface,
// its pixels made when they are read.
TEST_F(WindowSeamTest, AWindowShowingASurfaceMakesItsPixelsWhenRead) {
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Floating;
    windowSpec.width = 100000;
    windowSpec.height = 100000;
    windowSpec.showsSurface = true;
    const WindowId w = platform::createWindow(windowSpec);
    ASSERT_NE(w, platform::kNoWindow);
    EXPECT_EQ(platform::windowPixel(w, 99999, 99999), packColour(255, 255, 255)) << "white until shown";
    Surface s;
    s.create(4, 4, false);
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x)
            s.setPixel(x, y, static_cast<std::uint8_t>(x * 60), 0, static_cast<std::uint8_t>(y));
    hl::takeChangedPart(w);
    platform::showSurface(w, s, {0, 0, 4, 4}, {0, 0, 100000, 100000}, {-5, 10, 200000, 20});
    const platform::Rect drawn = hl::takeChangedPart(w);
    EXPECT_EQ(drawn.left, 0);
    EXPECT_EQ(drawn.top, 10);
    EXPECT_EQ(drawn.right, 100000);
    EXPECT_EQ(drawn.bottom, 20);
    EXPECT_EQ(platform::windowPixel(w, 24999, 0), packColour(0, 0, 0));
    EXPECT_EQ(platform::windowPixel(w, 25000, 74999), packColour(60, 0, 2));
    EXPECT_EQ(platform::windowPixel(w, 99999, 99999), packColour(180, 0, 3));
    EXPECT_EQ(platform::windowPixel(w, 100000, 0), 0u) << "outside the window";
    // The surface made smaller behind the window's back: what has no source
    // any more shows white.
    s.create(2, 2, false);
    s.clearWhite();
    s.setPixel(1, 1, 1, 2, 3);
    EXPECT_EQ(platform::windowPixel(w, 49999, 49999), packColour(1, 2, 3));
    EXPECT_EQ(platform::windowPixel(w, 50000, 49999), packColour(255, 255, 255));
}

TEST_F(WindowSeamTest, AnOwnedMessageBoxDisablesTheOwnerForItsDuration) {
    const WindowId w = child(10, 10);
    platform::messageBox(w, "Error", "x");
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].kind, MessageKind::Enable);
    EXPECT_FALSE(g_seen[0].flag);
    EXPECT_TRUE(g_seen[1].flag);
    g_seen.clear();
    platform::messageBox(platform::kNoWindow, "Error", "y");
    EXPECT_TRUE(g_seen.empty());
}

class FrameEnableTest : public ShellTest {};

TEST_F(FrameEnableTest, TheFrameDisablesItsPanelsWhileDisabled) {
    start();
    platform::Message m;
    m.kind = MessageKind::Enable;
    m.window = shell().frameWindow;
    m.flag = false;
    platform::sendMessage(m);
    EXPECT_FALSE(platform::isWindowEnabled(shell().windows.coloursPanel));
    EXPECT_TRUE(platform::isWindowEnabled(shell().frameWindow));
    m.flag = true;
    platform::sendMessage(m);
    EXPECT_TRUE(platform::isWindowEnabled(shell().windows.coloursPanel));
}

TEST(HandOverFile, ReadsAtMost511CharactersOfTheFirstLine) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.dir());
    writeFileBytes(kHandOverFileName, std::string(600, 'x'));
    EXPECT_EQ(readHandOverFile().size(), 511u);
    writeFileBytes(kHandOverFileName, "/a/b.pai\nsecond line");
    EXPECT_EQ(readHandOverFile(), "/a/b.pai");
    std::filesystem::remove(kHandOverFileName);
    EXPECT_EQ(readHandOverFile(), "");
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace sc::testing
