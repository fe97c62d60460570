// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version_text.h"

#ifndef SMUDGECRAFT_VERSION
#error "the build gives the program's version"
#endif

namespace sc {

std::string versionText(const std::string& program) {
    return program + " " SMUDGECRAFT_VERSION "\n"
                     "Copyright (C) 2026 Smudgecraft developers\n"
                     "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                     "This is free software: you are free to change and redistribute it.\n"
                     "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace sc
