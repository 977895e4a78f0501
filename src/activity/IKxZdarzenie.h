#pragma once
// The event object of the event-conversion library ("dane\Korvix\KxZamianaZdarzen.dll").
// The library makes and owns the implementation; the module sees only these accessors.
// The accessors keep their slot order (getter then setter per property): the library is built
// separately and both sides must agree on it. The destructor is declared last so that it does
// not shift the accessor slots; the caller releases an event with the ordinary delete.

#include "host/TDateTime.h"

#include <cstdint>
#include <vector>

class IKxZdarzenie {
public:
    virtual std::int32_t get_id_t() const = 0;       // 0
    virtual void set_id_t(std::int32_t v) = 0;       // 1
    virtual host::TDateTime get_czas_od() const = 0; // 2
    virtual void set_czas_od(host::TDateTime v) = 0; // 3
    virtual host::TDateTime get_czas_do() const = 0; // 4
    virtual void set_czas_do(host::TDateTime v) = 0; // 5
    virtual double get_km() const = 0;               // 6
    virtual void set_km(double v) = 0;               // 7
    virtual std::int16_t get_czy_praca() const = 0;  // 8
    virtual void set_czy_praca(std::int16_t v) = 0;  // 9
    virtual double get_kat_trw() const = 0;          // 10
    virtual void set_kat_trw(double v) = 0;          // 11
    virtual std::int16_t get_podjazd() const = 0;    // 12
    virtual void set_podjazd(std::int16_t v) = 0;    // 13
    virtual std::int16_t get_pz_zespol() const = 0;  // 14
    virtual void set_pz_zespol(std::int16_t v) = 0;  // 15
    virtual std::int16_t get_out() const = 0;        // 16
    virtual void set_out(std::int16_t v) = 0;        // 17
    virtual std::int32_t get_slot() const = 0;       // 18
    virtual void set_slot(std::int32_t v) = 0;       // 19
    // The library's own property; this module only ever sets it to 0.
    virtual std::int16_t get_dodatkowe1() const = 0;  // 20
    virtual void set_dodatkowe1(std::int16_t v) = 0;  // 21
    virtual std::int16_t get_czy_przerwa() const = 0; // 22
    virtual void set_czy_przerwa(std::int16_t v) = 0; // 23
    // The library's own property; this module only ever sets it to 0.
    virtual std::int16_t get_dodatkowe2() const = 0; // 24
    virtual void set_dodatkowe2(std::int16_t v) = 0; // 25

    virtual ~IKxZdarzenie() = default;
};

// Output collection of _ZamienZdarzenie: the events replacing the given one, in order; empty
// when the given event stays as it is. The caller deletes every event it receives.
using KxZdarzenia = std::vector<IKxZdarzenie*>;

// Entry points of the library, resolved by name.
using NEW_KxZdarzenie_fn = IKxZdarzenie* (*)();
using ZamienZdarzenie_fn = void (*)(KxZdarzenia& wynik, IKxZdarzenie* zdarzenie, int firma);
