#pragma once
// Each test gets a main window over fresh settings, an in-memory database with the schema and
// scripted dialogs; the runtime tree is the executable's folder, so the real libChild.so is
// loaded.

#include "OknoGlowne.h"

#include "host/Dialogi.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class HostAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Delivers the messages the module posted (what returning to the event loop does).
    static void dostarcz();
    // True while libChild.so is mapped into the process.
    static bool modulZaladowany();

    // Generated scans in the test's folder.
    QString tarczaBmp(const QString& nazwa);    // one 1000-class chart, cut already
    QString arkuszDwochTarcz();                 // an A4 sheet at 200 dpi with two discs
    QString plikTekstowy(const QString& nazwa); // not an image

    std::shared_ptr<host::ScriptedDialogs> dialogi;
    std::unique_ptr<OknoGlowne> okno;
    QTemporaryDir katalog;
};
