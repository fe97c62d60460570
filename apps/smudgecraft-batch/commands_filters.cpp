// SPDX-License-Identifier: GPL-3.0-or-later
// Script command `filter NAME`: a whole-canvas filter on the document, with
// its undo snapshot, exactly as the Filters menu runs it.
#include <string>
#include <string_view>

#include "app/filter_command.h"
#include "app/layers.h"
#include "batch_command.h"
#include "batch_session.h"
#include "filters/filter_table.h"

namespace sc::batch {
namespace {

const FilterInfo& filterNamed(const std::string& name) {
    const FilterInfo* filter = findFilter(std::string_view(name));
    if (filter == nullptr) throw ScriptError("unknown filter " + name);
    return *filter;
}

void checkFilterCommand(const Words& w) { filterNamed(w[0]); }

void runFilterCommand(Session& session, const Words& w) {
    runFilterOnPainting(session.painting, session.tools, filterNamed(w[0]).id);
}

const BatchCommandRegistration kFilter{{"filter", 1, 1, &runFilterCommand, &checkFilterCommand}};

}  // namespace
}  // namespace sc::batch
