#pragma once

#include <functional>
#include <string>
#include <vector>

#include "content/Color.h"

// A picture being painted: RGB, row 0 at the top as a viewer shows it.
class Image {
public:
    Image(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Color at(int x, int y) const { return pixels[size_t(y) * w + x]; }
    void set(int x, int y, const Color& c) { pixels[size_t(y) * w + x] = c; }

    // Sets every pixel from f(u, v), u and v in [0, 1) across the picture,
    // averaging samples x samples points per pixel to soften edges.
    void paint(const std::function<Color(double u, double v)>& f, int samples = 3);

    // 8-bit channels, rows from the top: what the file holds.
    std::vector<unsigned char> bytes() const;
    // Writes the picture through DevIL in the format its name ends with:
    // ".tga" (uncompressed, which the game reads without decoding) or
    // ".png" (the desktop's icons); false when DevIL refuses.
    bool save(const std::string& path) const;
    // The same for any 8-bit RGB (3 channels) or RGBA (4) pixels, rows from
    // the top; `what` names the picture in the error line.
    static bool write(const std::string& path, int width, int height, int channels,
                      const std::vector<unsigned char>& topFirst, const char* what);

private:
    int w;
    int h;
    std::vector<Color> pixels;
};
