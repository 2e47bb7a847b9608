#pragma once

#include <string>
#include <vector>

// The game's desktop icon: a striped bee over a honeycomb cell, on a
// transparent background so it sits on any panel or menu.
class BeeIcon {
public:
    // Paints the icon at size x size pixels.
    explicit BeeIcon(int size = 256);

    int size() const { return side; }
    // 8-bit RGBA, rows from the top, colours not premultiplied.
    const std::vector<unsigned char>& rgba() const { return pixels; }
    // Writes an RGBA PNG through DevIL; false (with a line on stderr) when it cannot.
    bool savePng(const std::string& path) const;

private:
    int side;
    std::vector<unsigned char> pixels;
};
