#pragma once
// The texts the program carries itself, outside the text files: error boxes, the missing data
// folder, the colour depths. A row per text, its languages in the order of textkeys::Languages
// (NL, EN, DE, FR), in UTF-8 for the wide Windows calls. The Dutch column holds what the program
// always said.
#include <cstddef>

#include "formats/TextTableKeys.h"

struct ProgramText {
  const char* languages[textkeys::LanguageCount];

  const char* in(textkeys::Language language) const { return languages[static_cast<size_t>(language)]; }
};

namespace programtexts {

inline constexpr ProgramText ErrorCaption = {{"Error", "Error", "Fehler", "Erreur"}};
inline constexpr ProgramText ModeChangeFailed = {{
    "Changing screen resolution failed!",
    "Changing screen resolution failed!",
    "Die Bildschirmauflösung konnte nicht geändert werden.",
    "Impossible de changer la résolution de l'écran.",
}};
inline constexpr ProgramText NoPixelFormat = {{
    "ChoosePixelFormat() failed:  Cannot find a suitable pixel format.",
    "ChoosePixelFormat() failed:  Cannot find a suitable pixel format.",
    "ChoosePixelFormat() ist fehlgeschlagen: Es gibt kein passendes Pixelformat.",
    "Échec de ChoosePixelFormat() : aucun format de pixel ne convient.",
}};
inline constexpr ProgramText PixelFormatNotSet = {{
    "SetPixelFormat() failed:  Cannot set format specified.",
    "SetPixelFormat() failed:  Cannot set format specified.",
    "SetPixelFormat() ist fehlgeschlagen: Das Pixelformat lässt sich nicht einstellen.",
    "Échec de SetPixelFormat() : impossible d'appliquer ce format de pixel.",
}};
// A printf format: %s is the data folder.
inline constexpr ProgramText MissingDataFolder = {{
    "The data folder %s was not found: the sea has no pictures and no sound.",
    "The data folder %s was not found: the sea has no pictures and no sound.",
    "Der Datenordner %s wurde nicht gefunden: Das Meer bleibt ohne Bilder und ohne Ton.",
    "Le dossier de données %s est introuvable : la mer reste sans images et sans son.",
}};
inline constexpr ProgramText Depth16 = {{"16 bit", "16 bit", "16 Bit", "16 bits"}};
inline constexpr ProgramText Depth32 = {{"32 bit", "32 bit", "32 Bit", "32 bits"}};

inline constexpr const ProgramText* All[] = {&ErrorCaption,      &ModeChangeFailed, &NoPixelFormat, &PixelFormatNotSet,
                                             &MissingDataFolder, &Depth16,          &Depth32};

}  // namespace programtexts
