#pragma once
// The output's own texts, byte for byte (UTF-8 here; files get Windows-1252): the G-code
// program, the plotter-file exports, the profile exports and the machine hand-off.

namespace texts {
// G-code program
inline constexpr const char* kMaterialThicknessZero = "Materialstärke ist 0";
inline constexpr const char* kFileExistsReplace = " File vorhanden. Ersetzen? ";
inline constexpr const char* kToolLengthZero = " Werkzeuglänge ist 0 !!";
inline constexpr const char* kTooManyPasses = "Über 900 Durchgänge! Ende";
inline constexpr const char* kPassesSuffix = " Durchgänge";
inline constexpr const char* kNotANumber = "Ungültige Zahl im Fräsprogramm (Koordinate oder Z-Wert)! Ende";
inline constexpr const char* kBadToolNumber = "Ungültige Werkzeugnummer im Fräsauftrag: ";
inline constexpr const char* kFeedXYMissing = "Kein gültiger Vorschub XY (mm/sec) für Werkzeug ";
inline constexpr const char* kFeedZMissing = "Kein gültiger Vorschub Z (mm/sec) für Werkzeug ";
inline constexpr const char* kGCodeWriteError = "Fehler beim Schreiben von ";
inline constexpr const char* kGCodeFilter = " G-CODE (.nc) |*.nc| G-CODE (.cnc) |*.cnc||";

// Plotter files
inline constexpr const char* kHpglFilter = "HPGL (.plt) |*.plt||";
inline constexpr const char* kFileOpenError = "File open Error";
inline constexpr const char* kFileError = "File Error!!";
inline constexpr const char* kClickAllPaths = "Jetzt alle Radiusvektoren mit der Mouse anklicken!";

// Profile exports
inline constexpr const char* kContourTooSmall = "Kontur zu klein!!";
inline constexpr const char* kChainNotClosed = " Vektor nicht geschlossen!";
inline constexpr const char* kProfileTooSmall = " Profil zu klein!";
inline constexpr const char* kTrailingEdgeNotSharp = " Hinterkante nicht spitz";
inline constexpr const char* kSvPlusFilter = " Profil (.prf) |*.prf||";
inline constexpr const char* kCfwinFilter = " Profil CFWIN(.usr) |*.usr||";
inline constexpr const char* kProfiliFilter = " Profil CFWIN(.dat) |*.dat||";

// Machine hand-off
inline constexpr const char* kWinPcNotFound = "WinPC-NC nicht gefunden";
inline constexpr const char* kWinPcNotStarted = "WinPC-NC nicht gestartet";
inline constexpr const char* kComOpenError = "COM Open Error";
inline constexpr const char* kComBufferError = "COM Buffer Error";
inline constexpr const char* kComPortUnavailable = "Kann COM-Port nicht öffnen";
inline constexpr const char* kNoSerialController = "Zelvator oder Lotrix nicht vorhanden";
// The safety notice before a start on the serial controller, its lines and buttons.
inline constexpr const char* kLotrixInfoLines[] = {
    "Achtung Unfallgefahr !!!",
    "Beachten Sie die Unfallverhütungsvorschriften !!",
    "Versehen Sie die Maschine mit einem NOT-AUS-TASTER !!",
    "Sie arbeiten auf eigene Gefahr !!",
};
inline constexpr const char* kLotrixInfoAgree = "Ich stimme zu";
inline constexpr const char* kLotrixInfoDisagree = "Nicht einverstanden";
// The start set-up: the machine at its zero point, the controller in automatic mode.
inline constexpr const char* kLotrixSetText =
    "Fahren Sie die Maschine auf den Nullpunkt und schalten Sie die Steuerung auf Automatik.";
inline constexpr const char* kLotrixSetOk = "OK";
inline constexpr const char* kLotrixSetCancel = "Abbrechen";
// Sending a program to a GRBL controller
inline constexpr const char* kGrblFinished = "Das Programm wurde vollständig an die Maschine übertragen.";
inline constexpr const char* kGrblCancelled = "Die Übertragung wurde abgebrochen; die Steuerung wurde angehalten und zurückgesetzt.";
inline constexpr const char* kGrblNoGreeting =
    "Die Steuerung meldet sich nicht. Ist eine GRBL-Steuerung angeschlossen und eingeschaltet?";
inline constexpr const char* kGrblLost = "Die Verbindung zur Steuerung ist abgebrochen.";
inline constexpr const char* kGrblSilent = "Die Steuerung antwortet nicht mehr.";
inline constexpr const char* kGrblResetDuringSend = "Die Steuerung wurde während der Übertragung zurückgesetzt.";
inline constexpr const char* kGrblCannotStream = "Über diese Schnittstelle kann nicht gesendet werden.";
// After "Zeile 12"; nothing has been sent.
inline constexpr const char* kGrblLineTooLong =
    " ist zu lang für den Empfangspuffer der Steuerung; es wurde nichts gesendet.";
inline constexpr const char* kGrblLineUnsafe =
    " enthält außerhalb eines Kommentars ein Zeichen, das die Steuerung als Sofortbefehl ausführen würde; es "
    "wurde nichts gesendet.";
// "Die Steuerung meldet error:22 in Zeile 15: G1 X10" and the meaning on a line of its own.
inline constexpr const char* kGrblErrorIntro = "Die Steuerung meldet error:";
inline constexpr const char* kGrblInLine = " in Zeile ";
inline constexpr const char* kGrblAlarmIntro = "Die Steuerung meldet ALARM:";
inline constexpr const char* kGrblAfterLine = " nach Zeile ";
inline constexpr const char* kGrblUnknownError = "Unbekannter Fehler.";
inline constexpr const char* kGrblUnknownAlarm = "Unbekannter Alarm.";
// Progress: "Zeile 120 von 4711", the controller's state and its position.
inline constexpr const char* kGrblLineOf = "Zeile ";
inline constexpr const char* kGrblOf = " von ";
inline constexpr const char* kGrblState = "Zustand: ";
inline constexpr const char* kGrblMachinePosition = "Maschinenposition: ";
inline constexpr const char* kGrblWorkPosition = "Werkstückposition: ";
inline constexpr const char* kGrblSendRunning = "Die Übertragung an die Maschine läuft. Wirklich beenden?";
}  // namespace texts
