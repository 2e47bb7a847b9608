#include <cmath>

#include "content/Noise.h"
#include "content/Paint.h"
#include "content/Textures.h"

using paint::fract;
using paint::line;

namespace {

// The floor picture repeats ten times across a 40 x 80 tile, so one copy
// covers 4 x 8 units: two big limestone flags, 4 units square, each a little
// different, with a slate diamond set into every corner where four flags meet.
Image paintFloor() {
    const Noise n(0xF100u);
    Image image(256, 512);
    image.paint([&](double u, double v) {
        const double x = u, y = v * 2.0;  // flag units
        const int flag = y < 1.0 ? 0 : 1;
        const double fx = x, fy = y - flag;
        const double cloud = n.fractal(u * 8.0, v * 16.0, 8, 5);
        const double vein = line(n.fractal(u * 3.0 + 17.0, v * 6.0, 3, 4) - 0.5, 0.012);
        const double speck = smoothstep(0.78, 0.85, n.value(u * 96.0, v * 192.0, 96));
        Color stone = flag == 0 ? mix(rgb255(222, 210, 182), rgb255(240, 232, 210), cloud)
                                : mix(rgb255(214, 200, 170), rgb255(234, 222, 196), cloud);
        stone = mix(stone, rgb255(176, 164, 140), 0.5 * vein + 0.3 * speck);
        // Flags are worn a little darker toward their edges.
        const double edge = std::min(std::min(fx, 1.0 - fx), std::min(fy, 1.0 - fy));
        stone = stone * (0.9 + 0.1 * smoothstep(0.0, 0.1, edge));
        // The corner diamonds: distance to the nearest flag corner in the L1 norm.
        const double cx = std::min(fx, 1.0 - fx), cy = std::min(fy, 1.0 - fy);
        const double diamond = cx + cy;
        const Color slate = mix(rgb255(46, 92, 78), rgb255(70, 122, 102), cloud);
        Color c = mix(stone, slate, 1.0 - smoothstep(0.15, 0.16, diamond));
        c = mix(c, rgb255(150, 140, 116), line(diamond - 0.155, 0.008));  // its brass rim
        // The joints between flags.
        const double joint = 1.0 - smoothstep(0.006, 0.012, edge);
        return mix(c, rgb255(92, 84, 70), joint * smoothstep(0.14, 0.17, diamond));
    });
    return image;
}

// The plinth: two courses of sandstone blocks per band, staggered. Each wall
// facet shows this picture twice across.
Image paintStone() {
    const Noise n(0x570Eu);
    Image image(256, 128);
    image.paint([&](double u, double v) {
        const int course = v < 0.5 ? 0 : 1;
        const double y = fract(v * 2.0);
        const double x = fract(u * 2.0 + 0.5 * course);  // two blocks per course
        // Two blocks a course; the half blocks at the edges are one block wrapped round.
        const int block = static_cast<int>(std::floor(u * 2.0 + 0.5 * course)) % 2;
        const double tint = n.cell(block, course) - 0.5;
        const double grain = n.fractal(u * 16.0, v * 8.0, 16, 4);
        Color c = mix(rgb255(196, 160, 118), rgb255(222, 190, 146), grain) * (1.0 + 0.15 * tint);
        const double edge = std::min(std::min(x, 1.0 - x) * 4.0, std::min(y, 1.0 - y));
        c = c * (0.85 + 0.15 * smoothstep(0.0, 0.12, edge));
        return mix(c, rgb255(110, 96, 80), 1.0 - smoothstep(0.03, 0.06, edge));
    });
    return image;
}

// Painted iron for ribs, bars and ring beams: deep green with rows of
// rivets along the edges of a band and a little wear.
Image paintIron() {
    const Noise n(0x1A0Eu);
    Image image(128, 128);
    image.paint([&](double u, double v) {
        const double grain = n.fractal(u * 8.0, v * 8.0, 8, 4);
        Color c = mix(rgb255(28, 72, 58), rgb255(44, 100, 80), grain);
        const double wear = smoothstep(0.72, 0.85, n.fractal(u * 4.0 + 3.0, v * 4.0, 4, 3));
        c = mix(c, rgb255(90, 84, 70), 0.5 * wear);
        for (double row : {0.14, 0.86}) {
            const double du = fract(u * 8.0) - 0.5, dv = (v - row) * 8.0;
            const double d = std::sqrt(du * du + dv * dv);
            c = mix(c, rgb255(96, 150, 124), line(d, 0.22));
            c = mix(c, rgb255(16, 40, 32), line(d - 0.26, 0.06));
        }
        // Edge lines where the beam's faces meet.
        return c * (0.85 + 0.15 * smoothstep(0.0, 0.06, std::min(v, 1.0 - v)));
    });
    return image;
}

// One pane of glass with the sky behind it: glazing bars split it into six
// lights, clouds drift behind, and a sheen crosses it diagonally.
Image paintGlass() {
    const Noise n(0x61A5u);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        Color sky = mix(rgb255(120, 176, 228), rgb255(196, 226, 240), v);
        const double cloud = smoothstep(0.5, 0.78, n.fractal(u * 3.0, v * 2.0, 3, 5));
        sky = mix(sky, rgb255(250, 250, 246), 0.85 * cloud);
        const double sheen = line(fract(u * 0.8 + v * 0.55) - 0.5, 0.08);
        sky = sky + Color(0.12, 0.12, 0.1) * sheen;
        // Bars: 3 lights across, 2 up; a putty line round the edge.
        const double bx = std::fabs(fract(u * 3.0 + 0.5) - 0.5) * 2.0;  // 1 at a bar
        const double by = std::fabs(fract(v * 2.0 + 0.5) - 0.5) * 2.0;
        const double bar = std::max(smoothstep(0.955, 0.97, bx), smoothstep(0.955, 0.97, by));
        const double frame =
            1.0 - smoothstep(0.0, 0.025, std::min(std::min(u, 1 - u), std::min(v, 1 - v)));
        const Color iron = rgb255(36, 88, 70);
        return mix(sky, iron, std::max(bar, frame));
    });
    return image;
}

