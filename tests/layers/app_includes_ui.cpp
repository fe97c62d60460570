// SPDX-License-Identifier: GPL-3.0-or-later
// Built with the app layer's include roots: the panels' headers are not there.
#include "ui/panels.h"
