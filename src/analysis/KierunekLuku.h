#pragma once
// The direction an arc walk carries from step to step, and the pixel it points at. Internal
// to the arc walk; a header of its own so that the tests can hold the two forms side by side.

#include "analysis/Obrot.h"
#include "analysis/Piksel.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace analysis {

// (cos, sin) turned step by step.
class KierunekLukuSkalarny {
public:
    KierunekLukuSkalarny(double c, double s) : c_(c), s_(s) {}
    // (c, s) turned by the angle whose cos and sin are ck and sk: (c ck - s sk, s ck + c sk).
    void obroc(double ck, double sk) {
        const double c2 = c_ * ck + s_ * -sk;
        s_ = s_ * ck + c_ * sk;
        c_ = c2;
    }
    KierunekLukuSkalarny obrocony(const Obrot& o) const {
        KierunekLukuSkalarny k = *this;
        k.obroc(o.cos, o.sin);
        return k;
    }
    // Pixel of (xp + r c, yp + r s); false when it lies within blisko of a pixel boundary, or
    // left of or above 1, where truncation and this test need the exact way.
    bool piksel(double xp, double yp, double r, double blisko, Piksel& p) const {
        const double x = xp + r * c_, y = yp + r * s_;
        if (!(x >= 1.0 && y >= 1.0)) return false;
        p = {static_cast<int>(x), static_cast<int>(y)};
        const double ux = x - double(p.x) - 0.5, uy = y - double(p.y) - 0.5;
        return !(std::fabs(ux) > 0.5 - blisko || std::fabs(uy) > 0.5 - blisko);
    }

private:
    double c_, s_;
};

#if defined(__SSE2__)
// The same with both coordinates in one register: the same IEEE operations in the same order,
// so the same results, in about half the instructions.
class KierunekLukuSse2 {
public:
    KierunekLukuSse2(double c, double s) : v_(_mm_set_pd(s, c)) {}
    void obroc(double ck, double sk) {
        const __m128d zamienione = _mm_shuffle_pd(v_, v_, 1);
        v_ = _mm_add_pd(_mm_mul_pd(v_, _mm_set1_pd(ck)),
                        _mm_mul_pd(zamienione, _mm_set_pd(sk, -sk)));
    }
    KierunekLukuSse2 obrocony(const Obrot& o) const {
        KierunekLukuSse2 k = *this;
        k.obroc(o.cos, o.sin);
        return k;
    }
    bool piksel(double xp, double yp, double r, double blisko, Piksel& p) const {
        const __m128d poz = _mm_add_pd(_mm_set_pd(yp, xp), _mm_mul_pd(_mm_set1_pd(r), v_));
        const __m128i calk = _mm_cvttpd_epi32(poz);
        const __m128d u = _mm_sub_pd(_mm_sub_pd(poz, _mm_cvtepi32_pd(calk)), _mm_set1_pd(0.5));
        const __m128d modul = _mm_andnot_pd(_mm_set1_pd(-0.0), u);
        const __m128d zle = _mm_or_pd(_mm_cmpgt_pd(modul, _mm_set1_pd(0.5 - blisko)),
                                      _mm_cmplt_pd(poz, _mm_set1_pd(1.0)));
        p = {_mm_cvtsi128_si32(calk), _mm_cvtsi128_si32(_mm_shuffle_epi32(calk, 1))};
        return _mm_movemask_pd(zle) == 0;
    }

private:
    __m128d v_;
};
using KierunekLuku = KierunekLukuSse2;
#else
using KierunekLuku = KierunekLukuSkalarny;
#endif

} // namespace analysis
