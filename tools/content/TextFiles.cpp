#include "TextFiles.h"

#include "Windows1252.h"
#include "formats/DataCatalog.h"

TextEntries directoryEntries() {
  using namespace textkeys::directory;
  return {
      {RegistryPath, "Software\\Reefsaver\\Reefglass"},
      {ApplicationName, "Reefsaver Reefglass"},
      {MainBitmap, catalog::IntroPicture.file},
  };
}

// Labels must fit their controls at their template sizes in every language (the dialog tests
// measure them): where a literal translation runs long, a shorter usual word is taken.
TranslatedEntries languageEntries() {
  using namespace textkeys::language;
  return {
      {Caption, {"Reefglass instellingen", "Reefglass settings", "Reefglass-Einstellungen", "Paramètres de Reefglass"}},
      {Cancel, {"Annuleren", "Cancel", "Abbrechen", "Annuler"}},
      {ScreenSettings, {"Beeldscherminstellingen", "Display settings", "Anzeige", "Affichage"}},
      {Intro, {"Introductie", "Introduction", "Einführung", "Présentation"}},
      {Boid, {"Visschool", "Fish school", "Fischschwarm", "Banc de poissons"}},
      {Fish, {"Vissen", "Fish", "Fische", "Poissons"}},
      {Birds, {"Vogels", "Birds", "Vögel", "Oiseaux"}},
      {Sky, {"Lucht", "Sky", "Himmel", "Ciel"}},
      {Camera, {"Camera", "Camera", "Kamera", "Caméra"}},
      {Sound, {"Geluid", "Sound", "Ton", "Son"}},
      {InfoText,
       {"Reefglass toont een tropische lagune: een school vissen, rifvissen, een manta, "
        "koralen en meeuwen boven het water. Kies links wat u wilt zien.",
        "Reefglass shows a tropical lagoon: a school of fish, reef fish, a manta ray, "
        "corals and gulls above the water. Choose on the left what you want to see.",
        "Reefglass zeigt eine tropische Lagune: einen Fischschwarm, Rifffische, einen Mantarochen, "
        "Korallen und Möwen über dem Wasser. Wählen Sie links, was Sie sehen möchten.",
        "Reefglass montre un lagon tropical : un banc de poissons, des poissons de récif, une raie "
        "manta, des coraux et des mouettes. Choisissez à gauche ce que vous voulez voir."}},
      {HyperlinkText, {"Bezoek onze website", "Visit our website", "Zu unserer Website", "Visiter notre site"}},
      {Hyperlink,
       {"https://www.reefsaver.example/", "https://www.reefsaver.example/", "https://www.reefsaver.example/",
        "https://www.reefsaver.example/"}},
      {BoidType, {"Soort", "Kind", "Art", "Espèce"}},
      {BoidCount, {"Aantal", "Number", "Anzahl", "Nombre"}},
      {FishType, {"Soorten", "Kinds", "Arten", "Espèces"}},
      {FishCount, {"Aantal", "Number", "Anzahl", "Nombre"}},
      {BirdType, {"Soorten", "Kinds", "Arten", "Espèces"}},
      {SkyText, {"Lucht", "Sky", "Himmel", "Ciel"}},
      {Cloudy, {"bewolkt", "cloudy", "bewölkt", "nuageux"}},
      {Cloudless, {"onbewolkt", "clear", "wolkenlos", "dégagé"}},
      {CameraText, {"Camera", "Camera", "Kamera", "Caméra"}},
      {ScrollSpeed, {"Kantelsnelheid:", "Tilt speed:", "Tempo:", "Vitesse :"}},
      {RestTimeTop, {"Wachttijd boven:", "Rest at top:", "Pause oben:", "Pause en haut :"}},
      {RestTimeBottom, {"Wachttijd onder:", "Rest at bottom:", "Pause unten:", "Pause en bas :"}},
      {Automatic, {"automatisch", "automatic", "automatisch", "automatique"}},
      {Top, {"boven", "top", "oben", "en haut"}},
      {Middle, {"midden", "middle", "Mitte", "au milieu"}},
      {Bottom, {"onder", "bottom", "unten", "en bas"}},
      {SoundText, {"Geluid", "Sound", "Ton", "Son"}},
      {OnOff, {"aan/uit", "on/off", "ein/aus", "Activer le son"}},
      {Volume, {"Volume", "Volume", "Lautstärke", "Volume"}},
      {ShowClock, {"Klok tonen", "Show clock", "Uhr anzeigen", "Afficher l'heure"}},
      {Help, {"F1: hulp", "F1: help", "F1: Hilfe", "F1 : aide"}},
      {HelpExpanded,
       {"Esc: afsluiten\n"
        "Home: camera terug naar de beginstand\n"
        "Pijl omhoog: omhoog kijken\n"
        "Pijl omlaag: omlaag kijken\n"
        "Spatie: draadmodel aan/uit\n"
        "F: beeldsnelheid tonen/verbergen\n"
        "F1: hulp in- of uitklappen",
        "Esc: quit\n"
        "Home: camera back to its start\n"
        "Up arrow: look up\n"
        "Down arrow: look down\n"
        "Space: wireframe on/off\n"
        "F: show/hide the frame rate\n"
        "F1: expand or collapse the help",
        "Esc: beenden\n"
        "Pos1: Kamera zurück zum Anfang\n"
        "Pfeil nach oben: nach oben schauen\n"
        "Pfeil nach unten: nach unten schauen\n"
        "Leertaste: Drahtgitter ein/aus\n"
        "F: Bildrate ein-/ausblenden\n"
        "F1: Hilfe auf- oder zuklappen",
        "Échap : quitter\n"
        "Début : caméra à sa position de départ\n"
        "Flèche haut : regarder vers le haut\n"
        "Flèche bas : regarder vers le bas\n"
        "Espace : fil de fer oui/non\n"
        "F : afficher/masquer la fréquence d'images\n"
        "F1 : déplier ou replier l'aide"}},
  };
}

