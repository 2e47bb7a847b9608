// The content tool: writes the game's whole data/ directory.
//   zumbra_content <output directory>
#include <cstdio>

#include "content/ContentWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const int written = writeContent(argv[1]);
    if (written < 0) {
        return 1;
    }
    std::printf("content: %d files in %s\n", written, argv[1]);
    return 0;
}
