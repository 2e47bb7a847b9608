#include <cmath>

#include "content/FlowerFiles.h"
#include "content/FlowerModels.h"
#include "content/Noise.h"
#include "content/Paint.h"
#include "content/Textures.h"

using paint::fract;
using paint::fromMidrib;
using paint::inRegion;
using paint::line;
using paint::upperFace;

namespace {

// Leaves (u round the blade, v base to tip) and stems (u round, v up).
Image paintLeaf() {
    const Noise n(0x1EAFu);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        double lu, lv;
        if (inRegion(flowerAtlas::kLeaf, u, v, lu, lv)) {
            const double m = fromMidrib(lu);
            const double grain = n.fractal(lu * 16.0, lv * 16.0, 16, 3);
            Color c = upperFace(lu) ? mix(rgb255(52, 122, 40), rgb255(82, 158, 56), grain)
                                    : mix(rgb255(92, 150, 70), rgb255(120, 172, 90), grain);
            c = c * (0.9 + 0.15 * lv);
            // Midrib and side veins running out toward the tip.
            const double rib = line(m, 0.05);
            const double veins = line(fract(lv * 7.0 - m * 1.2) - 0.5, 0.04) * (1.0 - rib);
            c = mix(c, rgb255(170, 210, 120), 0.8 * rib + 0.35 * veins);
            return c * (1.0 - 0.2 * smoothstep(0.75, 1.0, m));
        }
        inRegion(flowerAtlas::kStem, u, v, lu, lv);
        const double streak = n.fractal(lu * 16.0, lv * 4.0, 16, 3);
        return mix(rgb255(62, 128, 48), rgb255(104, 164, 70), streak);
    });
    return image;
}

// Tulip petal, the outside of the goblet: u across it (midrib at 0.5), v
// from its foot to its tip. Red with a yellow foot, darker at the edges
// where it meets the next petal.
Image paintTulip() {
    const Noise n(0x7011u);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        const double m = std::fabs(u - 0.5) * 2.0;
        const double streaks = n.fractal(m * 6.0, v * 24.0, 6, 3);
        Color c = mix(rgb255(200, 20, 30), rgb255(236, 54, 44), streaks);
        c = mix(c, rgb255(250, 120, 80), 0.35 * smoothstep(0.75, 1.0, v) * m);
        c = mix(c, rgb255(240, 200, 40), smoothstep(0.3, 0.12, v + 0.05 * m));
        c = c * (1.0 - 0.25 * smoothstep(0.8, 1.0, m));
        return c * (1.0 - 0.12 * line(m, 0.08));
    });
    return image;
}

// Bellflower: the bell (u round it, v from its foot to the rim) and the
// pale pistil.
Image paintBell() {
    const Noise n(0xBE11u);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        double lu, lv;
        if (inRegion(flowerAtlas::kBell, u, v, lu, lv)) {
            const double grain = n.fractal(lu * 20.0, lv * 10.0, 20, 3);
            Color c = mix(rgb255(80, 70, 200), rgb255(140, 128, 240), smoothstep(0.2, 1.0, lv));
            c = c * (0.9 + 0.2 * grain);
            // Five veins, one down the middle of each lobe.
            const double vein = line(fract(lu * 5.0) - 0.5, 0.03) * (1.0 - 0.6 * lv);
            return mix(c, rgb255(52, 36, 140), 0.7 * vein);
        }
        inRegion(flowerAtlas::kStamen, u, v, lu, lv);
        return mix(rgb255(246, 240, 200), rgb255(250, 226, 120), lv);
    });
    return image;
}

// A ray petal (sunflower or cosmos) and its seed disc: the disc's v runs
// from the back pole over the rim (kDiscFaceStart) to the centre of its face.
struct RayColors {
    Color petalFoot, petal, petalTip, ring;
    Color discBack, florets, seeds;
};

