#include "chartgen/ActivityTrace.h"

namespace chartgen {

namespace {

// Bar tops above the base, chosen in the middle of the ladder counts each class needs (the
// read base itself wanders a pixel either way): standard ladder every 2 px to 24, thin ladder
// 2, 4, 5, 7, 8, 10, 12, 13, 14, 15, 16, 18.
constexpr double kTopStandard[4] = {2.5, 17.0, 24.0, 10.0}; // rest, work, driving, availability
constexpr double kTopThin[4] = {2.5, 13.5, 19.5, 8.5};
constexpr double kStepHalfWidth = 1.0;
// Driving band of the pseudo-stepped kind: thick enough to be read as driving anywhere.
constexpr double kPseudoDrivingHalf = 8.0;

} // namespace

double stepLevelCentre(int n) {
    return 357.5 + 28.0 * (n - 1);
}

int stepLevel(int czy_praca) {
    switch (czy_praca) {
    case 3:
        return 2;
    case 1:
        return 3;
    case 2:
        return 4;
    default:
        return 1;
    }
}

std::optional<Band> activityBand(const ChartGeometry& g, int typ, int czy_praca) {
    if (czy_praca < 0 || czy_praca > 3) return std::nullopt;
    if (typ == 0 || typ == 1) {
        const double top = (typ == 0 ? kTopStandard : kTopThin)[czy_praca];
        return Band{g.activityBase - 0.5, g.activityBase + top};
    }
    const double c = stepLevelCentre(stepLevel(czy_praca));
    if (typ == 3 && czy_praca == 2) return Band{c - kPseudoDrivingHalf, c + kPseudoDrivingHalf};
    return Band{c - kStepHalfWidth, c + kStepHalfWidth};
}

Band activityReach(const ChartGeometry& g, int typ) {
    if (typ == 0 || typ == 1) return {g.activityBase - 2, g.activityBase + 27};
    return {stepLevelCentre(1) - 4, stepLevelCentre(4) + kPseudoDrivingHalf + 2};
}

} // namespace chartgen
