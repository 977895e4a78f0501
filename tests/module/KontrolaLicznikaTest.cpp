// The odometer check on its own: tolerance in kilometres or percent, crew charts and the end
// reading 0 that skip it, fields that are not numbers.

#include "chartwin/KontrolaLicznika.h"

#include <gtest/gtest.h>

namespace {

struct Przypadek {
    int tolerancja;
    const char *od, *do_, *suma;
    bool zaloga;
    bool porownano, zgodne;
};

TEST(KontrolaLicznikaTest, ToleranceTable) {
    const Przypadek przypadki[] = {
        // roz_km 5: kilometres
        {5, "1000", "1106", "100", false, true, false},
        {5, "1000", "1105", "100", false, true, true},
        {5, "1000", "1094", "100", false, true, false},
        // roz_km 1010: 10 percent plus half a kilometre, a difference of 1 always agrees
        {1010, "0", "330", "300", false, true, true},
        {1010, "0", "331", "300", false, true, false},
        {1010, "31", "300", "300", false, true, false},
        {1010, "0", "1", "0", false, true, true},
        {1010, "0", "2", "0", false, true, false},
        // roz_km 1000: exact, up to rounding of the chart distance
        {1000, "0", "300", "300", false, true, true},
        {1000, "0", "301", "300", false, true, false},
        {1000, "0", "300", "300.5", false, true, true},
        // no settings library: every compared chart disagrees
        {KontrolaLicznika::kBezUstawien, "0", "300", "300", false, true, false},
        // a crew chart and an end reading of 0 are never compared
        {KontrolaLicznika::kBezUstawien, "0", "300", "100", true, false, true},
        {5, "500", "0", "100", false, false, true},
    };
    for (const Przypadek& c : przypadki) {
        const auto w = KontrolaLicznika(c.tolerancja)
                           .sprawdz(QLatin1String(c.od), QLatin1String(c.do_),
                                    QLatin1String(c.suma), c.zaloga);
        ASSERT_TRUE(w.has_value()) << c.tolerancja << " " << c.od << "-" << c.do_;
        EXPECT_EQ(w->roznica_km, QByteArray(c.do_).toInt() - QByteArray(c.od).toInt());
        EXPECT_EQ(w->porownano, c.porownano) << c.tolerancja << " " << c.od << "-" << c.do_;
        EXPECT_EQ(w->zgodne, c.zgodne) << c.tolerancja << " " << c.od << "-" << c.do_;
    }
}

TEST(KontrolaLicznikaTest, EmptyOrForeignFieldsSkipTheCheck) {
    const KontrolaLicznika k(5);
    EXPECT_FALSE(k.sprawdz(QString(), QStringLiteral("10"), QStringLiteral("10"), false));
    EXPECT_FALSE(k.sprawdz(QStringLiteral("0"), QString(), QStringLiteral("10"), false));
    EXPECT_FALSE(k.sprawdz(QStringLiteral("0"), QStringLiteral("10"), QString(), false));
    EXPECT_FALSE(k.sprawdz(QStringLiteral("x"), QStringLiteral("10"), QStringLiteral("10"), false));
}

} // namespace
