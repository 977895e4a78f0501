#include "host/Biblioteki.h"
#include "host/HostContext.h"
#include "host/Ustawienia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host;

namespace {

class BibliotekiTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetExeFolder(QString());
        SetDataFolder(QString());
        InstallSettings(nullptr);
    }
    QTemporaryDir dir;
};

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a library");
}

} // namespace

TEST_F(BibliotekiTest, WindowsNamesMapIntoTheRuntimeTree) {
    SetExeFolder(QStringLiteral("/opt/tacho"));
    const std::pair<const char*, const char*> cases[] = {
        {"dane\\Korvix\\KxZamianaZdarzen.dll", "/opt/tacho/dane/Korvix/libKxZamianaZdarzen.so"},
        {"UstDll.dll", "/opt/tacho/libUstDll.so"},
        {"r_crystal.DLL", "/opt/tacho/libr_crystal.so"},
        {"dane/Flota/samochody.dll", "/opt/tacho/dane/Flota/libsamochody.so"},
        {"\\dane\\\\Korvix\\skanuj.dll", "/opt/tacho/dane/Korvix/libskanuj.so"},
        {"/opt/tacho\\dane\\Korvix\\Child.dll", "/opt/tacho/dane/Korvix/libChild.so"},
        {"/usr/lib/x/libY.so", "/usr/lib/x/libY.so"},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(MapLibraryPath(QLatin1String(in)), QLatin1String(out)) << in;
}

TEST_F(BibliotekiTest, NameDifferingOnlyInCaseFindsTheFile) {
    touch(dir.filePath(QStringLiteral("dane/Korvix/libChild.so")));
    SetExeFolder(dir.path());
    EXPECT_EQ(MapLibraryPath(QStringLiteral("DANE\\korvix\\child.dll")),
              dir.filePath(QStringLiteral("dane/Korvix/libChild.so")));
}

TEST_F(BibliotekiTest, LoadingAbsentOrBrokenLibrariesGivesNull) {
    EXPECT_EQ(LoadLibrary_main(QStringLiteral("dane\\Korvix\\Nieistniejaca.dll")), nullptr);
    touch(dir.filePath(QStringLiteral("libZepsuta.so")));
    SetExeFolder(dir.path());
    EXPECT_EQ(LoadLibrary_main(QStringLiteral("Zepsuta.dll")), nullptr);
    EXPECT_EQ(LoadLibrary_main(QStringLiteral("UstDll.dll")), nullptr);
}

TEST_F(BibliotekiTest, SettingsLibraryLoadsByItsWindowsName) {
    auto lib = LoadLibrary_main(QStringLiteral("UstDll.dll"));
    ASSERT_NE(lib, nullptr);
    EXPECT_TRUE(lib->isLoaded());
    auto reader = reinterpret_cast<GetZmFn>(lib->resolve("_GetZm"));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader(QStringLiteral("tylko_automat"), QStringLiteral("KX")), QVariant(1));
}

TEST_F(BibliotekiTest, WorkingFoldersAndPaths) {
    SetDataFolder(dir.path());
    const QString temp = PobierzKatalogRoboczy(QStringLiteral("temp"));
    EXPECT_EQ(temp, dir.filePath(QStringLiteral("temp")));
    EXPECT_TRUE(QDir(temp).exists());
    EXPECT_TRUE(QDir(PobierzKatalogRoboczy(QStringLiteral("obrazy\\Image"))).exists());
    EXPECT_EQ(LocalPath(QStringLiteral("C:\\dane\\\\Image\\12.bmp")),
              QStringLiteral("C:/dane/Image/12.bmp"));
    EXPECT_EQ(LocalPath(temp + QStringLiteral("\\kier_5.bmp")),
              temp + QStringLiteral("/kier_5.bmp"));
}

TEST_F(BibliotekiTest, AnalogueWindowsRefusedOnlyWhenDigitalOnly) {
    EXPECT_FALSE(get_analog_didital(true, false));
    SetZm(QStringLiteral("tylko_cyfrowe"), QStringLiteral("ALL"), true);
    EXPECT_TRUE(get_analog_didital(true, false));
    EXPECT_TRUE(get_analog_didital(true, true));
    EXPECT_FALSE(get_analog_didital(false, true));
}
