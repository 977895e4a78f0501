#pragma once
// The library's event: a plain holder of the interface's properties.

#include "activity/IKxZdarzenie.h"

class KxZdarzenie final : public IKxZdarzenie {
public:
    std::int32_t get_id_t() const override { return id_t_; }
    void set_id_t(std::int32_t v) override { id_t_ = v; }
    host::TDateTime get_czas_od() const override { return czas_od_; }
    void set_czas_od(host::TDateTime v) override { czas_od_ = v; }
    host::TDateTime get_czas_do() const override { return czas_do_; }
    void set_czas_do(host::TDateTime v) override { czas_do_ = v; }
    double get_km() const override { return km_; }
    void set_km(double v) override { km_ = v; }
    std::int16_t get_czy_praca() const override { return czy_praca_; }
    void set_czy_praca(std::int16_t v) override { czy_praca_ = v; }
    double get_kat_trw() const override { return kat_trw_; }
    void set_kat_trw(double v) override { kat_trw_ = v; }
    std::int16_t get_podjazd() const override { return podjazd_; }
    void set_podjazd(std::int16_t v) override { podjazd_ = v; }
    std::int16_t get_pz_zespol() const override { return pz_zespol_; }
    void set_pz_zespol(std::int16_t v) override { pz_zespol_ = v; }
    std::int16_t get_out() const override { return out_; }
    void set_out(std::int16_t v) override { out_ = v; }
    std::int32_t get_slot() const override { return slot_; }
    void set_slot(std::int32_t v) override { slot_ = v; }
    std::int16_t get_dodatkowe1() const override { return dodatkowe1_; }
    void set_dodatkowe1(std::int16_t v) override { dodatkowe1_ = v; }
    std::int16_t get_czy_przerwa() const override { return czy_przerwa_; }
    void set_czy_przerwa(std::int16_t v) override { czy_przerwa_ = v; }
    std::int16_t get_dodatkowe2() const override { return dodatkowe2_; }
    void set_dodatkowe2(std::int16_t v) override { dodatkowe2_ = v; }

    // A copy with every property of z.
    static KxZdarzenie* kopia(const IKxZdarzenie& z);

private:
    std::int32_t id_t_ = 0;
    host::TDateTime czas_od_;
    host::TDateTime czas_do_;
    double km_ = 0.0;
    std::int16_t czy_praca_ = 0;
    double kat_trw_ = 0.0;
    std::int16_t podjazd_ = 0;
    std::int16_t pz_zespol_ = 0;
    std::int16_t out_ = 0;
    std::int32_t slot_ = 0;
    std::int16_t dodatkowe1_ = 0;
    std::int16_t czy_przerwa_ = 0;
    std::int16_t dodatkowe2_ = 0;
};
