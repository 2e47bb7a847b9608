#include "assets/ImageFiles.h"

#include <IL/ilu.h>
#include <sys/stat.h>

#include <map>
#include <tuple>

#include "assets/RegularFile.h"

namespace {

using Identity = std::tuple<std::string, dev_t, ino_t, off_t, long, long>;

std::map<Identity, ImageFiles::Image>& images() {
    static std::map<Identity, ImageFiles::Image> all;
    return all;
}

}  // namespace

ImageFiles::Image* ImageFiles::lookUp(const char* fileName, std::string& reason) {
    // DevIL opens the file itself: it must not meet a FIFO or a device there.
    struct stat info {};
    if (!RegularFile::check(fileName, &reason) || stat(fileName, &info) != 0) {
        return nullptr;
    }
    const Identity identity{fileName,     info.st_dev,         info.st_ino,
                            info.st_size, info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
    const auto known = images().find(identity);
    if (known != images().end()) {
        ilBindImage(known->second.name);
        return &known->second;
    }
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    if (ilLoadImage(fileName) == IL_FALSE) {
        reason = std::string("cannot load image: ") + iluErrorString(ilGetError());
        ilDeleteImages(1, &name);
        return nullptr;
    }
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    Image image{name,
                ilGetInteger(IL_IMAGE_BPP),
                ilGetInteger(IL_IMAGE_WIDTH),
                ilGetInteger(IL_IMAGE_HEIGHT),
                ilGetInteger(IL_IMAGE_FORMAT),
                0};
    return &images().emplace(identity, image).first->second;
}
