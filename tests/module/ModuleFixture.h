#pragma once
// Each test gets fresh settings, an in-memory database with the schema, scripted dialogs,
// default user rights and the runtime tree as the executable's folder.

#include "TestHost.h"

#include "host/Dialogi.h"

#include <gtest/gtest.h>

#include <memory>

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T> T* kontrolka(QWidget* okno, const char* nazwa) {
        return okno->findChild<T*>(QLatin1String(nazwa));
    }

    std::shared_ptr<host::ScriptedDialogs> dialogi;
    std::unique_ptr<TestHost> gospodarz;
};
