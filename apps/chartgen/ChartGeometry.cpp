#include "chartgen/ChartGeometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cmath>

namespace chartgen {

namespace {

// The ring search stops at rdolny_km and starts 10 px below it: the ring goes in the middle.
constexpr double kRingBelowSearchEnd = 5.0;
// The upper-edge search starts at rgorny_km; the outer pair lies inside its 10 px window.
constexpr double kOuterPairAboveSearchStart = 5.0;
// The hour-ring search of the reader runs from 348 and its result is capped at 375.
constexpr double kHourSearchFrom = 348.0, kHourCap = 375.0;

} // namespace

std::optional<ChartGeometry> ChartGeometry::from(const analysis::Kalibracja& k, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("calibration: ") + why;
        return std::nullopt;
    };
    QStringList missing;
    if (k.rdolny_km <= 0) missing << QStringLiteral("rdolny_km");
    if (k.rgorny_km <= 0) missing << QStringLiteral("rgorny_km");
    const int offs[6] = {0, k.off_1p, k.off_2p, k.off_3p, k.off_4p, k.off_5p};
    for (int n = 1; n <= 5; ++n)
        if (offs[n] <= 0) missing << QStringLiteral("off_%1p").arg(n);
    if (k.d5 <= 0) missing << QStringLiteral("d5");
    if (k.r1 <= 0) missing << QStringLiteral("r1");
    if (!missing.isEmpty())
        return fail(QStringLiteral("missing or zero: %1").arg(missing.join(QStringLiteral(", "))));

    ChartGeometry g;
    g.r0 = std::floor(k.rdolny_km) - kRingBelowSearchEnd;
    g.outerPair = std::floor(k.rgorny_km) + kOuterPairAboveSearchStart;
    g.outerDashed = k.r5;
    g.innerDashed = k.r4;
    g.discEdge = k.r;
    for (int n = 1; n <= 5; ++n)
        g.off[n] = offs[n];
    g.overshoot = (k.d5 - (offs[5] - offs[1])) / 2.0;
    g.rgorny_km = k.rgorny_km;
    g.stepDeg = 360.0 / (2.0 * M_PI * k.rgorny_km);
    g.delta_rg_km = k.delta_rg_km;
    g.delta_rd_km = k.delta_rd_km;
    g.activityBase = k.r1;

    for (int n = 1; n < 5; ++n) {
        // The resting stylus sits mid-way between two lines and must be seen on neither.
        if (offs[n + 1] - offs[n] < 2 * g.lineZone + 4)
            return fail(QStringLiteral("off_%1p and off_%2p are %3 px apart; the resting stylus "
                                       "needs at least %4 px between two lines")
                            .arg(n)
                            .arg(n + 1)
                            .arg(offs[n + 1] - offs[n])
                            .arg(2 * g.lineZone + 4));
    }
    if (g.overshoot < 2)
        return fail(QStringLiteral("d5 = %1 leaves the tips %2 px beyond the turning lines; at "
                                   "least 2 px are needed for every peak to be seen")
                        .arg(k.d5)
                        .arg(g.overshoot));
    if (g.r0 + g.tipInner() - g.strokeWidth / 2 <= g.r0 + g.ringPairGap + g.ringWidth - 0.5)
        return fail(QStringLiteral("the inner tips would touch the distance ring pair"));
    // The upper-edge search starts at rgorny_km: a dense zig-zag there would stop it.
    if (g.r0 + g.tipOuter() + g.strokeWidth / 2 >= g.rgorny_km)
        return fail(QStringLiteral("the outer tips (%1) would reach the upper-edge search "
                                   "starting at rgorny_km = %2")
                        .arg(g.r0 + g.tipOuter())
                        .arg(g.rgorny_km));
    if (g.activityBase <= kHourSearchFrom || g.activityBase >= kHourCap)
        return fail(QStringLiteral("r1 = %1: the hour ring must lie between %2 and %3")
                        .arg(k.r1)
                        .arg(kHourSearchFrom)
                        .arg(kHourCap));
    if (g.outerDashed > 0 && g.outerDashed >= g.activityBase - 10)
        return fail(QStringLiteral("r5 must lie below the activity band"));
    return g;
}

std::optional<analysis::Kalibracja> loadCalibration(const QString& path, QString* error) {
    analysis::Kalibracja k;
    try {
        k.wczytaj_plik(path);
    } catch (const analysis::BladKalibracji& e) {
        if (error) *error = e.komunikat();
        return std::nullopt;
    }
    return k;
}

QString defaultCalibrationPath() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QString::fromLatin1(analysis::Kalibracja::nazwa_pliku));
}

} // namespace chartgen
