#pragma once
// Points the tools' notice before they change the painting
// (ToolState::beforeDocumentWrite) at one program record, and takes it back
// when that record goes, so the notice never reaches a record that is gone.

namespace sc {

struct ShellState;

class DocumentWriteHook {
public:
    DocumentWriteHook() = default;
    DocumentWriteHook(const DocumentWriteHook&) = delete;
    DocumentWriteHook& operator=(const DocumentWriteHook&) = delete;
    ~DocumentWriteHook();

    // From now on every tool application on s's painting is announced to
    // its undo copy and history first.
    void install(ShellState& s);

private:
    ShellState* owner_ = nullptr;
};

}  // namespace sc
