#pragma once
// Exact black-on-white rasterisation for the generator. Integer coordinates name pixel
// centres (the chart code rounds a point by adding 0.5 and truncating), so a ring of inner
// radius r covers the pixels whose centres lie at distance r - 0.5 .. r + width - 0.5.

#include "host/Bitmap32.h"

#include <QPointF>

#include <functional>
#include <vector>

namespace chartgen::raster {

// Ring around (cx, cy). With dashDeg > 0 only dashDeg of every dashDeg + gapDeg degrees is
// drawn (dashes start at angle 0).
void ring(host::Bitmap32& bmp, double cx, double cy, double rIn, double width,
          host::TColor32 colour, double dashDeg = 0, double gapDeg = 0);

// Pixels whose centres lie closer than width / 2 to the polyline.
void polyline(host::Bitmap32& bmp, const std::vector<QPointF>& pts, double width,
              host::TColor32 colour);

// Pixels of the annulus rIn..rOut around (cx, cy) for which inside(angle, radius) holds;
// angle in degrees 0..360, clockwise on screen.
void annulus(host::Bitmap32& bmp, double cx, double cy, double rIn, double rOut,
             host::TColor32 colour, const std::function<bool(double, double)>& inside);

// Dot: pixels whose centres lie within radius of (x, y).
void dot(host::Bitmap32& bmp, double x, double y, double radius, host::TColor32 colour);

// Point at an angle (degrees) and radius around a centre.
QPointF polar(double cx, double cy, double kat, double r);

} // namespace chartgen::raster
