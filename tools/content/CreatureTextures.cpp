#include <cmath>

#include "content/BeeModel.h"
#include "content/BombModel.h"
#include "content/Noise.h"
#include "content/Paint.h"
#include "content/Textures.h"

using paint::fract;
using paint::inRegion;
using paint::line;

namespace {

// The bee is drawn in yellow, which keeps only red and green: "white" here
// comes out yellow, and blue is painted only so the file looks right alone.
Color beeTone(double r, double g) {
    return {r, g, 0.35 * g};
}

// Fur: fine streaks along v, broken up across u.
double fur(const Noise& n, double u, double v, int across, int along) {
    return n.fractal(u * across, v * along, across, 3);
}

Color paintAbdomen(const Noise& n, double u, double v) {
    // Bands from the waist (v = 0) to the tail (v = 1): dark, gold, dark, ...
    static const double kEdges[] = {0.1, 0.3, 0.42, 0.6, 0.71, 0.84};
    const double wobble =
        0.025 * (n.value(u * 24.0, 3.0, 24) - 0.5) + 0.01 * (n.value(u * 96.0, v * 8.0, 96) - 0.5);
    int band = 0;
    for (double e : kEdges) {
        band += v + wobble > e ? 1 : 0;
    }
    const bool gold = band % 2 == 1;
    const double hair = fur(n, u, v, 64, 24);
    const double shade = 0.8 + 0.2 * std::cos(2.0 * kPi * u);  // u = 0 is the back
    Color c = gold ? beeTone(1.0, 0.78 + 0.12 * hair) : beeTone(0.16, 0.11);
    c = c * (0.75 + 0.35 * hair) * shade;
    // A soft sheen along the back.
    return c + Color(0.1, 0.08, 0.04) * line(fract(u + 0.5) - 0.5, 0.12);
}

Color paintThorax(const Noise& n, double u, double v) {
    const double hair = fur(n, u, v, 48, 32);
    // Darker where it meets the waist and the head (the poles).
    const double ends = smoothstep(0.0, 0.25, v) * smoothstep(1.0, 0.7, v);
    return beeTone(0.95, 0.66) * (0.55 + 0.5 * hair) * (0.55 + 0.45 * ends);
}

Color paintHead(const Noise& n, double u, double v) {
    const double hair = fur(n, u, v, 48, 32);
    // The face (toward the front pole) carries a pale hairy shield.
    const double face = smoothstep(0.72, 0.9, v) * line(fract(u + 0.25) - 0.5, 0.3);
    return mix(beeTone(0.17, 0.12), beeTone(0.85, 0.65), 0.6 * face) * (0.7 + 0.5 * hair);
}

Color paintEye(const Noise& n, double u, double v) {
    // Glossy and faceted, with one bright highlight up front.
    const double facets = n.value(u * 64.0, v * 32.0, 64);
    Color c = beeTone(0.1, 0.07) * (0.8 + 0.4 * facets);
    const double du = fract(u - 0.28 + 0.5) - 0.5, dv = v - 0.72;
    const double spot = std::exp(-(du * du * 900.0 + dv * dv * 300.0));
    return c + Color(0.9, 0.9, 0.9) * spot;
}

Color paintDark(const Noise& n, double u, double v) {
    // Legs and feelers: near black, with lighter joints.
    const double joints = line(fract(v * 4.0) - 0.5, 0.06);
    return beeTone(0.13, 0.1) * (0.8 + 0.4 * n.value(u * 16.0, v * 64.0, 16)) +
           beeTone(0.25, 0.18) * joints;
}

Image paintBee() {
    const Noise n(0xB33u);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        double lu, lv;
        if (inRegion(beeAtlas::kAbdomen, u, v, lu, lv)) {
            return paintAbdomen(n, lu, lv);
        }
        if (inRegion(beeAtlas::kThorax, u, v, lu, lv)) {
            return paintThorax(n, lu, lv);
        }
        if (inRegion(beeAtlas::kHead, u, v, lu, lv)) {
            return paintHead(n, lu, lv);
        }
        if (inRegion(beeAtlas::kEye, u, v, lu, lv)) {
            return paintEye(n, lu, lv);
        }
        inRegion(beeAtlas::kDark, u, v, lu, lv);
        return paintDark(n, lu, lv);
    });
    return image;
}

