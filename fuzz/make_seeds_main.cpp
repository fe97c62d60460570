// SPDX-License-Identifier: GPL-3.0-or-later
// smudgecraft-fuzz-seeds DIRECTORY: writes the seed corpora of every fuzz
// target under DIRECTORY/<target>/.
#include <cstdio>

#include "seed_corpora.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: smudgecraft-fuzz-seeds DIRECTORY\n");
        return 2;
    }
    if (!sc::fuzz::writeSeedCorpora(argv[1])) {
        std::fprintf(stderr, "smudgecraft-fuzz-seeds: could not write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
