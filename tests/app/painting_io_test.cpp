// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "app/file_fixture.h"
#include "app/painting_io.h"
#include "formats/little_endian.h"
#include "platform/dialogs.h"

namespace sc {
namespace {

using platform::Buttons;
using platform::Icon;
using testing::readFileBytes;
using testing::TempDir;
using testing::writeFileBytes;

class PaintingIoTest : public testing::FileOperationTest {
protected:
    // The document's cells as bytes, to see that a refused file left them alone.
    std::string documentBytes() {
        const Canvas& d = shell().painting.document;
        return std::string(reinterpret_cast<const char*>(d.cells()), d.cellCount() * sizeof(PaintCell));
    }
    static std::string header(std::uint32_t magic, std::uint32_t version, std::uint32_t w, std::uint32_t h) {
        std::string s(80, '\0');
        auto* p = reinterpret_cast<std::uint8_t*>(s.data());
        putU32(p, magic);
        putU32(p + 4, version);
        putU32(p + 8, w);
        putU32(p + 12, h);
        return s;
    }
};

TEST_F(PaintingIoTest, SaveThenLoadBringsThePaintingBack) {
    TempDir dir;
    paintDocument(20);
    const std::string painted = documentBytes();
    ASSERT_TRUE(savePainting(shell().painting, dir.path("a.pai")));
    paintDocument(90);
    ASSERT_TRUE(shell().painting.document.allocate(3, 3));
    shell().painting.document.rendered = true;

    std::uint32_t version = 0;
    ASSERT_TRUE(loadPainting(shell().painting, shell().tools, dir.path("a.pai"), &version));
    EXPECT_EQ(version, 2u);
    EXPECT_EQ(shell().painting.fileName, dir.path("a.pai"));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(shell().painting.document.width, 6u);
    EXPECT_EQ(shell().painting.document.height, 4u);
    EXPECT_EQ(shell().painting.document.kind, kDocumentCanvasKind);
    EXPECT_FALSE(shell().painting.document.rendered);
    EXPECT_EQ(shell().painting.document.surface.width(), 6u);
    for (std::uint32_t i = 0; i < 24; ++i) {
        EXPECT_NEAR(shell().painting.document.cells()[i].red, static_cast<std::uint8_t>(painted[i * 12]), 1);
        EXPECT_EQ(shell().painting.document.cells()[i].height, 20.0f + 0.5f * i);
    }
    // The reader's snapshot: Undo goes back to the 3 x 3 painting.
    EXPECT_TRUE(shell().painting.undoValid);
    EXPECT_FALSE(shell().painting.saved);
    undo(shell().painting, shell().tools);
    EXPECT_EQ(shell().painting.document.width, 3u);
}

TEST_F(PaintingIoTest, AFileThatCannotBeOpenedChangesNothing) {
    TempDir dir;
    paintDocument(5);
    EXPECT_FALSE(loadPainting(shell().painting, shell().tools, dir.path("missing.pai")));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "The file you selected could not be opened!");
    EXPECT_EQ(messages()[0].caption, "Error");
    EXPECT_EQ(messages()[0].owner, platform::kNoWindow);
    EXPECT_FALSE(shell().painting.undoValid) << "no snapshot";
    EXPECT_TRUE(shell().painting.saved);
}

TEST_F(PaintingIoTest, RefusedFilesLeaveThePaintingWithAnUndoSnapshot) {
    TempDir dir;
    // A valid file to damage.
    paintDocument(1);
    ASSERT_TRUE(savePainting(shell().painting, dir.path("good.pai")));
    const std::string good = readFileBytes(dir.path("good.pai"));
    std::string badCount = good;
    putU32(reinterpret_cast<std::uint8_t*>(badCount.data()) + 80, 0xFFFFFF);

    struct Case {
        const char* name;
        std::string content;
        const char* message;  // null: refused without a message of its own
    };
    const Case cases[] = {
        {"magic", header(0x1234, 2, 6, 4) + good.substr(80), kNotAPaintingText},
        {"empty", "", kNotAPaintingText},
        {"truncated", good.substr(0, good.size() - 3), kNotAPaintingText},
        {"absurd", header(0x5ED7, 2, 50000, 50000), kNotAPaintingText},
        {"count", badCount, kNotAPaintingText},
        {"version3", header(0x5ED7, 3, 6, 4), kNotAPaintingText},  // a layered file cut short
        {"version0", header(0x5ED7, 0, 6, 4), kLaterVersionText},
        {"version4", header(0x5ED7, 4, 6, 4), kLaterVersionText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        paintDocument(33);
        const std::string before = documentBytes();
        const std::string path = dir.path(std::string(c.name) + ".pai");
        writeFileBytes(path, c.content);

        EXPECT_FALSE(loadPainting(shell().painting, shell().tools, path, nullptr, shell().frameWindow));
        EXPECT_EQ(documentBytes(), before);
        EXPECT_EQ(shell().painting.document.width, 6u);
        EXPECT_TRUE(shell().painting.undoValid);
        EXPECT_FALSE(shell().painting.saved);
        if (c.message) {
            ASSERT_EQ(messages().size(), 1u);
            const auto& m = messages()[0];
            EXPECT_EQ(m.text, c.message);
            EXPECT_EQ(m.caption, "Error");
            EXPECT_EQ(m.buttons, Buttons::Ok);
            const bool corrupt = std::strcmp(c.message, kNotAPaintingText) == 0;
            EXPECT_EQ(m.icon, corrupt ? Icon::Exclamation : Icon::None);
            EXPECT_EQ(m.owner, corrupt ? 77u : platform::kNoWindow);
        } else {
            EXPECT_TRUE(messages().empty());
        }
        // Undo restores the same painting.
        undo(shell().painting, shell().tools);
        EXPECT_EQ(documentBytes(), before);
    }
}

}  // namespace
}  // namespace sc