Image paintWings() {
    // Clear membrane with dark veins; u runs round the thin section (top face
    // 0..0.5, bottom 0.5..1), v from the hinge to the tip.
    const Noise n(0x5161u);
    Image image(128, 128);
    image.paint([&](double u, double v) {
        const double across = fract(2.0 * u);  // 0 at one edge, 1 at the other, per face
        const double shimmer = n.fractal(across * 6.0, v * 6.0, 6, 3);
        Color c = mix(Color(0.78, 0.86, 0.92), Color(0.93, 0.9, 0.98), shimmer);
        double vein = 0.0;
        for (double at : {0.14, 0.33, 0.5, 0.67, 0.86}) {
            vein = std::max(vein, line(across - at - 0.04 * std::sin(v * 5.0), 0.018));
        }
        for (double at : {0.3, 0.52, 0.7}) {
            vein = std::max(vein, line(v - at - 0.05 * across, 0.012));
        }
        const double rim =
            smoothstep(0.06, 0.0, std::min(across, 1.0 - across)) + smoothstep(0.9, 1.0, v);
        return mix(c, Color(0.3, 0.27, 0.25), std::min(1.0, 0.75 * vein + 0.6 * rim));
    });
    return image;
}

Image paintBomb() {
    // Drawn in (0.5, 0.5, 0): the picture sets how light each part is.
    const Noise n(0xB0Bu);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        double lu, lv;
        if (inRegion(bombAtlas::kBody, u, v, lu, lv)) {
            // lv: 0 at the bottom pole, 1 at the top. A cast-iron ball with a
            // riveted seam and a soft highlight up and to one side.
            const double grain = n.fractal(lu * 32.0, lv * 16.0, 32, 4);
            Color c = Color(0.16, 0.16, 0.18) * (0.8 + 0.4 * grain);
            const double du = fract(lu - 0.3 + 0.5) - 0.5, dv = lv - 0.72;
            c = c + Color(0.75, 0.75, 0.75) * std::exp(-(du * du * 60.0 + dv * dv * 40.0));
            const double seam = line(lv - 0.5, 0.02);
            const double rivet = line(fract(lu * 24.0) - 0.5, 0.18) * line(lv - 0.53, 0.025);
            return mix(c, Color(0.45, 0.45, 0.45), std::max(seam * 0.7, rivet));
        }
        if (inRegion(bombAtlas::kCollar, u, v, lu, lv)) {
            const double ridges = 0.5 + 0.5 * std::cos(lv * 2.0 * kPi * 6.0);
            return Color(0.95, 0.75, 0.35) * (0.55 + 0.45 * ridges);
        }
        if (inRegion(bombAtlas::kFuse, u, v, lu, lv)) {
            // Twisted cord: diagonal strands, scorched toward the tip.
            const double strands = 0.5 + 0.5 * std::sin((lu * 3.0 + lv * 6.0) * 2.0 * kPi);
            const Color cord = Color(0.75, 0.6, 0.4) * (0.6 + 0.4 * strands);
            return mix(cord, Color(0.15, 0.12, 0.1), smoothstep(0.7, 1.0, lv));
        }
        inRegion(bombAtlas::kSpark, u, v, lu, lv);
        return mix(Color(1.0, 0.85, 0.3), Color(1.0, 1.0, 0.9), n.value(lu * 8, lv * 8, 8));
    });
    return image;
}

}  // namespace

std::vector<NamedImage> paintCreatureTextures() {
    std::vector<NamedImage> out;
    out.push_back({"bee.tga", paintBee()});
    out.push_back({"bee_wings.tga", paintWings()});
    out.push_back({"bomb.tga", paintBomb()});
    return out;
}
