#include "chartgen/ChartSpec.h"

#include "activity/Zdarzenie.h"
#include "host/KatyCzas.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <cmath>

namespace chartgen {

namespace {

constexpr double kDay = 1440.0;

double dayMod(double m) {
    m = std::fmod(m, kDay);
    return m < 0 ? m + kDay : m;
}

} // namespace

double ChartSpec::recordingStart() const {
    if (start) return *start;
    return periods.empty() ? 0.0 : periods.front().czas_od;
}

double ChartSpec::angleOf(double minutes) const {
    return host::Katdo360(kat24 + minutes / 4.0);
}

QString ChartSpec::validate() const {
    if (rozmiar != 800 && rozmiar != 1000 && rozmiar != 1500)
        return QStringLiteral("rozmiar must be 800, 1000 or 1500, not %1").arg(rozmiar);
    if (typ < 0 || typ > 4) return QStringLiteral("typ must be 0..4, not %1").arg(typ);
    if (typ >= 2 && rozmiar == 800)
        return QStringLiteral("stepped kinds (typ %1) reach 453 px from the centre and need "
                              "rozmiar 1000 or 1500")
            .arg(typ);
    const double reach = typ >= 2 ? 460.0 : 400.0;
    const double cx = centreX(), cy = centreY();
    if (std::isnan(cx) || std::isnan(cy) || cx < reach - 10 || cy < reach - 10 ||
        cx > rozmiar - reach + 10 || cy > rozmiar - reach + 10)
        return QStringLiteral("centre (%1, %2) leaves the traces outside the %3 px image")
            .arg(cx)
            .arg(cy)
            .arg(rozmiar);
    if (!std::isfinite(kat24)) return QStringLiteral("kat24 must be a number");
    if (start && (*start < 0 || *start >= kDay))
        return QStringLiteral("start must be a time of day before 24:00");
    if (periods.empty()) return QStringLiteral("no periods given");

    const double s = recordingStart();
    double previousEnd = 0;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const Period& p = periods[i];
        const QString which = QStringLiteral("period %1 (%2-%3)")
                                  .arg(i + 1)
                                  .arg(minutesToText(p.czas_od), minutesToText(p.czas_do));
        if (p.czy_praca < -1 || p.czy_praca > 3)
            return which + QStringLiteral(": czy_praca must be -1..3, not %1").arg(p.czy_praca);
        if (p.czas_od < 0 || p.czas_od > kDay || p.czas_do < 0 || p.czas_do > kDay ||
            !std::isfinite(p.czas_od) || !std::isfinite(p.czas_do))
            return which + QStringLiteral(": times must lie within 00:00..24:00");
        if (p.czy_praca != 2 && p.km != 0)
            return which + QStringLiteral(": only driving carries km (this is %1)")
                               .arg(nazwa_czynnosci(p.czy_praca));
        if (p.km < 0) return which + QStringLiteral(": km must not be negative");
        if (p.km == 1)
            return which + QStringLiteral(": 1 km cannot be read from the zig-zag (the least "
                                          "readable distance is 2 km; 0 draws no zig-zag)");
        const double od = dayMod(p.czas_od - s);
        double do_ = dayMod(p.czas_do - s);
        if (do_ == 0) do_ = kDay;
        if (do_ <= od)
            return which + QStringLiteral(": it must end after it starts and within 24 hours "
                                          "of the start of recording %1")
                               .arg(minutesToText(s));
        if (od < previousEnd - 1e-9)
            return which + QStringLiteral(": starts before the previous period ends (periods "
                                          "must follow in time from the start of recording)");
        previousEnd = do_;
    }

    if (noise.specks < 0 || noise.specks > 100000)
        return QStringLiteral("noise.specks must be 0..100000");
    if (noise.gaps < 0 || noise.gaps > 10000) return QStringLiteral("noise.gaps must be 0..10000");
    if (std::hypot(noise.shift_x, noise.shift_y) > 10)
        return QStringLiteral("noise.shift must stay within 10 px");
    if (std::fabs(noise.drift) > 20) return QStringLiteral("noise.drift must stay within 20 px");
    return {};
}

std::vector<Stretch> layOut(const ChartSpec& spec) {
    std::vector<Stretch> out;
    const double s = spec.recordingStart();
    double at = 0;
    for (std::size_t i = 0; i < spec.periods.size(); ++i) {
        const Period& p = spec.periods[i];
        const double od = dayMod(p.czas_od - s);
        double do_ = dayMod(p.czas_do - s);
        if (do_ == 0) do_ = kDay;
        if (od > at) out.push_back({at, od, -1, 0, -1});
        out.push_back({od, do_, p.czy_praca, p.km, int(i)});
        at = do_;
    }
    return out;
}

QString minutesToText(double minutes) {
    const long long sec = std::llround(minutes * 60.0);
    const long long h = sec / 3600, m = (sec / 60) % 60, ss = sec % 60;
    QString t =
        QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
    if (ss) t += QStringLiteral(":%1").arg(ss, 2, 10, QLatin1Char('0'));
    return t;
}

std::optional<double> textToMinutes(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const int h = m.captured(1).toInt(), mi = m.captured(2).toInt();
    const int se = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (mi > 59 || se > 59 || h > 24 || (h == 24 && (mi || se))) return std::nullopt;
    return h * 60.0 + mi + se / 60.0;
}

