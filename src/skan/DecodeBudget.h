#pragma once
// Memory that decoded scan pages may take at once. A page costs several bytes per pixel while
// it is imported (the decoded picture and its grey copy), so files read in parallel could
// otherwise need gigabytes: each import takes a lease of its page's estimated cost before
// decoding and gives it back when its discs are cut. A request larger than the whole budget
// takes all of it, so such a file is imported alone rather than refused.

#include <QSemaphore>
#include <QtGlobal>

namespace host::skan {

class DecodeBudget {
public:
    // Held while a page is decoded and processed; gives the bytes back when destroyed.
    class Lease {
    public:
        Lease() = default;
        Lease(Lease&& o) noexcept : budget_(o.budget_), units_(o.units_) { o.budget_ = nullptr; }
        Lease& operator=(Lease&& o) noexcept;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { release(); }

    private:
        friend class DecodeBudget;
        Lease(DecodeBudget* b, int units) : budget_(b), units_(units) {}
        void release();
        DecodeBudget* budget_ = nullptr;
        int units_ = 0;
    };

    explicit DecodeBudget(qint64 bytes);

    // Waits until the bytes (at most the whole budget) are free and takes them.
    Lease acquire(qint64 bytes);
    qint64 capacity() const { return qint64(capacityUnits_) * kUnit; }
    qint64 available() const { return qint64(free_.available()) * kUnit; }

    // The budget every import in the process shares: 1 GiB, two of the largest pages read.
    static DecodeBudget& forScans();

private:
    static constexpr qint64 kUnit = 1024; // QSemaphore counts in int
    int unitsFor(qint64 bytes) const;
    int capacityUnits_;
    QSemaphore free_;
};

} // namespace host::skan
