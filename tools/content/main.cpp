// The content tool: writes the game's whole data/ directory and, when asked,
// the desktop icon at the sizes named (it is not game data, so it lives
// outside data/), each as <icon directory>/<size>x<size>.png.
//   zumbra_content <output directory> [<icon directory> <size>...]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/BeeIcon.h"
#include "content/ContentWriter.h"

namespace {

// Painted from distances, the icon looks right at any size; past this one a
// typo in a size would only burn time.
constexpr int kLargestIcon = 1024;

bool writeIcons(const std::string& dir, int count, char** sizes) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long size = std::strtol(sizes[i], &end, 10);
        if (end == sizes[i] || *end != '\0' || size < 1 || size > kLargestIcon) {
            std::fprintf(stderr, "zumbra_content: icon size '%s' is not a number from 1 to %d\n",
                         sizes[i], kLargestIcon);
            return false;
        }
        std::string path = dir;
        path += "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!BeeIcon(int(size)).savePng(path)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 || argc < 2) {
        std::fprintf(stderr, "usage: %s <output directory> [<icon directory> <size>...]\n",
                     argv[0]);
        return 2;
    }
    const int written = writeContent(argv[1]);
    if (written < 0) {
        return 1;
    }
    if (argc > 3 && !writeIcons(argv[2], argc - 3, argv + 3)) {
        return 1;
    }
    std::printf("content: %d files in %s\n", written, argv[1]);
    return 0;
}