QJsonObject toJson(const ChartSpec& spec) {
    QJsonObject o;
    o[QStringLiteral("rozmiar")] = spec.rozmiar;
    if (spec.x0) o[QStringLiteral("x0")] = *spec.x0;
    if (spec.y0) o[QStringLiteral("y0")] = *spec.y0;
    o[QStringLiteral("kat24")] = spec.kat24;
    o[QStringLiteral("typ")] = spec.typ;
    if (spec.start) o[QStringLiteral("start")] = minutesToText(*spec.start);
    QJsonArray ps;
    for (const Period& p : spec.periods) {
        QJsonObject j;
        j[QStringLiteral("czy_praca")] = p.czy_praca;
        j[QStringLiteral("czas_od")] = minutesToText(p.czas_od);
        j[QStringLiteral("czas_do")] = minutesToText(p.czas_do);
        if (p.czy_praca == 2) j[QStringLiteral("km")] = p.km;
        ps.append(j);
    }
    o[QStringLiteral("periods")] = ps;
    QJsonObject n;
    n[QStringLiteral("specks")] = spec.noise.specks;
    n[QStringLiteral("scratch")] = spec.noise.scratch;
    if (spec.noise.scratch_kat) n[QStringLiteral("scratch_kat")] = *spec.noise.scratch_kat;
    n[QStringLiteral("gaps")] = spec.noise.gaps;
    n[QStringLiteral("shift")] = QJsonArray{spec.noise.shift_x, spec.noise.shift_y};
    if (spec.noise.drift != 0) n[QStringLiteral("drift")] = spec.noise.drift;
    o[QStringLiteral("noise")] = n;
    o[QStringLiteral("seed")] = double(spec.seed);
    return o;
}

namespace {

// Typed readers that leave the target alone when the key is absent.
struct Reader {
    const QJsonObject& o;
    QString prefix;
    QString* error;
    bool ok = true;

    bool fail(const QString& key, const QString& what) {
        if (ok && error) *error = QStringLiteral("%1%2: %3").arg(prefix, key, what);
        ok = false;
        return false;
    }
    bool number(const char* key, double& out) {
        const QString k = QString::fromLatin1(key);
        if (!o.contains(k)) return false;
        if (!o[k].isDouble()) return fail(k, QStringLiteral("must be a number"));
        out = o[k].toDouble();
        return true;
    }
    bool integer(const char* key, int& out) {
        double v = 0;
        if (!number(key, v)) return false;
        if (v != std::floor(v) || std::fabs(v) > 2e9)
            return fail(QString::fromLatin1(key), QStringLiteral("must be a whole number"));
        out = int(v);
        return true;
    }
    bool time(const char* key, double& out) {
        const QString k = QString::fromLatin1(key);
        if (!o.contains(k)) return false;
        const auto m = textToMinutes(o[k].toString());
        if (!o[k].isString() || !m) return fail(k, QStringLiteral("must be a time \"hh:mm\""));
        out = *m;
        return true;
    }
};

} // namespace

std::optional<ChartSpec> specFromJson(const QJsonObject& o, QString* error) {
    ChartSpec spec;
    Reader r{o, QString(), error};
    r.integer("rozmiar", spec.rozmiar);
    double v = 0;
    if (r.number("x0", v)) spec.x0 = v;
    if (r.number("y0", v)) spec.y0 = v;
    r.number("kat24", spec.kat24);
    r.integer("typ", spec.typ);
    if (r.time("start", v)) spec.start = v;
    double seed = spec.seed;
    if (r.number("seed", seed) && (seed < 0 || seed > 4294967295.0 || seed != std::floor(seed)))
        r.fail(QStringLiteral("seed"), QStringLiteral("must be a whole number 0..4294967295"));
    spec.seed = std::uint32_t(seed);
    if (!r.ok) return std::nullopt;

    if (!o[QStringLiteral("periods")].isArray()) {
        if (error) *error = QStringLiteral("periods: must be a list of periods");
        return std::nullopt;
    }
    const QJsonArray ps = o[QStringLiteral("periods")].toArray();
    for (int i = 0; i < ps.size(); ++i) {
        const QJsonObject j = ps[i].toObject();
        Reader pr{j, QStringLiteral("periods[%1].").arg(i), error};
        Period p;
        if (!pr.integer("czy_praca", p.czy_praca) && pr.ok)
            pr.fail(QStringLiteral("czy_praca"), QStringLiteral("is required"));
        if (!pr.time("czas_od", p.czas_od) && pr.ok)
            pr.fail(QStringLiteral("czas_od"), QStringLiteral("is required"));
        if (!pr.time("czas_do", p.czas_do) && pr.ok)
            pr.fail(QStringLiteral("czas_do"), QStringLiteral("is required"));
        pr.integer("km", p.km);
        if (!pr.ok) return std::nullopt;
        spec.periods.push_back(p);
    }

    const QJsonObject n = o[QStringLiteral("noise")].toObject();
    Reader nr{n, QStringLiteral("noise."), error};
    nr.integer("specks", spec.noise.specks);
    if (n.contains(QStringLiteral("scratch"))) {
        if (!n[QStringLiteral("scratch")].isBool())
            nr.fail(QStringLiteral("scratch"), QStringLiteral("must be true or false"));
        spec.noise.scratch = n[QStringLiteral("scratch")].toBool();
    }
    if (nr.number("scratch_kat", v)) spec.noise.scratch_kat = v;
    nr.integer("gaps", spec.noise.gaps);
    if (n.contains(QStringLiteral("shift"))) {
        const QJsonArray s = n[QStringLiteral("shift")].toArray();
        if (s.size() != 2 || !s[0].isDouble() || !s[1].isDouble())
            nr.fail(QStringLiteral("shift"), QStringLiteral("must be [dx, dy]"));
        spec.noise.shift_x = s[0].toDouble();
        spec.noise.shift_y = s[1].toDouble();
    }
    if (nr.number("drift", v)) spec.noise.drift = v;
    if (!nr.ok) return std::nullopt;
    return spec;
}

} // namespace chartgen
