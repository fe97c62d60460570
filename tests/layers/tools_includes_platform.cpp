// SPDX-License-Identifier: GPL-3.0-or-later
// Built with the tools layer's include roots: the seam's headers are not there.
#include "platform/dialogs.h"
