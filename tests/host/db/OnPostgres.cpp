// This executable runs the database tests on PostgreSQL.
#include "DbFixture.h"

host::Backend tacho_test::backendUnderTest() {
    return host::Backend::PostgreSQL;
}
