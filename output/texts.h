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
}  // namespace texts