Color paintDisc(const Noise& n, const RayColors& k, double u, double v, double seedsPerRing) {
    if (v < kDiscFaceStart - 0.05) {
        // The green bracts behind the head: overlapping pointed scales.
        const double scale = fract(u * 24.0 + 0.5 * std::floor(v * 8.0));
        const double tip = fract(v * 8.0);
        const double edge = line(std::fabs(scale - 0.5) * 2.0 - (1.0 - tip), 0.08);
        return mix(k.discBack, k.discBack * 0.6, edge);
    }
    // Face: the distance from the centre is about (1 - v) / (1 - start).
    const double rho = clamp01((1.0 - v) / (1.0 - kDiscFaceStart));
    const double angle = 2.0 * kPi * u;
    // Seeds on a golden-angle spiral: find the nearest of the seeds near this radius.
    const double count = seedsPerRing;
    const double x = rho * std::cos(angle), y = rho * std::sin(angle);
    const int centre = static_cast<int>(rho * rho * count);
    double nearest = 1e9;
    for (int i = std::max(0, centre - 40); i < centre + 40; ++i) {
        const double r = std::sqrt((i + 0.5) / count);
        const double a = i * 2.39996322972865332;
        const double dx = x - r * std::cos(a), dy = y - r * std::sin(a);
        nearest = std::min(nearest, dx * dx + dy * dy);
    }
    const double seed = 1.0 - smoothstep(0.0, 0.9 / count, nearest);
    Color c = mix(k.seeds * 0.55, k.seeds, seed);
    c = c * (0.85 + 0.3 * n.value(u * 32.0, v * 16.0, 32));
    // A ring of open florets round the rim.
    return mix(c, k.florets, smoothstep(0.72, 0.95, rho));
}

Color paintRayPetal(const Noise& n, const RayColors& k, double u, double v) {
    const double m = fromMidrib(u);
    const double streaks = n.fractal(m * 5.0, v * 20.0, 5, 3);
    Color c = mix(k.petalFoot, k.petal, smoothstep(0.0, 0.35, v));
    c = mix(c, k.petalTip, smoothstep(0.7, 1.0, v));
    c = mix(c, k.ring, smoothstep(0.22, 0.08, v));
    c = c * (0.85 + 0.25 * streaks);
    // Fine grooves along the petal.
    c = c * (1.0 - 0.12 * line(fract(m * 3.0) - 0.5, 0.12));
    // Darker edges part the petals where a head's petals meet.
    c = c * (1.0 - 0.3 * smoothstep(0.75, 1.0, m));
    return upperFace(u) ? c : c * 0.85;
}

Image paintRayFlower(const RayColors& k, uint32_t seed, double seedsPerRing) {
    const Noise n(seed);
    Image image(256, 256);
    image.paint([&](double u, double v) {
        double lu, lv;
        if (inRegion(flowerAtlas::kRayPetal, u, v, lu, lv)) {
            return paintRayPetal(n, k, lu, lv);
        }
        inRegion(flowerAtlas::kDisc, u, v, lu, lv);
        return paintDisc(n, k, lu, lv, seedsPerRing);
    });
    return image;
}

}  // namespace

std::vector<NamedImage> paintFlowerTextures() {
    const RayColors sunflower = {rgb255(230, 130, 20), rgb255(252, 196, 20), rgb255(255, 220, 60),
                                 rgb255(220, 110, 10), rgb255(70, 120, 40),  rgb255(230, 150, 20),
                                 rgb255(96, 56, 24)};
    const RayColors cosmos = {rgb255(200, 30, 110), rgb255(244, 110, 180), rgb255(252, 190, 220),
                              rgb255(170, 20, 90),  rgb255(80, 130, 50),   rgb255(250, 220, 60),
                              rgb255(230, 170, 20)};
    std::vector<NamedImage> out;
    out.push_back({"leaf.tga", paintLeaf()});
    out.push_back({flowerFiles::blossomPicture(kFlowerKinds[0]), paintTulip()});
    out.push_back({flowerFiles::blossomPicture(kFlowerKinds[1]), paintBell()});
    out.push_back(
        {flowerFiles::blossomPicture(kFlowerKinds[2]), paintRayFlower(sunflower, 0x5C0Fu, 220.0)});
    out.push_back(
        {flowerFiles::blossomPicture(kFlowerKinds[3]), paintRayFlower(cosmos, 0xC05Du, 60.0)});
    return out;
}
