// mkdemo OUTDIR: writes the demo game into OUTDIR.
#include <cstdio>

#include "tools/lib/demo_game.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkdemo OUTDIR\n");
        return 1;
    }
    if (!tools::WriteDemoGame(argv[1])) {
        std::fprintf(stderr, "mkdemo: cannot write the demo game into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
