// The content tool: writes the game's whole data/ directory and, when asked,
// the desktop icon (which is not game data, so it lives outside data/).
//   zumbra_content <output directory> [icon file]
#include <cstdio>

#include "content/BeeIcon.h"
#include "content/ContentWriter.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <output directory> [icon file]\n", argv[0]);
        return 2;
    }
    const int written = writeContent(argv[1]);
    if (written < 0) {
        return 1;
    }
    if (argc == 3 && !BeeIcon(256).savePng(argv[2])) {
        return 1;
    }
    std::printf("content: %d files in %s\n", written, argv[1]);
    return 0;
}
