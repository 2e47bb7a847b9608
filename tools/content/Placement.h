#pragma once

#include <string>
#include <vector>

#include "assets/FlowerKind.h"

// Where the flowers stand. Positions are drawn from a fixed-seed generator
// inside the hall, each flower's footprint (its model's reach around its
// stem, at its scale) clear of every other by a margin the bee can fly
// through, clear of the walls and of the column the bee starts in.
struct FlowerSpot {
    double x;
    double z;
    double worldScale;  // as drawn; the file holds worldScale / scaleFactor
};

namespace placement {
constexpr int kPerKind = 10;
constexpr double kStartX = -20.0;  // the bee's start column
constexpr double kStartZ = 0.0;
constexpr double kStartClearance = 8.0;
constexpr double kGap = 3.0;  // between two footprints
constexpr double kWallClearance = 5.0;
}  // namespace placement

// footprints[k]: the reach of kind k's model from its axis in model units.
std::vector<std::vector<FlowerSpot>> planFlowerBeds(const std::vector<double>& footprints);

// The placement file of one kind in that kind's layout ("$$$" where the next
// record's first line would be, or in place of the last record's separator),
// every line at most 29 characters.
std::string placementText(const FlowerKind& kind, const std::vector<FlowerSpot>& spots);