TranslatedEntries screenLanguageEntries() {
  using namespace textkeys::screenlanguage;
  return {
      {Caption, {"Beeldscherminstellingen", "Display settings", "Bildschirmeinstellungen", "Paramètres d'affichage"}},
      {DisplayModeText, {"Beeldschermmodus", "Display mode", "Bildschirmmodus", "Mode d'affichage"}},
      {LeaveResolution,
       {"Huidige instellingen behouden", "Keep the current settings", "Aktuelle Einstellungen beibehalten",
        "Garder les paramètres actuels"}},
      {BitsPerPixel, {"Kleurdiepte:", "Color depth:", "Farbtiefe:", "Couleurs :"}},
      {Resolution, {"Resolutie:", "Resolution:", "Auflösung:", "Résolution :"}},
      {ShadeSecondary,
       {"Andere beeldschermen verduisteren", "Darken the other monitors", "Andere Bildschirme abdunkeln",
        "Assombrir les autres écrans"}},
      {Cancel, {"Annuleren", "Cancel", "Abbrechen", "Annuler"}},
      {MonitorMode, {"Beeldschermen:", "Monitors:", "Bildschirme:", "Écrans :"}},
      {MonitorPrimary, {"Alleen het hoofdscherm", "Main monitor only", "Nur Hauptbildschirm", "Écran principal seul"}},
      {MonitorEvery,
       {"Zee op elk scherm", "Sea on every monitor", "Meer auf jedem Bildschirm", "Mer sur chaque écran"}},
      {MonitorPanorama,
       {"Panorama over alle schermen", "Panorama across all monitors", "Panorama über alle Bildschirme",
        "Panorama sur tous les écrans"}},
  };
}

TextEntries inLanguage(const TranslatedEntries& entries, textkeys::Language language) {
  TextEntries texts;
  for (const TranslatedEntry& entry : entries) {
    texts.emplace_back(entry.key, entry.texts[static_cast<size_t>(language)]);
  }
  return texts;
}

namespace {

std::string formatSection(const char* section, const TextEntries& entries) {
  std::string text = std::string("[") + section + "]\n";
  for (const auto& [key, value] : entries) text += key + " = {" + windows1252::fromUtf8(value) + "}\n";
  return text;
}

}  // namespace

std::string formatTextFile(const std::string& comment, const TextEntries& entries) {
  return "; " + comment + "\n" + formatSection(textkeys::BaseSection, entries);
}

std::string formatTextFile(const std::string& comment, const TranslatedEntries& entries) {
  std::string text = "; " + comment + "\n";
  for (const textkeys::Language language : textkeys::Languages) {
    text += formatSection(textkeys::sectionName(language), inLanguage(entries, language));
  }
  return text;
}
