// SPDX-License-Identifier: GPL-3.0-or-later
// Built with the engine's include roots: the tools' headers are not there.
#include "tools/tools.h"
