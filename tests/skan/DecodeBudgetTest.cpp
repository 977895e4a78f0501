#include "skan/DecodeBudget.h"

#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

using host::skan::DecodeBudget;

TEST(DecodeBudget, LeasesTakeTheirBytesUntilTheyEnd) {
    DecodeBudget budget(100 * 1024);
    {
        DecodeBudget::Lease a = budget.acquire(60 * 1024);
        EXPECT_EQ(budget.available(), 40 * 1024);
        DecodeBudget::Lease b = budget.acquire(1); // rounded up to a whole unit
        EXPECT_EQ(budget.available(), 39 * 1024);
        DecodeBudget::Lease moved = std::move(a); // a moved lease is given back once
        a = DecodeBudget::Lease();
        EXPECT_EQ(budget.available(), 39 * 1024);
    }
    EXPECT_EQ(budget.available(), 100 * 1024);
}

TEST(DecodeBudget, RequestLargerThanTheBudgetWaitsForAllOfIt) {
    DecodeBudget budget(100 * 1024);
    auto big = budget.acquire(qint64(1) << 40);
    EXPECT_EQ(budget.available(), 0);
    // Another page waits until the large one is done.
    QFuture<int> other = QtConcurrent::run([&budget] {
        auto lease = budget.acquire(10 * 1024);
        return 1;
    });
    EXPECT_FALSE(other.isFinished());
    big = DecodeBudget::Lease();
    EXPECT_EQ(other.result(), 1);
    EXPECT_EQ(budget.available(), 100 * 1024);
}
