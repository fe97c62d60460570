// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points the tools' notice before they change the painting
// (ToolState::beforeDocumentWrite) at one painting, and takes it back when
// the hook goes, so the notice never reaches a painting that is gone.

namespace sc {

struct Painting;
struct ToolState;

class DocumentWriteHook {
public:
    DocumentWriteHook() = default;
    DocumentWriteHook(const DocumentWriteHook&) = delete;
    DocumentWriteHook& operator=(const DocumentWriteHook&) = delete;
    ~DocumentWriteHook();

    // From now on every tool application on the painting is announced to its
    // undo copy and history first.
    void install(Painting& painting, ToolState& tools);

private:
    Painting* painting_ = nullptr;
    ToolState* tools_ = nullptr;
};

}  // namespace sc
