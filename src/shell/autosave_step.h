#pragma once
// The program's share of autosave (app/autosave.h): the main loop's step,
// the file the painting belongs to as the commands change it, and the frame
// title a recovered painting brings.
#include <string>

namespace sc {

struct Program;

// Once a pass, before the whole-canvas render: one band of a copy under way,
// the writer's result, the files of a saved painting removed. The first
// failed autosave of the run is told on the status line, never in a box.
void autosaveStep(Program& p);
// When the main loop's wait must end for the next autosave; 0 for none.
long double autosaveWakeTime(const Program& p);
// The painting now belongs to `path` (Save, Open, a hand-over or drop, the
// command line), or to no file (New, Import: empty). A recovered
// painting's title goes with it.
void noteDocumentFile(Program& p, const std::string& path);
// The frame's title back to the program's name.
void restoreFrameTitle(Program& p);

}  // namespace sc
