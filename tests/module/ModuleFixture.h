#pragma once
// Each test gets fresh settings, an in-memory database with the schema, scripted dialogs,
// default user rights and the runtime tree as the executable's folder.

#include "TestHost.h"

#include "host/Dialogi.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class TMDIChild;
struct Lista_zdarz;

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T> T* kontrolka(QWidget* okno, const char* nazwa) {
        return okno->findChild<T*>(QLatin1String(nazwa));
    }

    // A fresh data folder with its Image subfolder, set as the host's.
    void z_katalogiem_danych();
    QString plik_obrazu(int idt) const;

    std::shared_ptr<host::ScriptedDialogs> dialogi;
    std::unique_ptr<TestHost> gospodarz;
    std::unique_ptr<QTemporaryDir> dane;
};

TMDIChild* okno(QWidget* w);
void wykonaj(const QString& sql);
// The column n of a query given :id_t.
int liczba(const QString& sql, int idt = 0);
// A stored period of a chart dated 2024-03-12, in minutes of that day; returns its key.
int dodaj_okres(int idt, double od_min, double do_min, int czy_praca, int km = 0);

struct Okres {
    int od, do_, kod;
    bool operator==(const Okres&) const = default;
};
std::vector<Okres> okresy(const Lista_zdarz& l);
