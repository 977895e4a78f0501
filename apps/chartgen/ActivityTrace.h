#pragma once
// Radial extent of the activity trace for each chart kind and activity, around the recording
// centre. Standard and thin charts draw bars from a common base (the inner edge of the hour
// ring) whose height tells the activity; stepped charts draw a thin line at one of four step
// levels; the pseudo-stepped kind draws non-driving as thin step lines and driving as a
// thick band, since its reading tells only driving from the rest.

#include "chartgen/ChartGeometry.h"

#include <optional>

namespace chartgen {

struct Band {
    double from = 0, to = 0; // radii; pixels whose centres lie in from..to (to excluded)
};

// Centre radius of step level n (1..4). The stepped reading scans 346-364, 374-392, 402-420,
// 430-448, raised by the upper-edge offset (5 everywhere on a concentric stepped chart): the
// lines sit where both versions of each window overlap.
double stepLevelCentre(int n);
// Level of an activity on stepped charts: rest 1, availability 2, other work 3, driving 4.
int stepLevel(int czy_praca);

// What is drawn for the activity at a given kind; nullopt for no data.
std::optional<Band> activityBand(const ChartGeometry& g, int typ, int czy_praca);

// Radii the activity trace of a kind can occupy (for noise that cuts the trace).
Band activityReach(const ChartGeometry& g, int typ);

} // namespace chartgen
