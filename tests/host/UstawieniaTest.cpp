#include "host/Ustawienia.h"
#include "host/HostContext.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host;

namespace {

class UstawieniaTest : public ::testing::Test {
protected:
    void TearDown() override { InstallSettings(nullptr); }
    QString iniPath() const { return dir.filePath(QStringLiteral("ustawienia.ini")); }
    QTemporaryDir dir;
};

QVariant kx(const Ustawienia& s, const char* name) {
    return s.get(QLatin1String(name), QStringLiteral("KX"));
}

} // namespace

TEST_F(UstawieniaTest, ValuesSurviveIntoAnotherStoreOnTheSameFile) {
    {
        Ustawienia a(iniPath());
        a.set(QStringLiteral("roz_km"), QStringLiteral("KX"), 12);
        a.set(QStringLiteral("kpkjc"), QStringLiteral("KX"), false);
        a.set(QStringLiteral("dom_data"), QStringLiteral("KX"), 45000.5);
        a.set(QStringLiteral("sciezka_dokumenty"), QStringLiteral("All"), QStringLiteral("/d/ż"));
    }
    Ustawienia b(iniPath());
    // The file holds text; each value comes back as the type of its default.
    EXPECT_EQ(kx(b, "roz_km"), QVariant(12));
    EXPECT_EQ(kx(b, "kpkjc"), QVariant(false));
    EXPECT_EQ(kx(b, "dom_data"), QVariant(45000.5));
    EXPECT_EQ(b.get(QStringLiteral("SCIEZKA_DOKUMENTY"), QStringLiteral("ALL")),
              QVariant(QStringLiteral("/d/ż")));
    EXPECT_EQ(kx(b, "min_zd_pr"), QVariant(3));
    EXPECT_FALSE(kx(b, "nie_ma_takiego").isValid());
    // A known key asked in the wrong group is unknown there.
    EXPECT_FALSE(b.get(QStringLiteral("min_zd_pr"), QStringLiteral("ALL")).isValid());
}

TEST_F(UstawieniaTest, HandEditedFileIsReadWhateverItsCaseAndSpelling) {
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[kx]\nMin_Zd_Pr=7\nkpkjc=0\nwliczaj_dy=true\nil_minut_sz_ed=abc\n");
    }
    Ustawienia s(iniPath());
    EXPECT_EQ(kx(s, "min_zd_pr"), QVariant(7));
    EXPECT_EQ(kx(s, "kpkjc"), QVariant(false));
    EXPECT_EQ(kx(s, "wliczaj_dy"), QVariant(true));
    // Garbage in a number falls back to the default (15) rather than to a silent 0.
    EXPECT_EQ(kx(s, "il_minut_sz_ed"), QVariant(15));
}

TEST_F(UstawieniaTest, InstalledStoreServesGetZmAndTheSettingsLibrary) {
    InstallSettings(std::make_shared<Ustawienia>(iniPath()));
    SetZm(QStringLiteral("roz_km"), QStringLiteral("KX"), 9);
    EXPECT_EQ(kx(Ustawienia(iniPath()), "roz_km"), QVariant(9));
    GetZmFn reader = Load_GetZm();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(9));
    // A later change is seen at once, as through GetZm.
    SetZm(QStringLiteral("roz_km"), QStringLiteral("KX"), 1);
    EXPECT_EQ(reader(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(1));
}
