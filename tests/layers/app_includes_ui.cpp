// Built with the app layer's include roots: the panels' headers are not there.
#include "ui/panels.h"
