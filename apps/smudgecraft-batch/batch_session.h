#pragma once
// The state a batch run starts from: the program's own start-up state
// without a display.

namespace sc::batch {

void startSession();

}  // namespace sc::batch
