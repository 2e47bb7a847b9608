#pragma once

#include "content/MeshBuilder.h"

// The glass hall, modelled in world coordinates around the origin and seen
// from inside: a 24-sided glasshouse of radius 75 with walls to y = 30 and a
// faceted roof up to a lantern whose top is near y = 70. Its four shells:
//   dome          stone plinth and the iron ring beams
//   dome_top      the lantern that closes the roof
//   dome_fronts   the iron ribs and glazing bars (closed beams)
//   dome_fenster  the glass panes between them
// Shells face inward: counter-clockwise seen from inside, normals toward
// the hall. Together with the floor they leave no gap for the bee.
namespace dome {
constexpr int kSides = 24;
constexpr double kRadius = 75.0;  // to the corners of the 24-gon
constexpr double kWallTop = 30.0;
constexpr double kRoofRise = 32.0;
constexpr double kLanternRadius = 14.0;
constexpr double kApex = 70.0;
// Distance from the centre to the middle of a wall facet.
double innerRadius();
}  // namespace dome

MeshBuilder buildDome();
MeshBuilder buildDomeTop();
MeshBuilder buildDomeFronts();
MeshBuilder buildDomeWindows();
