#include "host/Ustawienia.h"
#include "host/Biblioteki.h"
#include "host/HostContext.h"
#include "host/Resstrings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host;

namespace {

class UstawieniaTest : public ::testing::Test {
protected:
    void TearDown() override {
        InstallSettings(nullptr);
        SetExeFolder(QString());
        SetDataFolder(QString());
    }
    QString iniPath() const { return dir.filePath(QStringLiteral("ustawienia.ini")); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(UstawieniaTest, DefaultsHaveTheirTypesAndUnknownKeysAreInvalid) {
    struct Case {
        const char* name;
        const char* group;
        QVariant expected;
    };
    const Case cases[] = {
        {"min_zd_pr", "KX", 3},
        {"min_zd_po", "KX", 2},
        {"samochod", "KX", 0},
        {"tylko_automat", "KX", 1},
        {"kpkjc", "KX", true},
        {"tolerancja_AETR", "KX", 0},
        {"wliczaj_dy", "kx", false},
        {"aktywna_firma", "All", 0},
        {"jezyk", "ALL", 1},
        {"Lista Tachozmian", "ROZ", false},
        {"KXZAMIANAZDARZENDANEANALOGOWE", "KX", false},
    };
    for (const Case& c : cases) {
        const QVariant v = GetZm(QLatin1String(c.name), QLatin1String(c.group));
        EXPECT_EQ(v.typeId(), c.expected.typeId()) << c.name;
        EXPECT_EQ(v, c.expected) << c.name;
    }
    EXPECT_FALSE(GetZm(QStringLiteral("nie_ma_takiego"), QStringLiteral("KX")).isValid());
    // A known key asked in the wrong group is unknown there.
    EXPECT_FALSE(GetZm(QStringLiteral("min_zd_pr"), QStringLiteral("ALL")).isValid());

    SetDataFolder(dir.path());
    EXPECT_EQ(GetZm(QStringLiteral("sciezka_ob"), QStringLiteral("KX")).toString(), dir.path());
}

TEST_F(UstawieniaTest, ValuesSurviveIntoAnotherStoreOnTheSameFile) {
    {
        Ustawienia a(iniPath());
        a.set(QStringLiteral("roz_km"), QStringLiteral("KX"), 12);
        a.set(QStringLiteral("kpkjc"), QStringLiteral("KX"), false);
        a.set(QStringLiteral("dom_data"), QStringLiteral("KX"), 45000.5);
        a.set(QStringLiteral("sciezka_dokumenty"), QStringLiteral("All"), QStringLiteral("/d/ż"));
        a.set(QStringLiteral("Lista Tachozmian"), QStringLiteral("ROZ"), true);
        a.set(QStringLiteral("wlasny_klucz"), QStringLiteral("KX"), QStringLiteral("x"));
    }
    ASSERT_TRUE(QFile::exists(iniPath()));
    Ustawienia b(iniPath());
    // The file holds text; each value comes back as the type of its default.
    EXPECT_EQ(b.get(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(12));
    EXPECT_EQ(b.get(QStringLiteral("kpkjc"), QStringLiteral("KX")), QVariant(false));
    EXPECT_EQ(b.get(QStringLiteral("dom_data"), QStringLiteral("KX")), QVariant(45000.5));
    EXPECT_EQ(b.get(QStringLiteral("SCIEZKA_DOKUMENTY"), QStringLiteral("ALL")),
              QVariant(QStringLiteral("/d/ż")));
    EXPECT_EQ(b.get(QStringLiteral("lista tachozmian"), QStringLiteral("roz")), QVariant(true));
    EXPECT_EQ(b.get(QStringLiteral("wlasny_klucz"), QStringLiteral("KX")).toString(),
              QStringLiteral("x"));
    EXPECT_EQ(b.get(QStringLiteral("min_zd_pr"), QStringLiteral("KX")), QVariant(3));
}

TEST_F(UstawieniaTest, HandEditedFileIsReadWhateverItsCaseAndSpelling) {
    {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[kx]\nMin_Zd_Pr=7\nkpkjc=0\nwliczaj_dy=true\npokaz_pole_konwojent=true\n"
                "tolerancja_15=abc\n");
    }
    Ustawienia s(iniPath());
    EXPECT_EQ(s.get(QStringLiteral("min_zd_pr"), QStringLiteral("KX")), QVariant(7));
    EXPECT_EQ(s.get(QStringLiteral("kpkjc"), QStringLiteral("KX")), QVariant(false));
    EXPECT_EQ(s.get(QStringLiteral("wliczaj_dy"), QStringLiteral("KX")), QVariant(true));
    EXPECT_EQ(s.get(QStringLiteral("pokaz_pole_konwojent"), QStringLiteral("KX")), QVariant(1));
    // Garbage in a number falls back to the default rather than to a silent 0.
    EXPECT_EQ(s.get(QStringLiteral("tolerancja_15"), QStringLiteral("KX")), QVariant(0));
    EXPECT_EQ(s.get(QStringLiteral("tolerancja_30"), QStringLiteral("KX")), QVariant(0));
}

TEST_F(UstawieniaTest, InstalledStoreServesGetZmAndBackToDefaults) {
    SetZm(QStringLiteral("roz_km"), QStringLiteral("KX"), 40); // the in-memory store
    EXPECT_EQ(GetZm(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(40));
    auto store = std::make_shared<Ustawienia>(iniPath());
    InstallSettings(store);
    EXPECT_EQ(GetZm(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(5));
    SetZm(QStringLiteral("roz_km"), QStringLiteral("KX"), 9);
    EXPECT_EQ(Ustawienia(iniPath()).get(QStringLiteral("roz_km"), QStringLiteral("KX")),
              QVariant(9));
    InstallSettings(nullptr);
    EXPECT_EQ(GetZm(QStringLiteral("roz_km"), QStringLiteral("KX")), QVariant(5));
}

TEST_F(UstawieniaTest, SettingsLibraryReadsTheInstalledStore) {
    InstallSettings(std::make_shared<Ustawienia>(iniPath()));
    SetZm(QStringLiteral("min_zd_po"), QStringLiteral("KX"), 6);
    GetZmFn reader = Load_GetZm();
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader(QStringLiteral("min_zd_po"), QStringLiteral("KX")), QVariant(6));
    EXPECT_EQ(reader(QStringLiteral("min_zd_pr"), QStringLiteral("KX")), QVariant(3));
    EXPECT_FALSE(reader(QStringLiteral("nie_ma_takiego"), QStringLiteral("KX")).isValid());
    // A later change is seen at once, as through GetZm.
    SetZm(QStringLiteral("min_zd_po"), QStringLiteral("KX"), 1);
    EXPECT_EQ(reader(QStringLiteral("min_zd_po"), QStringLiteral("KX")), QVariant(1));

    // The shared-data library answers the user's language from the same store.
    auto shared = LoadLibrary_main(QStringLiteral("SharedData.dll"));
    ASSERT_NE(shared, nullptr);
    auto languageId = reinterpret_cast<int (*)()>(shared->resolve("GetLanguageId"));
    ASSERT_NE(languageId, nullptr);
    EXPECT_EQ(languageId(), kJezykPolski);
    SetLanguageId(kJezykAngielski);
    EXPECT_EQ(languageId(), kJezykAngielski);
}

TEST_F(UstawieniaTest, NoSettingsLibraryGivesNoReader) {
    SetExeFolder(dir.path());
    EXPECT_EQ(Load_GetZm(), nullptr);
}
