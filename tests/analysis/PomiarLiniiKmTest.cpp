// Sectors whose measured edges disagree with their neighbours beyond what a recording drifts
// are dropped before the lines are placed; a drift itself and a lone sector stay.
#include "analysis/PomiarLiniiKm.h"

#include <gtest/gtest.h>

#include <string>

using analysis::KrawedzieSektorow;

namespace {

// Sectors from a text: '.' not measured, 'o' a zig-zag at 9/63 drifting `dryf` px a sector,
// 'L' the same inner edge with the outer one 20 px out (a legend), 'S' both 10 px in.
KrawedzieSektorow sektory(const std::string& opis, float dryf) {
    KrawedzieSektorow k;
    for (std::size_t s = 0; s < opis.size() && s < k.size(); ++s) {
        const float d = dryf * float(s);
        if (opis[s] == 'o') k[s] = std::pair(9.0f + d, 63.0f + d);
        if (opis[s] == 'L') k[s] = std::pair(9.0f + d, 83.0f + d);
        if (opis[s] == 'S') k[s] = std::pair(-1.0f + d, 53.0f + d);
    }
    return k;
}

std::string kept(const KrawedzieSektorow& k) {
    std::string s;
    for (const auto& e : k)
        s += e ? 'o' : '.';
    return s;
}

} // namespace

TEST(PomiarLiniiKm, SectorsDisagreeingWithTheirNeighboursAreDropped) {
    const struct {
        const char* name;
        const char* in;
        float dryf;
        const char* out;
    } cases[] = {
        {"clean day", "....oooo.oo.oo..........", 0, "....oooo.oo.oo.........."},
        {"20 px of drift over the day", "oooooooooooooooooooooooo", 20.0f / 24,
         "oooooooooooooooooooooooo"},
        {"legend in two sectors", "......oo.ooLL...........", 0, "......oo.oo............."},
        {"scratch across one drive", "......oooSooo...........", 0, "......ooo.ooo..........."},
        {"lone sector", "...........o............", 0, "...........o............"},
        {"drift and a legend", "oooooooooooLLooooooooooo", 1.0f, "ooooooooooo..ooooooooooo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KrawedzieSektorow k = sektory(c.in, c.dryf);
        analysis::odrzuc_niezgodne(k);
        EXPECT_EQ(kept(k), c.out);
    }
}
