// The icon is painted from signed distances (negative inside a shape) in
// picture units, u right and v down across [0, 1]. Layers are composited
// front over back with premultiplied alpha on a 4 x 4 grid of samples per
// pixel, so edges stay smooth at any size and the background stays clear.
#include "content/BeeIcon.h"

#include <algorithm>
#include <cmath>

#include "content/Color.h"
#include "content/Image.h"

namespace {

constexpr int kSamples = 4;
constexpr double kBeeAngle = 0.52;  // the bee climbs towards the top left
constexpr double kCellApothem = 0.40;
constexpr double kCellRounding = 0.04;
constexpr double kCellBorder = 0.035;
constexpr double kOutline = 0.018;

struct Rgba {
    double r = 0.0, g = 0.0, b = 0.0, a = 0.0;  // premultiplied

    // Lays colour c with coverage alpha over what is there.
    void over(const Color& c, double alpha) {
        r = c.r * alpha + r * (1.0 - alpha);
        g = c.g * alpha + g * (1.0 - alpha);
        b = c.b * alpha + b * (1.0 - alpha);
        a = alpha + a * (1.0 - alpha);
    }
};

struct P {
    double x, y;
};

P rotate(P p, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {c * p.x + s * p.y, -s * p.x + c * p.y};
}

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double circle(P p, P centre, double radius) {
    return length(p.x - centre.x, p.y - centre.y) - radius;
}

// Close to the true distance for the moderate aspect ratios used here.
double ellipse(P p, P centre, double rx, double ry) {
    const double x = (p.x - centre.x) / rx, y = (p.y - centre.y) / ry;
    return (length(x, y) - 1.0) * std::min(rx, ry);
}

double segment(P p, P a, P b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return length(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// A hexagon with flat top and bottom edges at +-apothem from its centre.
double hexagon(P p, double apothem) {
    const double kx = -0.866025404, ky = 0.5, kz = 0.577350269;
    double x = std::fabs(p.x), y = std::fabs(p.y);
    const double d = 2.0 * std::min(kx * x + ky * y, 0.0);
    x -= d * kx;
    y -= d * ky;
    x -= std::clamp(x, -kz * apothem, kz * apothem);
    y -= apothem;
    return std::copysign(length(x, y), y);
}

double inside(double distance) {
    return distance < 0.0 ? 1.0 : 0.0;
}

void paintCell(Rgba& out, P p) {
    const P c{p.x - 0.5, p.y - 0.5};
    const double d = hexagon(c, kCellApothem - kCellRounding) - kCellRounding;
    const Color rim = rgb255(140, 78, 14);
    const Color top = rgb255(255, 221, 110);
    const Color bottom = rgb255(240, 150, 30);
    out.over(rim, inside(d));
    out.over(mix(top, bottom, clamp01(p.y * 1.2 - 0.1)), inside(d + kCellBorder));
    // A lighter inner edge, as wax catches the light.
    out.over(rgb255(255, 240, 180), 0.7 * inside(std::fabs(d + 0.075) - 0.006));
}

// Body coordinates: x along the bee from the head (negative) to the sting,
// y from the back (negative, where the wings are) to the belly.
void paintBee(Rgba& out, P bee) {
    const Color ink = rgb255(28, 20, 14);
    const double abdomen = ellipse(bee, {0.07, 0.0}, 0.20, 0.135);
    const double thorax = circle(bee, {-0.13, 0.0}, 0.09);
    const double head = circle(bee, {-0.25, 0.01}, 0.072);
    const double body = std::min({abdomen, thorax, head});

    // Antennae and sting first: the body covers where they join it.
    for (const auto& [from, to] : {std::pair<P, P>{{-0.28, -0.04}, {-0.38, -0.15}},
                                   std::pair<P, P>{{-0.25, -0.05}, {-0.30, -0.19}}}) {
        out.over(ink, inside(segment(bee, from, to) - 0.009));
        out.over(ink, inside(circle(bee, to, 0.02)));
    }
    const double sting =
        bee.x > 0.24 && bee.x < 0.34 ? std::fabs(bee.y) - 0.3 * (0.34 - bee.x) : 1.0;
    out.over(ink, inside(sting));

    out.over(ink, inside(body - kOutline));
    // Round shading: lighter towards the back and the head.
    const double ex = (bee.x - 0.07) / 0.20, ey = bee.y / 0.135;
    const double shade = 0.8 + 0.25 * clamp01(-0.7 * ey - 0.3 * ex + 0.3);
    const bool stripe = bee.x > -0.06 && std::fmod(bee.x + 0.06, 0.095) > 0.052;
    const Color fur = stripe ? rgb255(40, 28, 18) : rgb255(255, 206, 28);
    out.over(fur * shade, inside(abdomen));
    out.over(rgb255(92, 58, 24) * shade, inside(thorax));
    out.over(rgb255(36, 26, 20), inside(head));
    out.over(rgb255(250, 250, 245), inside(circle(bee, {-0.275, -0.02}, 0.02)));

    // Wings: see-through, veined at the rim, over the back.
    const Color membrane = rgb255(235, 248, 255);
    const Color vein = rgb255(90, 110, 140);
    const struct {
        P centre;
        double rx, ry, tilt;
    } wings[] = {{{-0.02, -0.19}, 0.16, 0.075, -0.45}, {{0.09, -0.16}, 0.13, 0.062, -0.15}};
    for (const auto& w : wings) {
        const P local = rotate({bee.x - w.centre.x, bee.y - w.centre.y}, w.tilt);
        const double d = ellipse(local, {0.0, 0.0}, w.rx, w.ry);
        out.over(vein, 0.9 * inside(d - 0.006));
        out.over(membrane, 0.6 * inside(d + 0.006));
    }
}

Rgba sample(double u, double v) {
    Rgba out;
    paintCell(out, {u, v});
    paintBee(out, rotate({u - 0.5, v - 0.52}, kBeeAngle));
    return out;
}

unsigned char byte(double x) {
    return static_cast<unsigned char>(std::lround(clamp01(x) * 255.0));
}

}  // namespace

BeeIcon::BeeIcon(int size) : side(std::max(size, 1)), pixels(size_t(side) * side * 4) {
    const double step = 1.0 / kSamples;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            Rgba sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba s =
                        sample((x + (sx + 0.5) * step) / side, (y + (sy + 0.5) * step) / side);
                    sum.r += s.r;
                    sum.g += s.g;
                    sum.b += s.b;
                    sum.a += s.a;
                }
            }
            const double n = kSamples * kSamples;
            const double a = sum.a / n;
            unsigned char* px = &pixels[(size_t(y) * side + x) * 4];
            // Fully clear pixels keep black, so the PNG compresses and no colour bleeds.
            px[0] = a > 0.0 ? byte(sum.r / n / a) : 0;
            px[1] = a > 0.0 ? byte(sum.g / n / a) : 0;
            px[2] = a > 0.0 ? byte(sum.b / n / a) : 0;
            px[3] = byte(a);
        }
    }
}

bool BeeIcon::savePng(const std::string& path) const {
    return Image::write(path, side, side, 4, pixels, "icon");
}
