#include "ReadingModel.h"

#include "analysis/Luk.h"
#include "analysis/Piksel.h"

#include "host/KatyCzas.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace chartgen::test {

using analysis::lok2;
using analysis::lok_prom;
using analysis::Piksel;
using analysis::punkt_na_kacie;

namespace {
constexpr float kDwaPi = 6.2831855f;
} // namespace

ReadingModel::ReadingModel(const host::Bitmap32& bmp, const analysis::Kalibracja& k, float kat24,
                           int typ)
    : bmp_(bmp), k_(k) {
    geo_.kat24 = kat24;
    geo_.typ = typ;
    geo_.x0 = geo_.y0 = bmp.width() / 2.0f;

    // Distance ring on 49 rays.
    float a0 = kat24 + 210;
    if (a0 > 360) a0 -= 360;
    const int R = int(k.rdolny_km);
    for (int i = 0; i < 49; ++i) {
        float kat = float(int(i * 7.5 + a0));
        if (kat > 360) kat -= 360;
        float r = float(R - (i < 4 ? 15 : 10));
        while (!lok_prom(bmp, geo_.x0, geo_.y0, 30, kat, 6.0f, r) && r < R)
            r += 0.5f;
        geo_.promienie_km[i] = {kat, r, 0.0f, 0.0f};
    }

    // Upper edge on 73 rays (kind 2 only); a concentric edge gives 5 everywhere.
    if (typ == 2) {
        std::vector<float> rs(73), ks(73);
        const int RG = int(k.rgorny_km);
        for (int j = 0; j < 73; ++j) {
            float kat = float(int(j * 5 + kat24));
            if (kat > 360) kat -= 360;
            float r = float(RG);
            while (!lok_prom(bmp, geo_.x0, geo_.y0, 30, kat, 6.0f, r) && r < RG + 10)
                r += 0.5f;
            rs[j] = r;
            ks[j] = kat;
        }
        int m = 1000;
        for (float r : rs)
            if (r < m) m = int(r);
        bool allZero = true;
        for (int j = 0; j < 73; ++j) {
            geo_.delta_h[j] = {int(ks[j] + 0.5f), int(rs[j] - m)};
            allZero = allZero && geo_.delta_h[j].offset == 0;
        }
        if (allZero)
            for (int j = 0; j < 72; ++j)
                geo_.delta_h[j].offset = 5;
    }

    // Centre from opposite ring points.
    double sx = 0, sy = 0;
    for (int i = 0; i < 24; ++i) {
        const auto& a = geo_.promienie_km[i];
        const auto& b = geo_.promienie_km[i + 24];
        auto at = [&](const analysis::PromienKm& p, double& x, double& y) {
            x = geo_.x0 + p.promien * std::cos(p.kat * M_PI / 180) + 0.5;
            y = geo_.y0 + p.promien * std::sin(p.kat * M_PI / 180) + 0.5;
        };
        double ax, ay, bx, by;
        at(a, ax, ay);
        at(b, bx, by);
        sx += (ax + bx) / 2;
        sy += (ay + by) / 2;
    }
    geo_.x0 = float(sx / 24 + 0.5);
    geo_.y0 = float(sy / 24 + 0.5);

    // Hour ring on 48 rays.
    int sum = 0, valid = 0, last = 0;
    for (int i = 0; i < 48; ++i) {
        const float ai = kat24 - 3.75f + i * 7.5f;
        float r = 348;
        while (!lok_prom(bmp, geo_.x0, geo_.y0, 50, ai, 3.0f, r) && r < 405)
            r += 1;
        const bool found = r != 405;
        const float start = r;
        while (lok_prom(bmp, geo_.x0, geo_.y0, 50, ai, 3.0f, r) && r < 406)
            r += 1;
        last = int(start);
        if (int(r - start) > 8) {
            sum += found ? int(start) : 375;
            ++valid;
        }
    }
    geo_.pocz_sr_godz = std::min(valid ? sum / valid : last, 375);
}

