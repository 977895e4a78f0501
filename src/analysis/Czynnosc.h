#pragma once
// Activity codes of a period (czy_praca): what the readers write into the period list and what
// the records, the rule check and the database keep. Plain ints in the records, since the
// database and the day files carry them as numbers; the enum names the values.

namespace analysis {

enum Czynnosc : int {
    kBrakDanych = -1, // no data
    kPostoj = 0,      // rest
    kPraca = 1,       // other work
    kJazda = 2,       // driving
    kDyzur = 3,       // availability
};

constexpr bool czy_kod_czynnosci(int kod) {
    return kod >= kBrakDanych && kod <= kDyzur;
}

} // namespace analysis
