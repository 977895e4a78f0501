-- Demo data: a small fleet with its dictionaries, for an empty database.
-- Date-times in the canonical text 'yyyy-MM-dd hh:mm:ss.zzz' (both backends read it).

-- Firms and users
insert into firma (id_f, nazwa, nazwa_skrot, katalog) values (1, 'Trans-Pol Sp. z o.o.', 'TRANSPOL', null);
insert into firma (id_f, nazwa, nazwa_skrot, katalog) values (2, 'Logistyka Nowak s.c.', 'NOWAK', null);
insert into uzytkownik (id_u, login, nazwisko_imie) values (1, 'admin', 'Administrator');
insert into uzytkownik (id_u, login, nazwisko_imie) values (2, 'kadry', 'Kowalczyk Anna');
insert into uzytkownik_firma (id_u, id_f) values (1, 1);
insert into uzytkownik_firma (id_u, id_f) values (1, 2);
insert into uzytkownik_firma (id_u, id_f) values (2, 1);

-- Vehicles (the last one is a small van, kept out of the chart's vehicle list)
insert into samochod (id_s, nr_rej, marka, id_f, czy_maly) values (1, 'WX 4521K', 'MAN TGX 18.440', 1, 0);
insert into samochod (id_s, nr_rej, marka, id_f, czy_maly) values (2, 'WI 772PL', 'DAF XF 480', 1, 0);
insert into samochod (id_s, nr_rej, marka, id_f, czy_maly) values (3, 'WGM 19AS', 'Scania R450', 1, 0);
insert into samochod (id_s, nr_rej, marka, id_f, czy_maly) values (4, 'PO 5TR88', 'Volvo FH 460', 2, 0);
insert into samochod (id_s, nr_rej, marka, id_f, czy_maly) values (5, 'WX 1034C', 'Fiat Ducato', 1, 1);

-- Drivers with their employment, default vehicle and co-driver
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (1, 'Kowalski', 'Jan', 1, '2015-03-01 00:00:00.000', null, 1, 5, null, 'PL00000123456701');
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (2, 'Nowak', 'Piotr', 1, '2018-06-15 00:00:00.000', null, 2, null, null, 'PL00000223456702');
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (3, 'Wiśniewski', 'Marek', 1, '2012-01-10 00:00:00.000', '2023-12-31 00:00:00.000', 3, null, null, 'PL00000323456703');
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (4, 'Wójcik', 'Tomasz', 2, '2020-09-01 00:00:00.000', null, 4, null, null, 'PL00000423456704');
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (5, 'Kamiński', 'Adam', 1, '2021-02-01 00:00:00.000', null, 1, 1, null, 'PL00000523456705');
insert into kierowca (id_k, nazwisko, imie, id_f, data_od, data_do, domyslny_sam, id_konwojenta, id_konwojenta2, nr_karty) values (6, 'Lewandowska', 'Ewa', 2, '2019-04-01 00:00:00.000', null, 4, null, null, 'PL00000623456706');

-- Countries and cities
insert into panstwo (id_panstwa, kod, nazwa) values (1, 'PL', 'Polska');
insert into panstwo (id_panstwa, kod, nazwa) values (2, 'DE', 'Niemcy');
insert into panstwo (id_panstwa, kod, nazwa) values (3, 'CZ', 'Czechy');
insert into panstwo (id_panstwa, kod, nazwa) values (4, 'LT', 'Litwa');
insert into panstwo (id_panstwa, kod, nazwa) values (5, 'NL', 'Holandia');
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (1, 'Warszawa', '00-001', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (2, 'Poznań', '60-101', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (3, 'Łódź', '90-001', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (4, 'Gdańsk', '80-001', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (5, 'Kraków', '30-001', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (6, 'Świecko', '69-100', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (7, 'Kudowa-Zdrój', '57-350', 1, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (8, 'Berlin', '10115', 2, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (9, 'Frankfurt (Oder)', '15230', 2, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (10, 'Praga', '11000', 3, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (11, 'Kowno', '44001', 4, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (12, 'Rotterdam', '3011', 5, 1);
insert into miasto (id_m, miasto, kod_pocz, id_panstwa, widoczne) values (13, 'Piotrków Trybunalski', '97-300', 1, 0);

-- Dictionaries: chart statuses, chart annotations, error-description templates
insert into slowparametry (id_parametru, nazwa) values (1, 'nazwa');
insert into slowparametry (id_parametru, nazwa) values (2, 'opis');
insert into slowparametry (id_parametru, nazwa) values (3, 'aktywnosc');
insert into slowparametry (id_parametru, nazwa) values (4, 'jm_grupa');
insert into slownik (id_slow, typ_slownika, nazwa_slownika) values (1, 'tarcza_status', 'Status wykresówki');
insert into slownik (id_slow, typ_slownika, nazwa_slownika) values (2, 'tarcza_adnotacje', 'Adnotacje wykresówki');
insert into slownik (id_slow, typ_slownika, nazwa_slownika) values (3, 'opisy_kwir', 'Opisy błędów wykresówek');
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (1, 1, 1);
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (2, 2, 1);
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (3, 2, 2);
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (4, 3, 1);
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (5, 3, 3);
insert into slownik2parametry (id_sp, id_slow, id_parametru) values (6, 3, 4);
insert into slowwartosci (id, id_sp, grupa, wartosc) values (1, 1, 1, 'Sprawdzona');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (2, 1, 2, 'Do wyjaśnienia');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (3, 1, 3, 'Poza krajem');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (4, 1, 4, 'Przekazana do rozliczenia');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (5, 2, 1, 'Prom');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (6, 3, 1, 'Przeprawa promowa: odpoczynek przerwany dwukrotnie zgodnie z art. 9 rozporządzenia (WE) nr 561/2006.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (7, 2, 2, 'Awaria');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (8, 3, 2, 'Awaria pojazdu w trasie, nieplanowany postój do czasu naprawy.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (9, 2, 3, 'Utrudnienia w ruchu');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (10, 3, 3, 'Opóźnienie spowodowane utrudnieniami w ruchu drogowym.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (11, 2, 4, 'Wpis ręczny');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (12, 3, 4, 'Czynności w okresie bez zapisu wpisane ręcznie na odwrocie wykresówki.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (13, 2, 5, 'Zmiana pojazdu');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (14, 3, 5, 'Kierowca zmienił pojazd w trakcie dnia; druga wykresówka dla drugiego pojazdu.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (15, 4, 1, 'Na wykresówce nie umieszczono imienia i nazwiska kierowcy (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (16, 5, 1, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (17, 6, 1, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (18, 4, 2, 'Na wykresówce nie umieszczono numeru rejestracyjnego pojazdu (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (19, 5, 2, '2');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (20, 6, 2, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (21, 4, 3, 'Na wykresówce nie wpisano miejscowości rozpoczęcia dziennego okresu pracy (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (22, 5, 3, '3');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (23, 6, 3, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (24, 4, 4, 'Na wykresówce nie wpisano miejscowości zakończenia dziennego okresu pracy (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (25, 5, 4, '4');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (26, 6, 4, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (27, 4, 5, 'Na wykresówce nie wpisano daty rozpoczęcia jej używania (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (28, 5, 5, '5');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (29, 6, 5, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (30, 4, 6, 'Na wykresówce nie wpisano daty zakończenia jej używania (<zastąp>).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (31, 5, 6, '6');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (32, 6, 6, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (33, 4, 7, 'Na wykresówce nie wpisano początkowego stanu licznika (<zastąp> km).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (34, 5, 7, '7');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (35, 6, 7, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (36, 4, 8, 'Na wykresówce nie wpisano końcowego stanu licznika (<zastąp> km).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (37, 5, 8, '8');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (38, 6, 8, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (39, 4, 9, 'Różnica stanów licznika (<zastąp> km) nie zgadza się z dystansem zapisanym na wykresówce (<zastąp2> km).');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (40, 5, 9, '9');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (41, 6, 9, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (42, 4, 10, 'Nieprawidłowe operowanie przełącznikiem tachografu w godzinach <zastąp> - <zastąp2>.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (43, 5, 10, '101');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (44, 6, 10, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (45, 4, 11, 'Wykresówka nie zawiera wymaganych okresów aktywności kierowcy w godzinach <zastąp> - <zastąp2>.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (46, 5, 11, '102');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (47, 6, 11, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (48, 4, 12, 'Wirtualne przemieszczenie do miejscowości <zastąp> w godzinach <zastąp2>.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (49, 5, 12, '103');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (50, 6, 12, '1');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (51, 4, 13, 'W bieżącym miesiącu nie stwierdzono uchybień w prowadzeniu wykresówek.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (52, 5, 13, '201');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (53, 6, 13, '2');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (54, 4, 14, 'Kierowcę pouczono o obowiązku starannego wypełniania wpisów ręcznych na wykresówkach.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (55, 5, 14, '202');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (56, 6, 14, '2');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (57, 4, 15, 'Stwierdzono powtarzające się błędy w obsłudze przełącznika tachografu; skierowano kierowcę na szkolenie.');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (58, 5, 15, '203');
insert into slowwartosci (id, id_sp, grupa, wartosc) values (59, 6, 15, '2');
insert into slowtlumaczenia (id_wartosci, id_jezyka, wartosc) values (1, 2, 'Checked');
insert into slowtlumaczenia (id_wartosci, id_jezyka, wartosc) values (2, 2, 'To be clarified');
insert into slowtlumaczenia (id_wartosci, id_jezyka, wartosc) values (3, 2, 'Abroad');
insert into slowtlumaczenia (id_wartosci, id_jezyka, wartosc) values (4, 2, 'Handed over for settlement');

-- Day kinds of the calendar (dzien = 1: a day off), absences, the working-time calendar
insert into dzien (id_dnia, dzien, nazwa, skrot) values (1, 1, 'Urlop wypoczynkowy', 'UW');
insert into dzien (id_dnia, dzien, nazwa, skrot) values (2, 1, 'Zwolnienie lekarskie', 'L4');
insert into dzien (id_dnia, dzien, nazwa, skrot) values (3, 0, 'Dzień pracy', 'P');
insert into dzien (id_dnia, dzien, nazwa, skrot) values (4, 0, 'Szkolenie', 'SZ');
insert into nieobecnosc (id_n, id_k, id_dnia, data_od, data_do, uwagi) values (1, 2, 1, '2024-07-01 00:00:00.000', '2024-07-14 00:00:00.000', 'Urlop letni');
insert into nieobecnosc (id_n, id_k, id_dnia, data_od, data_do, uwagi) values (2, 4, 2, '2024-03-11 00:00:00.000', '2024-03-15 00:00:00.000', null);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (1, '2024-03-04 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (1, '2024-03-05 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (1, '2024-03-06 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (1, '2024-03-07 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (1, '2024-03-08 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (2, '2024-03-04 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (2, '2024-03-05 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (2, '2024-03-06 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (2, '2024-03-07 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (2, '2024-03-08 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (5, '2024-03-04 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (5, '2024-03-05 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (5, '2024-03-06 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (5, '2024-03-07 00:00:00.000', 3, 8.0);
insert into kalendarz (id_k, data, id_dnia, norma_godz) values (5, '2024-03-08 00:00:00.000', 3, 8.0);

-- Approved infringements found by the settlement
insert into naruszenia (id_n, id_k, data, data_do, typ, ustawa, skroc_wydluz, zatwierdzone, id_t) values (1, 1, '2024-03-05 06:00:00.000', '2024-03-05 19:30:00.000', 0, 2, 6, 1, null);
insert into naruszenia (id_n, id_k, data, data_do, typ, ustawa, skroc_wydluz, zatwierdzone, id_t) values (2, 2, '2024-03-06 21:15:00.000', '2024-03-07 05:45:00.000', 1, 2, 10, 1, null);
insert into naruszenia (id_n, id_k, data, data_do, typ, ustawa, skroc_wydluz, zatwierdzone, id_t) values (3, 1, '2024-03-07 08:00:00.000', '2024-03-07 13:10:00.000', 4, 0, 3, 0, null);
