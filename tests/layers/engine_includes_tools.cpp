// Built with the engine's include roots: the tools' headers are not there.
#include "tools/tools.h"
