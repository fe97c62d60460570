// SPDX-License-Identifier: GPL-3.0-or-later
// Script commands that walk the history: step-back and step-forward, as the
// desktop program's Edit, Step Backward and Step Forward. A step with no
// step that way does nothing.
#include "app/undo.h"
#include "batch_command.h"
#include "batch_session.h"

namespace sc::batch {
namespace {

void runStepBack(Session& session, const Words&) { stepBackward(session.painting, session.tools); }
void runStepForward(Session& session, const Words&) { stepForward(session.painting, session.tools); }

const BatchCommandRegistration kStepBack{{"step-back", 0, 0, &runStepBack}};
const BatchCommandRegistration kStepForward{{"step-forward", 0, 0, &runStepForward}};

}  // namespace
}  // namespace sc::batch
