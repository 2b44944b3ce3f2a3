#include "launcher/MenuLanguage.h"

namespace launcher {
namespace {

// A text in every language, in the order of MenuLanguage: NL, EN, DE, FR. Letters beyond ASCII are
// Windows-1252 bytes (\xE9 is é). A row a text, so that a text is added in one place.
using Row = const char* const[4];

constexpr Row kInstall = {"&Installatie", "&Install", "&Installieren", "&Installer"};
constexpr Row kManual = {"&Handleiding", "&Manual", "&Handbuch", "&Manuel"};
constexpr Row kSupport = {"&Support", "&Support", "&Support", "&Assistance"};
constexpr Row kBrowse = {"&CD-ROM verkennen", "&Browse the CD", "&CD durchsuchen",
                         "&Parcourir le CD"};
constexpr Row kExit = {"&Verlaten", "E&xit", "&Beenden", "&Quitter"};
constexpr Row kLogo = {"Ga naar de Orvane website ...", "Go to the Orvane website ...",
                       "Zur Website von Orvane ...", "Aller sur le site d'Orvane ..."};
constexpr Row kWaitCaption = {"Even geduld, a.u.b.", "Please wait", "Bitte warten",
                              "Veuillez patienter"};
constexpr Row kPreparing = {"De installatie wordt voorbereid ...", "Preparing the installation ...",
                            "Die Installation wird vorbereitet ...",
                            "Pr\xE9paration de l'installation ..."};
constexpr Row kCannotStart = {"Kan %s niet starten.", "Cannot start %s.",
                              "%s kann nicht gestartet werden.", "Impossible de d\xE9marrer %s."};
constexpr Row kCannotOpen = {"Kan %s niet openen.", "Cannot open %s.",
                             "%s kann nicht ge\xF6"
                             "ffnet werden.",
                             "Impossible d'ouvrir %s."};
constexpr Row kErrorCode = {"Foutcode", "Error code", "Fehlercode", "Code d'erreur"};
constexpr Row kErrorCodeAfterReason = {"foutcode", "error code", "Fehlercode", "code d'erreur"};

MenuTexts textsIn(int language) {
  return {kInstall[language],     kManual[language],    kSupport[language],
          kBrowse[language],      kExit[language],      kLogo[language],
          kWaitCaption[language], kPreparing[language], kCannotStart[language],
          kCannotOpen[language],  kErrorCode[language], kErrorCodeAfterReason[language]};
}

const char* const kCodes[] = {"NL", "EN", "DE", "FR"};

}  // namespace

MenuLanguage menuLanguageFor(unsigned short uiLanguage) {
  // The primary language is the low ten bits of a LANGID.
  switch (uiLanguage & 0x3FF) {
    case 0x13:
      return MenuLanguage::Dutch;
    case 0x07:
      return MenuLanguage::German;
    case 0x0C:
      return MenuLanguage::French;
    default:
      return MenuLanguage::English;
  }
}

std::string configurationFileOf(MenuLanguage language) {
  return std::string("KvSetupX.") + kCodes[static_cast<int>(language)] + ".ini";
}

const MenuTexts& menuTexts(MenuLanguage language) {
  static const MenuTexts texts[] = {textsIn(0), textsIn(1), textsIn(2), textsIn(3)};
  return texts[static_cast<int>(language)];
}

}  // namespace launcher
