// GRBL 1.1's error and alarm numbers with their meanings, as its documentation lists them.

#include "output/grbl_codes.h"

#include <utility>

#include "output/texts.h"

namespace {
constexpr std::pair<int, const char*> kErrors[] = {
    {1, "Ein G-Code-Wort besteht aus Buchstabe und Wert; der Buchstabe fehlt."},
    {2, "Der Zahlenwert fehlt oder hat kein gültiges Format."},
    {3, "Der '$'-Befehl ist unbekannt oder wird nicht unterstützt."},
    {4, "Ein negativer Wert, wo ein positiver verlangt ist."},
    {5, "Die Referenzfahrt ist in den Einstellungen der Steuerung nicht eingeschaltet."},
    {6, "Die kürzeste Schrittimpulsdauer muss länger als 3 µs sein."},
    {7, "Das EEPROM konnte nicht gelesen werden; die betroffenen Einstellungen sind auf ihre Vorgaben gesetzt."},
    {8, "Der '$'-Befehl ist nur im Ruhezustand (Idle) erlaubt."},
    {9, "G-Code ist gesperrt, solange ein Alarm ansteht oder von Hand verfahren wird."},
    {10, "Software-Endschalter verlangen eine eingeschaltete Referenzfahrt."},
    {11, "Die Zeile hat mehr Zeichen als erlaubt; sie wurde nicht ausgeführt."},
    {12, "Die Einstellung ergäbe eine höhere Schrittfrequenz als unterstützt."},
    {13, "Die Schutztür ist offen."},
    {14, "Die Zeile ist zu lang für den Speicher im EEPROM; sie wurde nicht gespeichert."},
    {15, "Das Ziel der Handfahrt liegt außerhalb des Verfahrbereichs; sie wurde nicht ausgeführt."},
    {16, "Ungültiger Handfahrbefehl: das '=' fehlt oder er enthält verbotenen G-Code."},
    {17, "Der Lasermodus verlangt einen PWM-Ausgang."},
    {20, "Ein nicht unterstützter oder ungültiger G-Code-Befehl steht in der Zeile."},
    {21, "Mehr als ein Befehl derselben modalen Gruppe steht in der Zeile."},
    {22, "Der Vorschub ist nicht gesetzt (kein F-Wort)."},
    {23, "Der Befehl verlangt einen ganzzahligen Wert."},
    {24, "Mehr als ein Befehl der Zeile verlangt Achsenwörter."},
    {25, "Ein G-Code-Wort steht mehrmals in der Zeile."},
    {26, "Der Befehl oder die aktuelle Bewegungsart verlangt Achsenwörter; die Zeile hat keine."},
    {27, "Die Zeilennummer ist ungültig."},
    {28, "Dem Befehl fehlt ein verlangter Wert."},
    {29, "Die Werkstück-Koordinatensysteme G59.x werden nicht unterstützt."},
    {30, "G53 ist nur mit den Bewegungsarten G0 und G1 erlaubt."},
    {31, "Achsenwörter stehen in der Zeile, die kein Befehl und keine Bewegungsart verwendet."},
    {32, "Kreisbögen G2 und G3 verlangen mindestens ein Achsenwort der Ebene."},
    {33, "Das Ziel der Bewegung ist ungültig."},
    {34, "Der Radius des Kreisbogens ist ungültig."},
    {35, "Kreisbögen G2 und G3 verlangen mindestens einen Mittelpunktsabstand der Ebene."},
    {36, "Werte stehen in der Zeile, die kein Befehl verwendet."},
    {37, "Die Werkzeuglängenkorrektur G43.1 gilt nicht der eingestellten Werkzeugachse."},
    {38, "Die Werkzeugnummer ist größer als die höchste unterstützte."},
};

constexpr std::pair<int, const char*> kAlarms[] = {
    {1, "Endschalter ausgelöst. Die Maschinenposition ist wahrscheinlich verloren; eine neue Referenzfahrt wird "
        "dringend empfohlen."},
    {2, "Das Ziel einer Bewegung liegt außerhalb des Verfahrbereichs. Die Position ist erhalten; der Alarm kann "
        "aufgehoben werden."},
    {3, "Während einer Bewegung zurückgesetzt. Die Position ist nicht gesichert, Schrittverluste sind "
        "wahrscheinlich; eine neue Referenzfahrt wird dringend empfohlen."},
    {4, "Tasterfehler: der Taster ist vor dem Antasten nicht im erwarteten Zustand."},
    {5, "Tasterfehler: der Taster hat das Werkstück im programmierten Weg nicht berührt."},
    {6, "Referenzfahrt fehlgeschlagen: sie wurde zurückgesetzt."},
    {7, "Referenzfahrt fehlgeschlagen: die Schutztür wurde geöffnet."},
    {8, "Referenzfahrt fehlgeschlagen: beim Freifahren wurde der Endschalter nicht frei."},
    {9, "Referenzfahrt fehlgeschlagen: der Endschalter wurde im Suchweg nicht gefunden."},
    {10, "Referenzfahrt fehlgeschlagen: an einer doppelten Achse wurde der zweite Endschalter nicht gefunden."},
};

template <std::size_t N>
std::string Lookup(const std::pair<int, const char*> (&table)[N], int code, const char* unknown) {
    for (const auto& [number, meaning] : table)
        if (number == code) return meaning;
    return unknown;
}
}  // namespace

std::string GrblErrorMeaning(int code) { return Lookup(kErrors, code, texts::kGrblUnknownError); }
std::string GrblAlarmMeaning(int code) { return Lookup(kAlarms, code, texts::kGrblUnknownAlarm); }
