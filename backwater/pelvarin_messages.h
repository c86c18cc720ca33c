// Every message and caption that Pelvarin shows, in one place.
#pragma once

#include "dialog/channel_checks.h"

namespace pelvarin_text {

// The captions CAPTION_ERROR "Fehler!" and CAPTION_WARNING "Achtung!" and the
// messages of the checks both programs make are in dialog/channel_checks.h.
inline constexpr const char* CAPTION_FILE_ERROR = "Fehler";
inline constexpr const char* CAPTION_QUESTION = "Meldung!";
inline constexpr const char* CAPTION_INFO = "Info";

inline constexpr const char* CHECK_Q = "Bitte Eingabe Q kontrollieren";
inline constexpr const char* CHECK_BETA = "Bitte Eingabe beta kontrollieren";
inline constexpr const char* CHECK_L = "Bitte Eingabe Profilabstand kontrollieren";
inline constexpr const char* CHECK_HU = "Bitte Eingabe hu kontrollieren";
inline constexpr const char* CHECK_WSP = "Eingabe wsp korrekt?";
inline constexpr const char* CHECK_PA = "Eingabe Pa korrekt?";

// Shown before the success message, in this order. A solver that found no
// sign change in its bracket leaves the upper end of the bracket (about 70 m)
// in the report in place of the depth.
inline constexpr const char* WARN_HN_OUTSIDE =
    "Normaltiefe ausserhalb 0.05 bis 70 m: Ergebnisse nicht aussagekraeftig";
inline constexpr const char* WARN_HGR_OUTSIDE =
    "Kritische Tiefe ausserhalb 0.05 bis 70 m: Ergebnisse nicht aussagekraeftig";
// The march upstream is no model of supercritical flow.
inline constexpr const char* WARN_SUPERCRITICAL =
    "Schiessender Abfluss: Stau- bzw. Senkungsweite nicht aussagekraeftig";
inline constexpr const char* WARN_CRITICAL_ASSUMED =
    "Energiegleichung an einem Profil nicht loesbar: Grenztiefe angesetzt";
inline constexpr const char* WARN_LENGTH_BEYOND_MARCH = "Stau- bzw. Senkungsweite reicht ueber 14998 m hinaus";

inline constexpr const char* FILE_EXISTS = "Datei schon vorhanden";
inline constexpr const char* FILE_NOT_CREATED = "Datei konnte nicht erstellt werden!";
inline constexpr const char* FILE_CREATED = "Datei wurde erstellt";
// After FILE_CREATED the report is never removed; a failure to complete it is
// told with CAPTION_FILE_ERROR.
inline constexpr const char* TRAILER_NOT_WRITTEN = "Schlusszeilen konnten nicht geschrieben werden";

}  // namespace pelvarin_text
