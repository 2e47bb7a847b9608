#include "content/Placement.h"

#include <cmath>
#include <cstdio>

#include "content/DomeModel.h"
#include "content/Rng.h"
#include "content/Vec3.h"

std::vector<std::vector<FlowerSpot>> planFlowerBeds(const std::vector<double>& footprints) {
    struct Placed {
        double x, z, reach;
    };
    std::vector<Placed> placed;
    std::vector<std::vector<FlowerSpot>> beds(footprints.size());
    Rng rng(0x20F10E5ull);
    // Kinds take turns so none is crowded out to the edges.
    for (int round = 0; round < placement::kPerKind; ++round) {
        for (size_t kind = 0; kind < footprints.size(); ++kind) {
            for (int attempt = 0; attempt < 10000; ++attempt) {
                const double scale = rng.range(0.85, 1.2);
                const double reach = footprints[kind] * scale;
                const double limit = dome::innerRadius() - placement::kWallClearance - reach;
                const double r = limit * std::sqrt(rng.uniform());
                const double a = rng.range(0.0, 2.0 * kPi);
                const double x = std::round(r * std::cos(a) * 100.0) / 100.0;
                const double z = std::round(r * std::sin(a) * 100.0) / 100.0;
                bool clear = std::hypot(x - placement::kStartX, z - placement::kStartZ) >=
                             reach + placement::kStartClearance;
                for (const Placed& p : placed) {
                    clear =
                        clear && std::hypot(x - p.x, z - p.z) >= reach + p.reach + placement::kGap;
                }
                if (clear) {
                    placed.push_back({x, z, reach});
                    beds[kind].push_back({x, z, scale});
                    break;
                }
            }
        }
    }
    return beds;
}

std::string placementText(const FlowerKind& kind, const std::vector<FlowerSpot>& spots) {
    const bool separatorEnds = kind.layout == PlacementReader::Layout::TerminatorAsSeparator;
    std::string text;
    auto line = [&](const char* format, double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        text += buffer;
        text += '\n';
    };
    for (size_t i = 0; i < spots.size(); ++i) {
        const FlowerSpot& s = spots[i];
        line("%.2f", s.x);
        line("%.1f", 0.0);  // y: on the floor
        line("%.2f", s.z);
        line("%.1f", 0.0);  // pitch
        line("%.1f", 0.0);  // yaw
        line("%.1f", 0.0);  // roll
        line("%.4f", s.worldScale / kind.scaleFactor);
        const bool last = i + 1 == spots.size();
        if (last && separatorEnds) {
            text += "$$$\n";  // stands in for the last separator
        } else {
            text += "\n";
        }
    }
    if (!separatorEnds) {
        text += "$$$\n";  // stands where the next record would start
    } else if (spots.empty()) {
        return text;  // an empty file ends the list at once
    }
    text += "end\n";  // the loader reads and ignores the line after "$$$"
    return text;
}
