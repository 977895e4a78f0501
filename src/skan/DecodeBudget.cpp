#include "skan/DecodeBudget.h"

#include <algorithm>

namespace host::skan {

DecodeBudget::Lease& DecodeBudget::Lease::operator=(Lease&& o) noexcept {
    if (this != &o) {
        release();
        budget_ = o.budget_;
        units_ = o.units_;
        o.budget_ = nullptr;
    }
    return *this;
}

void DecodeBudget::Lease::release() {
    if (budget_) budget_->free_.release(units_);
    budget_ = nullptr;
}

DecodeBudget::DecodeBudget(qint64 bytes)
    : capacityUnits_(int(std::clamp<qint64>(bytes / kUnit, 1, 1 << 30))), free_(capacityUnits_) {}

int DecodeBudget::unitsFor(qint64 bytes) const {
    return int(std::clamp<qint64>((bytes + kUnit - 1) / kUnit, 1, capacityUnits_));
}

DecodeBudget::Lease DecodeBudget::acquire(qint64 bytes) {
    const int units = unitsFor(bytes);
    free_.acquire(units);
    return Lease(this, units);
}

DecodeBudget& DecodeBudget::forScans() {
    static DecodeBudget budget(qint64(1) << 30);
    return budget;
}

} // namespace host::skan
