// This executable runs the database tests on SQLite.
#include "DbFixture.h"

host::Backend tacho_test::backendUnderTest() {
    return host::Backend::SQLite;
}
