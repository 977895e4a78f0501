#include "host/KatyCzas.h"

#include <cmath>
#include <stdexcept>

namespace host {

double Katdo360(double kat) {
    // Repeated subtraction, as the chart code expects, rather than fmod: the values are never
    // more than a few turns away and this keeps results bit-identical to the plain arithmetic.
    while (kat >= 360.0)
        kat -= 360.0;
    while (kat < 0.0)
        kat += 360.0;
    return kat;
}

TDateTime KatNaGodz(double kat, double kat24) {
    return TDateTime(Katdo360(kat - kat24) / 360.0);
}

TDateTime KatNaGodz(double dlugosc) {
    return TDateTime(dlugosc / 360.0);
}

TDateTime KatNaGodz_(double kat, double kat_odniesienia) {
    double d = kat - kat_odniesienia;
    while (d < 0.0)
        d += 360.0;
    return TDateTime(d / 360.0);
}

double CzasNaKat(TDateTime czas, double kat24) {
    return Katdo360(czas.timeOfDay() * 360.0 + kat24);
}

double GodzNaKat(TDateTime czas, double kat24) {
    return CzasNaKat(czas, kat24);
}

double GodzNaKat(const QString& hhnn, double kat24) {
    return CzasNaKat(StrToTime(hhnn), kat24);
}

double XYNaKat(double x, double y, double cx, double cy) {
    if (x == cx && y == cy) return 0.0;
    return Katdo360(std::atan2(y - cy, x - cx) * 180.0 / M_PI);
}

double Roznica_katow(double a, double b) {
    return Katdo360(b - a);
}

int Czy_w_zakr(double od, double kat, double do_) {
    od = Katdo360(od);
    kat = Katdo360(kat);
    do_ = Katdo360(do_);
    if (od <= do_) return (kat >= od && kat <= do_) ? 1 : 0;
    return (kat >= od || kat <= do_) ? 1 : 0;
}

namespace {
double roundSteps(double steps, int tryb) {
    switch (tryb) {
    case 1:
        return std::floor(steps + 1e-9);
    case 2:
        return std::ceil(steps - 1e-9);
    default:
        return std::floor(steps + 0.5);
    }
}
} // namespace

double Zaokragl_Xm(double value, double step, int tryb, double baza) {
    if (step == 360.0) {
        // Angle: whole 0.25-degree steps measured from the angle of midnight.
        return baza + roundSteps((value - baza) * 4.0, tryb) / 4.0;
    }
    // Time in days: whole minutes (step 1 = one day holds 1440 minutes).
    const double perUnit = 1440.0 / step;
    return roundSteps(value * perUnit, tryb) / perUnit;
}

double round_str(double value, int decimals) {
    return QString::number(value, 'f', decimals).toDouble();
}

QString FloatNaGodzStr_sum(double hours, int tryb) {
    const bool negative = hours < 0;
    long long minutes = static_cast<long long>(std::floor(std::fabs(hours) * 60.0 + 0.5));
    QString text = QStringLiteral("%1:%2")
                       .arg(minutes / 60, tryb == 1 ? 1 : 2, 10, QLatin1Char('0'))
                       .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return negative && minutes > 0 ? QStringLiteral("-") + text : text;
}

QString double_to_sql_str(TDateTime value) {
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss.zzz"), value) +
           QLatin1Char('\'');
}

} // namespace host
