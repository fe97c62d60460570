#include "app/document_write_hook.h"

#include "app/shell_state.h"
#include "app/undo.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

void announceWrite(void* context, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    prepareCellWrite(*static_cast<ShellState*>(context), x0, y0, x1, y1);
}

}  // namespace

DocumentWriteHook::~DocumentWriteHook() {
    if (owner_ == nullptr) return;
    ToolState& t = owner_->tools;
    if (t.documentWriteContext == owner_) {
        t.beforeDocumentWrite = nullptr;
        t.documentWriteContext = nullptr;
    }
}

void DocumentWriteHook::install(ShellState& s) {
    owner_ = &s;
    ToolState& t = s.tools;
    t.beforeDocumentWrite = &announceWrite;
    t.documentWriteContext = &s;
}

}  // namespace sc
