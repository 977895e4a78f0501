#pragma once
// Circle through outline points, tolerant of a part of the outline that is not the circle
// (another disc lying over the rim, a clip, printing touching the edge).

#include <QPointF>

#include <cmath>
#include <vector>

namespace host::skan {

// Length of (x, y) by a plain square root: page coordinates cannot overflow, and std::hypot
// costs several times as much in the fits' loops.
inline double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

struct Circle {
    double cx = 0, cy = 0, r = 0;
};

struct CircleFit {
    bool ok = false;
    Circle circle;
    double rms = 0;          // of the inliers' distances to the circle
    std::size_t inliers = 0; // points within the final tolerance
};

// Least squares on the points' distances to the circle, started from the algebraic fit.
// Fails with fewer than three points or collinear points.
CircleFit fitCircle(const std::vector<QPointF>& pts);

// Repeats the fit on the points within max(minTolerance, 3 robust sigmas) of the previous
// circle until the inlier set settles: a minority of stray points does not move the circle.
CircleFit fitCircleRobust(const std::vector<QPointF>& pts, double minTolerance);

} // namespace host::skan