// The lantern: the drum's louvres in the top half, the copper vault with its
// green patina and seams in the bottom half.
Image paintLantern() {
    const Noise n(0xC0Fu);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        if (v < 0.5) {
            const double y = v * 2.0;
            const double louvre = 0.5 + 0.5 * std::sin(y * 2.0 * kPi * 6.0);
            const double window = smoothstep(0.1, 0.14, u) * smoothstep(0.9, 0.86, u) *
                                  smoothstep(0.08, 0.14, y) * smoothstep(0.92, 0.86, y);
            const Color copper = mix(rgb255(150, 96, 58), rgb255(84, 160, 140), 0.6);
            return mix(copper, rgb255(40, 50, 46) * (0.6 + 0.6 * louvre), window);
        }
        const double patina = n.fractal(u * 4.0, v * 8.0, 4, 5);
        Color c = mix(rgb255(84, 156, 136), rgb255(118, 176, 152), patina);
        c = mix(c, rgb255(130, 100, 66), 0.5 * smoothstep(0.68, 0.8, patina));
        const double seam =
            std::max(line(fract(u * 2.0) - 0.5, 0.02), line(fract(v * 6.0) - 0.5, 0.03));
        return mix(c, rgb255(60, 110, 96), seam);
    });
    return image;
}

}  // namespace

std::vector<NamedImage> paintHallTextures() {
    std::vector<NamedImage> out;
    out.push_back({"floor.tga", paintFloor()});
    out.push_back({"dome_wall.tga", paintStone()});
    out.push_back({"dome_frame.tga", paintIron()});
    out.push_back({"glass.tga", paintGlass()});
    out.push_back({"dome_top.tga", paintLantern()});
    return out;
}