bool ReadingModel::dark(int x, int y) const {
    const host::TColor32 c = bmp_.GetPixelS(x, y);
    return c == 0xFF000000u || c == 0u;
}

std::vector<float> ReadingModel::sampleAngles(float a0) const {
    const float rs = float(geo_.pocz_sr_godz + (geo_.typ == 2 ? 80 : 27));
    const float c = kDwaPi * rs;
    std::vector<float> out;
    for (int k = 0; k < c / 2; ++k)
        out.push_back(a0 + k * 2 * 360 / c);
    return out;
}

int ReadingModel::sampleClass(float ak) const {
    const int P = geo_.pocz_sr_godz;
    auto darkAt = [&](float r) {
        const Piksel p = punkt_na_kacie(geo_.x0, geo_.y0, ak, r);
        return dark(p.x, p.y);
    };
    if (geo_.typ == 0 || geo_.typ == 1) {
        int base = 0, longest = 0, run = 0, runStart = 0;
        for (int r = P - 8; r <= P + 15; ++r) {
            if (!darkAt(float(r))) {
                run = 0;
                continue;
            }
            if (run == 0) runStart = r - P;
            if (++run > longest) {
                longest = run;
                base = runStart;
            }
        }
        static const int std_[12] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24};
        static const int thin[12] = {2, 4, 5, 7, 8, 10, 12, 13, 14, 15, 16, 18};
        const int* ladder = geo_.typ == 0 ? std_ : thin;
        bool s[12];
        for (int j = 0; j < 12; ++j)
            s[j] = darkAt(float(P + base + ladder[j]));
        int len[5] = {}, lastIdx[5] = {}, q = 0;
        if (s[0]) len[0] = 1;
        for (int j = 1; j < 12; ++j) {
            if (!s[j] && s[j - 1]) ++q;
            if (s[j] && q < 5) {
                lastIdx[q] = j;
                ++len[q];
            }
        }
        int w = 2;
        for (int i = 0; i < 5; ++i) {
            const bool acceptable = len[i] < 4 || len[i] > 10 || lastIdx[i] <= len[i] + 2;
            if (len[i] > w && acceptable) w = len[i];
        }
        if (w <= 2) return 2;
        if (w == 4 || w == 5) return 5;
        if (w >= 7 && w <= 9) return 8;
        if (w >= 10) return 11;
        return w; // 3 or 6, resolved by the neighbours
    }
    const float dh = geo_.jaka_delta_h(ak);
    if (geo_.typ == 3) {
        int longest = 0, run = 0;
        for (int r = 345; r <= 452; ++r) {
            run = darkAt(r + dh) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest < 4 ? 2 : 11;
    }
    static const int offs[4] = {-12, 16, 44, 72};
    const int d = int(host::Roznica_katow(geo_.kat24, ak + 360) + 0.5) % 90;
    int sure = 0, doubtful = 0;
    for (int n = 1; n <= 4; ++n) {
        int longest = 0, run = 0;
        for (int r = 358 + offs[n - 1]; r <= 376 + offs[n - 1]; ++r) {
            run = darkAt(r + dh) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (!longest) continue;
        const bool doubt = (n == 1 && d >= 84 && d <= 88) || (n == 2 && (d == 0 || d >= 86)) ||
                           (n == 3 && (d == 89 || d <= 3)) || (n == 4 && d >= 2 && d <= 6);
        (doubt ? doubtful : sure) = n;
    }
    const int level = sure ? sure : doubtful;
    static const int cls[5] = {2, 2, 5, 8, 11};
    return cls[level];
}

float ReadingModel::lokZakKat(float r, float a1, float a2) const {
    const float step = 360.0f / (kDwaPi * r);
    Piksel prev{0, 0};
    const float dir = a1 < a2 ? 1.0f : -1.0f;
    for (float a = a1; dir > 0 ? a <= a2 : a >= a2; a += dir * step) {
        const Piksel p = punkt_na_kacie(geo_.x0, geo_.y0, a, r);
        if (p == prev) continue;
        prev = p;
        if (lok2(bmp_, 0, 2, float(p.x), float(p.y))) return a + dir * step;
    }
    return -1;
}

std::vector<ReadPoint> ReadingModel::distancePoints(float start, float end) const {
    if (end < start) end += 360;
    std::vector<ReadPoint> pts;
    auto pass = [&](float step, int delta, int off, int typ, float* lastR) {
        int c = delta;
        Piksel prev{0, 0};
        for (float a = start; a <= end; a += step) {
            const float r = geo_.jaki_promien_km(a) + off;
            *lastR = r;
            const Piksel p = punkt_na_kacie(geo_.x0, geo_.y0, a, r);
            ++c;
            if (!(p == prev) && lok2(bmp_, 0, 2, float(p.x), float(p.y)) && c > delta) {
                pts.push_back({a + 2 * step, typ});
                c = 0;
            }
            prev = p;
        }
    };
    float lastR = 0;
    pass(360.0f / (kDwaPi * k_.rgorny_km), k_.delta_rg_km, k_.off_5p, 5, &lastR);
    float ignored = 0;
    pass(360.0f / (kDwaPi * lastR), k_.delta_rd_km, k_.off_1p, 1, &ignored);
    std::stable_sort(pts.begin(), pts.end(),
                     [](const ReadPoint& a, const ReadPoint& b) { return a.kat < b.kat; });

    // Duplicate removal: of two neighbours in the same band keep the one nearer the middle end.
    const float middle = (start + end) / 2;
    for (std::size_t i = 0; i + 1 < pts.size();) {
        if (pts[i].typ != pts[i + 1].typ) {
            ++i;
            continue;
        }
        if (pts[i + 1].kat <= middle)
            pts.erase(pts.begin() + long(i) + 1);
        else
            pts.erase(pts.begin() + long(i));
    }

    const int offs[6] = {0, k_.off_1p, k_.off_2p, k_.off_3p, k_.off_4p, k_.off_5p};
    auto crossings = [&](float mid, float a1, float a2, float f[5]) {
        const int ring = int(geo_.jaki_promien_km(mid));
        for (int t = 2; t <= 4; ++t)
            f[t] = lokZakKat(float(ring + offs[t]), a1, a2);
        return ring;
    };
    if (pts.empty()) {
        float f[5];
        const int ring = crossings((start + end) / 2, start - 0.3f, end + 0.3f, f);
        int a = 0, b = 0;
        if (f[2] > 0 && f[4] > 0)
            a = 2, b = 4;
        else if (f[2] > 0 && f[3] > 0)
            a = 2, b = 3;
        else if (f[3] > 0 && f[4] > 0)
            a = 3, b = 4;
        (void)ring;
        if (a) {
            pts.push_back({f[a], a});
            pts.push_back({f[b], b});
        }
    } else {
        auto endPoint = [&](const ReadPoint& tip, float a1, float a2) -> std::optional<ReadPoint> {
            float f[5];
            crossings((a1 + a2) / 2, a1, a2, f);
            if (tip.typ == 5) {
                for (int t = 2; t <= 4; ++t)
                    if (f[t] > 0) return ReadPoint{f[t], t};
            } else {
                if (f[4] > 0 && f[3] > 0 && f[2] > 0) return ReadPoint{f[4], 4};
                if (f[3] > 0 && f[2] > 0) return ReadPoint{f[3], 3};
                if (f[2] > 0) return ReadPoint{f[2], 2};
            }
            return std::nullopt;
        };
        const ReadPoint first = pts.front(), last = pts.back();
        const auto s = endPoint(first, start - 0.3f, first.kat - 0.2f);
        const auto e = endPoint(last, last.kat + 0.3f, end + 0.2f);
        if (s) pts.push_back(*s);
        if (e) pts.push_back(*e);
    }
    std::stable_sort(pts.begin(), pts.end(),
                     [](const ReadPoint& a, const ReadPoint& b) { return a.kat < b.kat; });
    return pts;
}

} // namespace chartgen::test
