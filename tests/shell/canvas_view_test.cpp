// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas view: window sizes at every zoom, the cell under the pointer,
// the rendered square drawn again, Fill's out-of-memory message, the zoomed
// picture, the offset drift, the press's undo snapshot, Ctrl+Z, Space and the
// Hand Tool, and the zoom steps of Ctrl++, Ctrl+- and Control with the wheel.
#include "shell/canvas_view.h"

#include <array>

#include "engine/renderer.h"
#include "engine/surface.h"
#include "platform/drawing.h"
#include "platform/test_queries.h"
#include "platform/windows.h"
#include "shell/frame_window.h"
#include "shell/shell_fixture.h"
#include "tools/tool_routines.h"

namespace sc::testing {
namespace {

class CanvasViewTest : public ShellTest {};

constexpr int kZoomCommands[] = {1258, 1259, 1260, 1261, 1262, 1263};
constexpr float kZooms[] = {0.25f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f};

TEST_F(CanvasViewTest, EveryZoomRecreatesTheWindowAtItsSizeAndPlace) {
    start();
    const int sides[] = {150, 300, 600, 1200, 1800, 2400};
    for (int i = 0; i < 6; ++i) {
        platform::moveWindow(canvasWindow(), 300, 300);
        commandNow(kZoomCommands[i]);
        EXPECT_EQ(shell().view.zoom, kZooms[i]);
        const platform::Rect r = platform::clientRect(canvasWindow());
        EXPECT_EQ(r.width(), sides[i]);
        EXPECT_EQ(r.height(), sides[i]);
        EXPECT_EQ(platform::windowPosition(canvasWindow()).x, 90);
        EXPECT_EQ(platform::windowPosition(canvasWindow()).y, 10);
    }
}

TEST_F(CanvasViewTest, ThePointerPaintsTheCellUnderItAtEveryZoom) {
    start();
    shell().tools.live.tool = kToolFill;  // one application changes the clicked cell
    for (int i = 0; i < 6; ++i) {
        commandNow(kZoomCommands[i]);
        const int px = 37, py = 53;
        const std::uint32_t cx = static_cast<std::uint32_t>(px / kZooms[i]);
        const std::uint32_t cy = static_cast<std::uint32_t>(py / kZooms[i]);
        shell().tools.live.red = static_cast<std::uint8_t>(10 + i);
        press(px, py);
        passes(3);
        release(px, py);
        passes(1);
        EXPECT_EQ(document().at(cx, cy).red, 10 + i) << "zoom " << kZooms[i];
    }
}

TEST_F(CanvasViewTest, EachPassRepaintsTheRenderedBrushSquareAtOnce) {
    start();
    // The part of the canvas window drawn again in one pass of a press held at (x, y).
    auto drawnInAPass = [this](int x, int y) {
        pressNow(x, y);
        hl::takeChangedPart(canvasWindow());
        passes(1);
        const platform::Rect drawn = hl::takeChangedPart(canvasWindow());
        release(x, y);
        passes(1);
        return std::array<int, 4>{drawn.left, drawn.top, drawn.right, drawn.bottom};
    };
    commandNow(1261);  // 200 %
    passes(2);
    shell().tools.live.tool = kToolPaintBrush;
    shell().tools.live.size = 30;
    // Cell (50, 25), r = 30: cells (20, -5)-(80, 55), clipped to the grid,
    // are the window's (40, 0)-(160, 110).
    EXPECT_EQ(drawnInAPass(100, 50), (std::array<int, 4>{40, 0, 160, 110}));

    // At 50 % a pixel combines two cells, and one holding a rendered cell is
    // drawn again. Cell (40, 20), r = 3: cells (37, 17)-(43, 23).
    commandNow(1259);
    passes(2);
    shell().tools.live.size = 3;
    EXPECT_EQ(drawnInAPass(20, 10), (std::array<int, 4>{18, 8, 22, 12}));

    // A tool that changes no cell draws nothing.
    shell().tools.live.tool = kToolHand;
    EXPECT_EQ(drawnInAPass(100, 50), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST_F(CanvasViewTest, FillWithoutMemoryForItsMarksSaysSoAndEndsThePress) {
    start();
    shell().tools.live.tool = kToolFill;
    const auto before = document().at(5, 5);
    hl::clearShownMessages();
    setMarkPlaneAllocator([](std::size_t) -> void* { return nullptr; });
    press(5, 5);
    passes(3);
    setMarkPlaneAllocator(nullptr);
    const auto& shown = hl::shownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(shown[0].text, "Out of memory for fill routine!");
    EXPECT_EQ(shown[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(shown[0].owner, platform::kNoWindow);
    EXPECT_FALSE(pointer(kCanvasPointer).leftDown);
    EXPECT_EQ(document().at(5, 5).red, before.red);
    release(5, 5);
    passes(1);
}

TEST_F(CanvasViewTest, EnlargingRepeatsPixelsAndShrinkingAndsThem) {
    start();
    Canvas& doc = document();
    // Cells (0,0) and (1,0) rendered in different colours.
    doc.surface.setPixel(0, 0, 0xf0, 0x0f, 0xff);
    doc.surface.setPixel(1, 0, 0x3c, 0xff, 0x0f);
    doc.surface.setPixel(0, 1, 0xff, 0xff, 0xff);
    doc.surface.setPixel(1, 1, 0xff, 0xf0, 0xff);
    doc.rendered = true;

    commandNow(1262);  // 300 %
    paintView(program(), 0, 0, 2, 2);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(platform::windowPixel(canvasWindow(), x, y), 0xff0ff0u);
            EXPECT_EQ(platform::windowPixel(canvasWindow(), 3 + x, y), 0x0fff3cu);
        }
    }

    commandNow(1259);  // 50 %: four cells land on one pixel
    paintView(program(), 0, 0, 2, 2);
    EXPECT_EQ(platform::windowPixel(canvasWindow(), 0, 0), (0xff0ff0u & 0x0fff3cu & 0xffffffu & 0xfff0ffu));
}

TEST_F(CanvasViewTest, APaintRequestCopiesWholeCellsOnly) {
    start();
    commandNow(1262);  // 300 %
    passes(2);         // the new window's first picture
    Canvas& doc = document();
    for (std::uint32_t y = 0; y < 33; ++y)
        for (std::uint32_t x = 0; x < 33; ++x) doc.surface.setPixel(x, y, 0, 0, 0);
    hl::takeChangedPart(canvasWindow());
    platform::invalidateRect(canvasWindow(), {0, 0, 100, 100});
    platform::updateWindow(canvasWindow());
    const platform::Rect drawn = hl::takeChangedPart(canvasWindow());
    EXPECT_EQ(drawn.right, 99) << "cells 0..32 land on 0..98";
    EXPECT_EQ(drawn.bottom, 99);
    EXPECT_EQ(platform::windowPixel(canvasWindow(), 98, 98), 0u);
    EXPECT_EQ(platform::windowPixel(canvasWindow(), 99, 50), 0xffffffu) << "pixel 99 belongs to cell 33";
}

// The canvas window keeps no zoomed picture: it shows the surface, made on
// demand, pixel for pixel as a stretched copy of each paint request would
// (odd sizes, enlarging and the AND of shrinking alike).
TEST_F(CanvasViewTest, EveryZoomShowsWhatAStretchedCopyOfThePaintRequestGives) {
    start();
    newImage(program(), 37, 23);
    Canvas& doc = document();
    for (std::uint32_t y = 0; y < doc.height; ++y)
        for (std::uint32_t x = 0; x < doc.width; ++x)
            doc.surface.setPixel(x, y, static_cast<std::uint8_t>(x * 37 + y * 11),
                                 static_cast<std::uint8_t>(y * 53 ^ x), static_cast<std::uint8_t>(0xf0 | (x * y)));
    doc.rendered = true;
    platform::WindowSpec windowSpec;
    windowSpec.kind = platform::WindowKind::Floating;
    windowSpec.width = 200;
    windowSpec.height = 100;
    const WindowId reference = platform::createWindow(windowSpec);
    for (int i = 0; i < 6; ++i) {
        commandNow(kZoomCommands[i]);
        const WindowId w = canvasWindow();
        const float zoom = kZooms[i];
        const auto cell = [zoom](int v) { return static_cast<int>(static_cast<float>(v) / zoom); };
        const auto zoomed = [zoom](int v) { return static_cast<int>(static_cast<float>(v) * zoom); };
        const platform::Rect window = platform::clientRect(w);
        const platform::Rect parts[] = {window, {3, 5, 17, 12}, {9, 1, window.right, window.bottom - 1}, {1, 7, 2, 8}};
        for (const platform::Rect& part : parts) {
            // The cells of the part, copied as a paint request for it would.
            const int left = cell(part.left), top = cell(part.top);
            const int right = cell(std::min(part.right, window.right)),
                      bottom = cell(std::min(part.bottom, window.bottom));
            if (right <= left || bottom <= top) continue;
            const int x0 = zoomed(left), y0 = zoomed(top);
            const int x1 = x0 + zoomed(right - left), y1 = y0 + zoomed(bottom - top);
            platform::stretchBlit(reference, doc.surface, left, top, right - left, bottom - top, x0, y0, x1 - x0,
                                  y1 - y0);

            hl::takeChangedPart(w);
            platform::invalidateRect(w, part);
            platform::updateWindow(w);
            const platform::Rect drawn = hl::takeChangedPart(w);
            EXPECT_EQ(drawn.left, x0) << "zoom " << zoom;
            EXPECT_EQ(drawn.right, std::min(x1, window.right)) << "zoom " << zoom;
            EXPECT_EQ(drawn.bottom, std::min(y1, window.bottom)) << "zoom " << zoom;
            for (int y = y0; y < drawn.bottom; ++y)
                for (int x = x0; x < drawn.right; ++x)
                    ASSERT_EQ(platform::windowPixel(w, x, y), platform::windowPixel(reference, x, y))
                        << "zoom " << zoom << " at " << x << ", " << y;
        }
    }
}

TEST_F(CanvasViewTest, MovesDriftTheOffsetsByTheSquareOfTheMovement) {
    start();
    move(100, 100);
    passes(1);
    const GrainOffset style = shell().tools.styleOffset;
    const GrainOffset texture = shell().tools.textureOffset;
    const std::uint32_t state = shell().tools.random.state;
    const int a = shell().tools.random.next() % 100;
    const int b = shell().tools.random.next() % 100;
    shell().tools.random.state = state;
    move(96, 100);  // left by 4: dx = 4
    passes(1);
    EXPECT_FLOAT_EQ(shell().tools.styleOffset.x, style.x - 16.0f * (a * 0.001f));
    EXPECT_EQ(shell().tools.styleOffset.y, style.y);
    EXPECT_NEAR(shell().tools.textureOffset.x, texture.x - 16.0 * b * 0.0016666667, 1e-4);
}

TEST_F(CanvasViewTest, APressSnapshotsUnlessTheToolIsTheHandOrTheDropper) {
    start();
    document().at(5, 5).red = 1;
    for (std::int32_t tool : {kToolHand, kToolEyeDropper}) {
        shell().tools.live.tool = tool;
        press(5, 5);
        passes(2);
        release(5, 5);
        passes(1);
        EXPECT_EQ(shell().painting.undoCanvas.at(5, 5).red, 255) << "tool " << tool;
    }
    shell().tools.live.tool = kToolPaintBrush;
    press(5, 5);
    passes(1);
    release(5, 5);
    passes(1);
    undo(shell().painting, shell().tools);
    EXPECT_EQ(document().at(5, 5).red, 1) << "Undo returns the painting as at the press";
}

TEST_F(CanvasViewTest, ControlZUndoesOncePerZPress) {
    start();
    press(200, 200);
    move(230, 200);
    passes(3);
    release(230, 200);
    passes(1);
    const std::uint64_t painted = cellHash(document());
    key(platform::Key::Control, true);
    key(platform::Key::Z, true);
    passes(2);
    const std::uint64_t undone = cellHash(document());
    EXPECT_NE(undone, painted);
    passes(5);
    EXPECT_EQ(cellHash(document()), undone) << "holding the keys undoes once";
    key(platform::Key::Z, false);
    key(platform::Key::Z, true);  // Control still held
    passes(2);
    EXPECT_EQ(cellHash(document()), painted) << "the second Undo redoes";
}

TEST_F(CanvasViewTest, CtrlAltZAndCtrlShiftZStepThroughTheHistoryWithTheMenuFollowing) {
    start();
    passes(1);
    EXPECT_FALSE(platform::menuItemEnabled(frame(), kCmdStepBackward));
    EXPECT_FALSE(platform::menuItemEnabled(frame(), kCmdStepForward));
    const std::uint64_t blank = cellHash(document());
    press(200, 200);
    move(230, 200);
    passes(3);
    release(230, 200);
    passes(1);
    const std::uint64_t painted = cellHash(document());
    ASSERT_NE(painted, blank);
    EXPECT_TRUE(platform::menuItemEnabled(frame(), kCmdStepBackward));

    key(platform::Key::Control, true);
    key(platform::Key::Alt, true);
    key(platform::Key::Z, true);
    passes(4);  // the three keys, then the command the shortcut posted
    EXPECT_EQ(cellHash(document()), blank);
    EXPECT_FALSE(platform::menuItemEnabled(frame(), kCmdStepBackward));
    EXPECT_TRUE(platform::menuItemEnabled(frame(), kCmdStepForward));
    key(platform::Key::Z, false);
    key(platform::Key::Alt, false);
    key(platform::Key::Shift, true);
    key(platform::Key::Z, true);
    passes(5);
    EXPECT_EQ(cellHash(document()), painted);
    key(platform::Key::Shift, false);
    key(platform::Key::Z, false);
    key(platform::Key::Control, false);
    passes(3);

    commandNow(kCmdStepBackward);
    passes(1);
    EXPECT_EQ(cellHash(document()), blank);
    EXPECT_TRUE(platform::menuItemEnabled(frame(), kCmdStepForward));
}

TEST_F(CanvasViewTest, SpaceHoldsTheHandToolWhichMovesTheCanvasWindow) {
    start();
    shell().tools.live.tool = kToolKnife;
    key(platform::Key::Space, true);
    passes(1);
    EXPECT_EQ(shell().tools.live.tool, kToolHand);
    key(platform::Key::Space, true);  // auto-repeat keeps the saved tool
    key(platform::characterKey('A'), true);
    passes(2);
    EXPECT_EQ(shell().view.savedTool, kToolKnife);

    pressNow(20, 20);
    hl::setCursor({hl::toScreen(canvasWindow(), 20, 20).x + 15, hl::toScreen(canvasWindow(), 20, 20).y - 7});
    passes(1);
    EXPECT_EQ(platform::windowPosition(canvasWindow()).x, 105);
    EXPECT_EQ(platform::windowPosition(canvasWindow()).y, 3);
    release(20, 20);
    passes(1);

    key(platform::Key::Space, false);
    passes(1);
    EXPECT_EQ(shell().tools.live.tool, kToolKnife);
    EXPECT_FALSE(shell().view.temporaryHand);
}

// The cell of the canvas shown at document-area point (ax, ay).
platform::Point cellAtAreaPoint(WindowId canvas, float zoom, int ax, int ay) {
    const platform::Point at = platform::windowPosition(canvas);
    return {cellAt(ax - at.x, zoom), cellAt(ay - at.y, zoom)};
}

TEST_F(CanvasViewTest, ZoomStepsKeepTheCellUnderThePointer) {
    start();
    move(101, 63);  // document-area point (191, 73): cell (101, 63)
    passes(1);
    key(platform::Key::Control, true);
    const float upward[] = {2.0f, 3.0f, 4.0f, 4.0f};
    for (float zoom : upward) {
        key(platform::Key::Plus, true);
        passes(3);  // held: one step only
        EXPECT_EQ(shell().view.zoom, zoom);
        const platform::Point cell = cellAtAreaPoint(canvasWindow(), shell().view.zoom, 191, 73);
        EXPECT_EQ(cell.x, 101) << zoom;
        EXPECT_EQ(cell.y, 63) << zoom;
        key(platform::Key::Plus, false);
    }
    EXPECT_EQ(platform::clientRect(canvasWindow()).width(), 2400);

    // The wheel over the canvas window: notches, down the six zooms.
    const platform::Point at = platform::windowPosition(canvasWindow());
    platform::Message wheel;
    wheel.kind = MessageKind::ZoomWheel;
    wheel.window = canvasWindow();
    wheel.x = 300 - at.x;  // area point (300, 200)
    wheel.y = 200 - at.y;
    wheel.command = -2;
    const platform::Point before = cellAtAreaPoint(canvasWindow(), shell().view.zoom, 300, 200);
    passes(2);
    platform::postMessage(wheel);
    passes(2);
    EXPECT_EQ(shell().view.zoom, 2.0f);
    EXPECT_EQ(cellAtAreaPoint(canvasWindow(), shell().view.zoom, 300, 200).x, before.x);
    EXPECT_EQ(cellAtAreaPoint(canvasWindow(), shell().view.zoom, 300, 200).y, before.y);

    // Over the document area, outside the canvas: its point stays in place
    // relative to the canvas too.
    const platform::Point outside = platform::windowPosition(canvasWindow());
    wheel.window = shell().windows.documentArea;
    wheel.x = outside.x - 40;
    wheel.y = outside.y - 20;
    wheel.command = -1;
    platform::postMessage(wheel);
    passes(2);
    EXPECT_EQ(shell().view.zoom, 1.0f);
    EXPECT_EQ(platform::windowPosition(canvasWindow()).x, outside.x - 20);
    EXPECT_EQ(platform::windowPosition(canvasWindow()).y, outside.y - 10);

    // Ctrl+- with the pointer gone: the window's centre stays.
    ASSERT_TRUE(hl::pointerLeaves(canvasWindow())) << "the new window asked for the leave notice";
    passes(2);
    const platform::Point centre = platform::windowPosition(canvasWindow());
    for (float zoom : {0.5f, 0.25f, 0.25f}) {
        key(platform::Key::Minus, true);
        key(platform::Key::Minus, false);
        passes(2);
        EXPECT_EQ(shell().view.zoom, zoom);
    }
    const platform::Point small = platform::windowPosition(canvasWindow());
    EXPECT_EQ(small.x, centre.x + 300 - 75);
    EXPECT_EQ(small.y, centre.y + 300 - 75);
    // Without Control the keys do nothing.
    key(platform::Key::Control, false);
    key(platform::Key::Plus, true);
    passes(2);
    EXPECT_EQ(shell().view.zoom, 0.25f);
}

}  // namespace
}  // namespace sc::testing
