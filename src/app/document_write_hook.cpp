// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/document_write_hook.h"

#include "app/painting.h"
#include "app/undo.h"
#include "tools/tool_state.h"

namespace sc {
namespace {

void announceWrite(void* context, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    prepareCellWrite(*static_cast<Painting*>(context), x0, y0, x1, y1);
}

}  // namespace

DocumentWriteHook::~DocumentWriteHook() {
    if (tools_ == nullptr) return;
    if (tools_->documentWriteContext == painting_) {
        tools_->beforeDocumentWrite = nullptr;
        tools_->documentWriteContext = nullptr;
    }
}

void DocumentWriteHook::install(Painting& painting, ToolState& tools) {
    painting_ = &painting;
    tools_ = &tools;
    tools.beforeDocumentWrite = &announceWrite;
    tools.documentWriteContext = &painting;
}

}  // namespace sc
