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
    void TearDown() override { SetExeFolder(QString()); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(BibliotekiTest, WindowsNamesMapIntoTheRuntimeTree) {
    SetExeFolder(QStringLiteral("/opt/tacho"));
    const std::pair<const char*, const char*> cases[] = {
        {"dane\\Korvix\\KxZamianaZdarzen.dll", "/opt/tacho/dane/Korvix/libKxZamianaZdarzen.so"},
        {"r_crystal.DLL", "/opt/tacho/libr_crystal.so"},
        {"\\dane\\\\Korvix\\skanuj.dll", "/opt/tacho/dane/Korvix/libskanuj.so"},
        {"/opt/tacho\\dane\\Korvix\\Child.dll", "/opt/tacho/dane/Korvix/libChild.so"},
        {"/usr/lib/x/libY.so", "/usr/lib/x/libY.so"},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(MapLibraryPath(QLatin1String(in)), QLatin1String(out)) << in;
}

TEST_F(BibliotekiTest, NameDifferingOnlyInCaseFindsTheFile) {
    const QString lib = dir.filePath(QStringLiteral("dane/Korvix/libChild.so"));
    QDir().mkpath(QFileInfo(lib).path());
    QFile f(lib);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a library");
    f.close();
    SetExeFolder(dir.path());
    EXPECT_EQ(MapLibraryPath(QStringLiteral("DANE\\korvix\\child.dll")), lib);
    EXPECT_EQ(LoadLibrary_main(QStringLiteral("dane\\Korvix\\Child.dll")), nullptr); // broken
    EXPECT_EQ(LoadLibrary_main(QStringLiteral("UstDll.dll")), nullptr);              // absent
}

TEST_F(BibliotekiTest, SettingsLibraryLoadsByItsWindowsName) {
    auto lib = LoadLibrary_main(QStringLiteral("UstDll.dll"));
    ASSERT_NE(lib, nullptr);
    auto reader = reinterpret_cast<GetZmFn>(lib->resolve("_GetZm"));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader(QStringLiteral("tylko_automat"), QStringLiteral("KX")), QVariant(1));
}

// Handles share one load: releasing one keeps the library for the others (QLibrary alone
// unmaps it), releasing the last unloads it.
TEST_F(BibliotekiTest, LibraryStaysLoadedUntilTheLastHandleGoes) {
    const QString path = MapLibraryPath(QStringLiteral("SharedData.dll"));
    auto pierwszy = LoadLibrary_main(QStringLiteral("SharedData.dll"));
    auto drugi = LoadLibrary_main(QStringLiteral("shareddata.DLL"));
    ASSERT_NE(pierwszy, nullptr);
    ASSERT_EQ(pierwszy.get(), drugi.get());
    pierwszy.reset();
    EXPECT_TRUE(QLibrary(path).isLoaded());
    EXPECT_NE(drugi->resolve("GetLanguageId"), nullptr);
    drugi.reset();
    EXPECT_FALSE(QLibrary(path).isLoaded());
}
