#include "ModuleFixture.h"

#include "SrodowiskoHosta.h"

void ModuleTest::SetUp() {
    dialogi = zainstalujSrodowiskoHosta();
    gospodarz = std::make_unique<TestHost>();
}

void ModuleTest::TearDown() {
    gospodarz.reset();
    usunSrodowiskoHosta();
}
