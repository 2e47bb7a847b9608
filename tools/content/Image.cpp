#include "content/Image.h"

#include <IL/il.h>

#include <cmath>
#include <cstdio>

Image::Image(int width, int height) : w(width), h(height), pixels(size_t(width) * height) {}

void Image::paint(const std::function<Color(double u, double v)>& f, int samples) {
    const double step = 1.0 / samples;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Color sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    sum = sum + f((x + (sx + 0.5) * step) / w, (y + (sy + 0.5) * step) / h);
                }
            }
            set(x, y, sum * (1.0 / (samples * samples)));
        }
    }
}

std::vector<unsigned char> Image::bytes() const {
    std::vector<unsigned char> out(pixels.size() * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Color& c = pixels[i];
        out[3 * i + 0] = static_cast<unsigned char>(std::lround(clamp01(c.r) * 255.0));
        out[3 * i + 1] = static_cast<unsigned char>(std::lround(clamp01(c.g) * 255.0));
        out[3 * i + 2] = static_cast<unsigned char>(std::lround(clamp01(c.b) * 255.0));
    }
    return out;
}

bool Image::save(const std::string& path) const {
    return write(path, w, h, 3, bytes(), "image");
}

bool Image::write(const std::string& path, int width, int height, int channels,
                  const std::vector<unsigned char>& topFirst, const char* what) {
    static bool initialised = false;
    if (!initialised) {
        ilInit();
        ilEnable(IL_FILE_OVERWRITE);
        initialised = true;
    }
    // DevIL takes a new image's rows bottom first and writes them to the file top first.
    std::vector<unsigned char> bottomFirst(topFirst.size());
    const size_t row = size_t(width) * size_t(channels);
    for (int y = 0; y < height; ++y) {
        std::copy(topFirst.begin() + y * row, topFirst.begin() + (y + 1) * row,
                  bottomFirst.begin() + (height - 1 - y) * row);
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const ILenum format = channels == 4 ? IL_RGBA : IL_RGB;
    bool ok = ilTexImage(width, height, 1, static_cast<ILubyte>(channels), format, IL_UNSIGNED_BYTE,
                         bottomFirst.data()) == IL_TRUE;
    const bool targa = path.size() > 4 && path.compare(path.size() - 4, 4, ".tga") == 0;
    ok = ok && ilSave(targa ? IL_TGA : IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    if (!ok) {
        std::fprintf(stderr, "%s: DevIL could not write the %s\n", path.c_str(), what);
    }
    return ok;
}
