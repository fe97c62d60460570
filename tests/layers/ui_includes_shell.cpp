// SPDX-License-Identifier: GPL-3.0-or-later
// Built with the ui layer's include roots: the shell's headers are not there.
#include "shell/program.h"
