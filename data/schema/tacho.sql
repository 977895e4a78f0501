-- The host database of the chart module, one portable script for SQLite and PostgreSQL.
-- {ID} is the identity key (integer, assigned on insert, never reused), the one type the two
-- backends spell differently; it is filled in before the script runs. The other types read
-- the same on both:
--   timestamp(3)      date-time; SQLite keeps the canonical text 'yyyy-MM-dd hh:mm:ss.zzz'
--                     (numeric affinity leaves such text as text, and text order is time order)
--   double precision  floating point
--   smallint          0/1 flag (an integer, so that "flag = 1" works on both)
-- All names are lower case on PostgreSQL; the module's mixed-case names fold to them.
-- Rows that belong to one chart go with it (on delete cascade).

create table wersja_bazy (
    wersja integer not null
);

-- Languages of the dictionaries (id_jezyka is the host's language id).
create table jezyk (
    id_jezyka integer primary key,
    kod_jezyka varchar(5) not null,
    nazwa varchar(50) not null
);

-- Firms, users and which firms a user sees.
create table firma (
    id_f {ID},
    nazwa varchar(200) not null,
    nazwa_skrot varchar(50),
    katalog varchar(600)
);

create table uzytkownik (
    id_u {ID},
    login varchar(50) not null,
    nazwisko_imie varchar(200)
);

create table uzytkownik_firma (
    id_u integer not null,
    id_f integer not null,
    primary key (id_u, id_f)
);

-- Fleet: drivers (with their employment period and default vehicle and co-drivers) and vehicles.
create table kierowca (
    id_k {ID},
    nazwisko varchar(100) not null,
    imie varchar(100),
    id_f integer,
    data_od timestamp(3),
    data_do timestamp(3),
    domyslny_sam integer,
    id_konwojenta integer,
    id_konwojenta2 integer,
    nr_karty varchar(30)
);

create table samochod (
    id_s {ID},
    nr_rej varchar(20) not null,
    marka varchar(100),
    id_f integer,
    czy_maly smallint default 0
);

-- Charts: the chart-list row, and the analogue chart record with its geometry.
create table tacho (
    id_t {ID},
    data timestamp(3) not null,
    id_k integer,
    id_konwojenta integer,
    id_konwojenta2 integer,
    id_s integer,
    km_pocz integer,
    km_kon integer,
    km_obl integer,
    kat_rozp double precision,
    rodzaj integer default 0,
    typ_dnia integer default 0,
    zespol integer default 0,
    ps integer default 0,
    cyfrowy integer default 0,
    status integer default 0,
    status_tacho integer,
    adnotacje varchar(4000),
    adnotacje_mod varchar(4000),
    nieczytelna smallint default 0,
    blad_obsl_t smallint default 0,
    niekompletne integer default 0,
    przerysowana smallint default 0,
    brak_wr smallint default 0,
    kilka_wykr smallint default 0,
    nieprawidlowa smallint default 0,
    niezgodnosc_cz smallint default 0,
    wirtualne_przem smallint default 0,
    czy_reczna smallint default 0,
    dzien_kal timestamp(3),
    przes_utc integer,
    nazwa_pliku varchar(600),
    zdarz_podsum varchar(200),
    wer_km integer,
    czy_zaswiadczenie smallint default 0,
    id_nrk integer,
    id_u_dod integer,
    data_dod timestamp(3),
    id_u_mod integer,
    data_mod timestamp(3)
);
create index ix_tacho_kierowca on tacho (id_k, data);
create index ix_tacho_samochod on tacho (id_s, data);

create table tacho_analog (
    id_t integer primary key references tacho (id_t) on delete cascade,
    kat24 double precision not null default 0,
    x0 integer not null default 0,
    y0 integer not null default 0,
    pocz_sr_godz integer not null default 0,
    pv integer not null default 0,
    kat_zak double precision,
    czy_szczeg smallint not null default 0
);

-- Activity periods, as saved and as entered before the event conversion.
create table poz_zdarz (
    id_tpz {ID},
    id_t integer not null references tacho (id_t) on delete cascade,
    slot integer default 0,
    czas_od timestamp(3) not null,
    czas_do timestamp(3) not null,
    kat_trw double precision,
    km double precision default 0,
    czy_praca integer not null,
    podjazd integer default 0,
    out integer default 0,
    czy_przerwa integer default 0,
    pz_zespol integer default 0,
    km_wer integer,
    gbox integer
);
create index ix_poz_zdarz_tacho on poz_zdarz (id_t);
create index ix_poz_zdarz_czas on poz_zdarz (czas_od, czas_do);

create table poz_zdarz_org (
    id {ID},
    id_t integer not null references tacho (id_t) on delete cascade,
    czas_od timestamp(3) not null,
    czas_do timestamp(3) not null,
    km double precision,
    czy_praca integer not null,
    kat_trw double precision,
    podjazd integer,
    pz_zespol integer,
    out integer,
    slot integer,
    gbox integer,
    czy_przerwa integer,
    km_wer integer
);
create index ix_poz_zdarz_org_tacho on poz_zdarz_org (id_t);

-- Distance-trace points: of one driving period, or of a whole detailed chart.
create table punkty_zdarz (
    id {ID},
    id_tpz integer not null references poz_zdarz (id_tpz) on delete cascade,
    kat double precision not null,
    nr_paska integer not null,
    promien integer not null
);
create index ix_punkty_zdarz_poz on punkty_zdarz (id_tpz);

create table punkty_tacho (
    id {ID},
    id_t integer not null references tacho (id_t) on delete cascade,
    kat double precision not null,
    nr_paska integer not null,
    promien integer not null
);
create index ix_punkty_tacho_tacho on punkty_tacho (id_t);

-- Speed-trace ranges of a chart.
create table pv (
    id {ID},
    id_t integer not null references tacho (id_t) on delete cascade,
    kat_p double precision not null,
    kat_k double precision not null,
    widoczny integer not null default 1
);
create index ix_pv_tacho on pv (id_t);

-- Places: countries and cities; loading, unloading and border-crossing points of a chart.
create table panstwo (
    id_panstwa integer primary key,
    kod varchar(3) not null,
    nazwa varchar(100) not null
);

create table miasto (
    id_m {ID},
    miasto varchar(100) not null,
    kod_pocz varchar(10),
    id_panstwa integer,
    widoczne smallint not null default 1
);

create table punkty_specjalne (
    id {ID},
    id_t integer not null references tacho (id_t) on delete cascade,
    data timestamp(3) not null,
    stan_licznika integer,
    tonaz double precision,
    kod_ladunku varchar(30),
    typ integer not null,
    id_adr integer
);
create index ix_punkty_specjalne_tacho on punkty_specjalne (id_t);

-- Open-chart rows of the users.
create table sesja (
    id_sesji {ID},
    nazwa_dll varchar(100) not null,
    id_ integer not null,
    id_u integer not null
);

-- Infringements found by the settlement of working time (approved ones are listed per chart).
create table naruszenia (
    id_n {ID},
    id_k integer not null,
    data timestamp(3) not null,
    data_do timestamp(3),
    typ integer not null,
    ustawa integer,
    skroc_wydluz integer default 0,
    zatwierdzone smallint not null default 0,
    id_t integer
);
create index ix_naruszenia_kierowca on naruszenia (id_k, data);

-- Dictionaries: a dictionary has parameters; an entry (grupa) has one value per parameter;
-- values may be translated per language.
create table slownik (
    id_slow {ID},
    typ_slownika varchar(50) not null,
    nazwa_slownika varchar(200)
);

create table slowparametry (
    id_parametru {ID},
    nazwa varchar(50) not null
);

create table slownik2parametry (
    id_sp {ID},
    id_slow integer not null references slownik (id_slow) on delete cascade,
    id_parametru integer not null references slowparametry (id_parametru)
);

create table slowwartosci (
    id {ID},
    id_sp integer not null references slownik2parametry (id_sp) on delete cascade,
    grupa integer not null,
    wartosc varchar(4000)
);

create table slowtlumaczenia (
    id_wartosci integer not null references slowwartosci (id) on delete cascade,
    id_jezyka integer not null,
    wartosc varchar(4000),
    primary key (id_wartosci, id_jezyka)
);

-- Error descriptions: per chart, and per driver and month.
create table tacho_opisy (
    id_t integer primary key references tacho (id_t) on delete cascade,
    opis_bledow varchar(4000),
    opis_kier varchar(4000),
    uwagi varchar(4000)
);

create table kierowcy_opisy (
    id_k integer not null,
    data timestamp(3) not null,
    czy_premium smallint not null default 0,
    opis varchar(4000),
    primary key (id_k, data, czy_premium)
);

-- Working-time calendar, day kinds, absences, and change notices for the settlement.
create table dzien (
    id_dnia {ID},
    dzien integer not null,
    nazwa varchar(100) not null,
    skrot varchar(10)
);

create table kalendarz (
    id_k integer not null,
    data timestamp(3) not null,
    id_dnia integer,
    norma_godz double precision,
    primary key (id_k, data)
);

create table nieobecnosc (
    id_n {ID},
    id_k integer not null,
    id_dnia integer not null references dzien (id_dnia),
    data_od timestamp(3) not null,
    data_do timestamp(3) not null,
    uwagi varchar(400)
);
create index ix_nieobecnosc_kierowca on nieobecnosc (id_k, data_od);

create table komunikacja (
    id {ID},
    id_t integer,
    id_k integer not null,
    data timestamp(3) not null,
    ktory integer not null default 0
);
create index ix_komunikacja_kierowca on komunikacja (id_k, data);

-- Linked documents: table codes and the files registered for a record.
create table definicja_tabela (
    tabela integer primary key,
    tabela_slownie varchar(100) not null unique,
    nazwa_tabeli varchar(100),
    nazwa_id varchar(100)
);

create table dokument_plik (
    id_dp {ID},
    sciezka varchar(600) not null,
    podkatalog varchar(600),
    tabela integer not null,
    id_ integer not null,
    id_u integer,
    data_dod timestamp(3)
);
create index ix_dokument_plik_rekord on dokument_plik (tabela, id_);

-- Values taken over from imports, tied to the record and column they fill.
create table import_powiazania (
    id {ID},
    tabela varchar(100) not null,
    nazwa_id varchar(100),
    id_ integer not null,
    nazwa_kol varchar(100) not null,
    kol_ varchar(100),
    wartosc_import varchar(4000),
    import varchar(100),
    czy_import smallint default 0
);
create index ix_import_powiazania_rekord on import_powiazania (tabela, id_, nazwa_kol);

-- The host's speed records: one per saved activity period, with its driver.
create table speed_poz_zdarz (
    id_tpz integer primary key references poz_zdarz (id_tpz) on delete cascade,
    id_t integer not null,
    id_k integer,
    czas_od timestamp(3) not null,
    czas_do timestamp(3) not null,
    czy_praca integer not null,
    rodzaj integer not null default 0
);
create index ix_speed_poz_zdarz_tacho on speed_poz_zdarz (id_t, id_k);
create index ix_speed_poz_zdarz_kierowca on speed_poz_zdarz (id_k, czas_od);

-- Views read by the module.
create view vlistakierall as
select k.id_k, trim(k.nazwisko || ' ' || coalesce(k.imie, '')) as nazwisko_imie, k.nazwisko,
       k.imie, k.id_f, k.data_od, k.data_do, uf.id_u
from kierowca k
left join uzytkownik_firma uf on uf.id_f = k.id_f;

create view vlistasam as
select s.id_s as id, s.nr_rej, s.marka, s.id_f, s.czy_maly
from samochod s;

create view vlistamiast as
select m.id_m as id, m.miasto, m.kod_pocz, p.nazwa, p.kod as kod_kraju, m.widoczne, j.id_jezyka
from miasto m
cross join jezyk j
left join panstwo p on p.id_panstwa = m.id_panstwa;

create view vlistapozslownika as
select sw.id, s.id_slow, s.typ_slownika, sp.nazwa as nazwa_parametru, sw.grupa, j.id_jezyka,
       coalesce(st.wartosc, sw.wartosc) as wartosc
from slowwartosci sw
inner join slownik2parametry s2p on s2p.id_sp = sw.id_sp
inner join slownik s on s.id_slow = s2p.id_slow
inner join slowparametry sp on sp.id_parametru = s2p.id_parametru
cross join jezyk j
left join slowtlumaczenia st on st.id_wartosci = sw.id and st.id_jezyka = j.id_jezyka;

-- Two parameters of the same entry side by side: nazwa/wartosc1 and nazwa2/wartosc2.
create view vlistapozslownika2 as
select a.id_slow, a.id, a.grupa, a.typ_slownika, a.id_jezyka, a.nazwa_parametru as nazwa,
       a.wartosc as wartosc1, b.nazwa_parametru as nazwa2, b.wartosc as wartosc2, b.id as id2
from vlistapozslownika a
inner join vlistapozslownika b
    on b.id_slow = a.id_slow and b.grupa = a.grupa and b.id_jezyka = a.id_jezyka and b.id <> a.id;

create view vlistatacho as
select t.id_t, t.data, t.id_k, t.id_s, t.id_konwojenta, t.id_konwojenta2, t.cyfrowy, t.typ_dnia,
       t.status, t.status_tacho, t.km_pocz, t.km_kon, t.rodzaj,
       trim(k.nazwisko || ' ' || coalesce(k.imie, '')) as nazwisko_imie, s.nr_rej,
       f.nazwa, j.id_jezyka, st.wartosc
from tacho t
cross join jezyk j
left join kierowca k on k.id_k = t.id_k
left join samochod s on s.id_s = t.id_s
left join firma f on f.id_f = k.id_f
left join vlistapozslownika st
    on st.id = t.status_tacho and st.id_jezyka = j.id_jezyka and st.nazwa_parametru = 'nazwa';

create view vlistadokplik as
select d.id_dp as id, d.sciezka, d.podkatalog, d.tabela, d.id_, d.id_u, d.data_dod
from dokument_plik d;

-- Who added and who last changed a chart.
create view vtachododaneedytowane as
select t.id_t, t.id_u_dod, ud.nazwisko_imie as dodal, t.data_dod, t.id_u_mod,
       um.nazwisko_imie as zmodyfikowal, t.data_mod
from tacho t
left join uzytkownik ud on ud.id_u = t.id_u_dod
left join uzytkownik um on um.id_u = t.id_u_mod;

-- Fixed rows every database needs: the table codes of linked documents and the languages.
insert into definicja_tabela (tabela, tabela_slownie, nazwa_tabeli, nazwa_id)
values (0, 'ogolne', null, null);
insert into definicja_tabela (tabela, tabela_slownie, nazwa_tabeli, nazwa_id)
values (8, 'kierowca', 'kierowca', 'id_k');
insert into definicja_tabela (tabela, tabela_slownie, nazwa_tabeli, nazwa_id)
values (9, 'samochod', 'samochod', 'id_s');
insert into definicja_tabela (tabela, tabela_slownie, nazwa_tabeli, nazwa_id)
values (20, 'tacho', 'tacho', 'id_t');

insert into jezyk (id_jezyka, kod_jezyka, nazwa) values (1, 'pl', 'polski');
insert into jezyk (id_jezyka, kod_jezyka, nazwa) values (2, 'en', 'English');
insert into jezyk (id_jezyka, kod_jezyka, nazwa) values (3, 'lt', 'lietuvių');

-- Written last: its presence marks a complete schema.
insert into wersja_bazy (wersja) values (1);
