#include "TextFiles.h"

#include "formats/DataCatalog.h"
#include "formats/TextTableKeys.h"

TextEntries directoryEntries() {
  using namespace textkeys::directory;
  return {
      {RegistryPath, "Software\\Reefsaver\\Reefglass"},
      {ApplicationName, "Reefsaver Reefglass"},
      {MainBitmap, catalog::IntroPicture.file},
  };
}

TextEntries languageEntries() {
  using namespace textkeys::language;
  return {
      {Caption, "Reefglass instellingen"},
      {Cancel, "Annuleren"},
      {ScreenSettings, "Beeldscherminstellingen"},
      {Intro, "Introductie"},
      {Boid, "Visschool"},
      {Fish, "Vissen"},
      {Birds, "Vogels"},
      {Sky, "Lucht"},
      {Camera, "Camera"},
      {Sound, "Geluid"},
      {InfoText,
       "Reefglass toont een tropische lagune: een school vissen, rifvissen, een manta, "
       "koralen en meeuwen boven het water. Kies links wat u wilt zien."},
      {HyperlinkText, "Bezoek onze website"},
      {Hyperlink, "https://www.reefsaver.example/"},
      {BoidType, "Soort"},
      {BoidCount, "Aantal"},
      {FishType, "Soorten"},
      {FishCount, "Aantal"},
      {BirdType, "Soorten"},
      {SkyText, "Lucht"},
      {Cloudy, "bewolkt"},
      {Cloudless, "onbewolkt"},
      {CameraText, "Camera"},
      {ScrollSpeed, "Kantelsnelheid:"},
      {RestTimeTop, "Wachttijd boven:"},
      {RestTimeBottom, "Wachttijd onder:"},
      {Automatic, "automatisch"},
      {Top, "boven"},
      {Middle, "midden"},
      {Bottom, "onder"},
      {SoundText, "Geluid"},
      {OnOff, "aan/uit"},
      {Volume, "Volume"},
      {ShowClock, "Klok tonen"},
      {Help, "F1: hulp"},
      {HelpExpanded,
       "Esc: afsluiten\n"
       "Home: camera terug naar de beginstand\n"
       "Pijl omhoog: omhoog kijken\n"
       "Pijl omlaag: omlaag kijken\n"
       "Spatie: draadmodel aan/uit\n"
       "F: beeldsnelheid tonen/verbergen\n"
       "F1: hulp in- of uitklappen"},
  };
}

TextEntries screenLanguageEntries() {
  using namespace textkeys::screenlanguage;
  return {
      {Caption, "Beeldscherminstellingen"},
      {DisplayModeText, "Beeldschermmodus"},
      {LeaveResolution, "Huidige instellingen behouden"},
      {BitsPerPixel, "Kleurdiepte:"},
      {Resolution, "Resolutie:"},
      {ShadeSecondary, "Andere beeldschermen verduisteren"},
      {Cancel, "Annuleren"},
      {MonitorMode, "Beeldschermen:"},
      {MonitorPrimary, "Alleen het hoofdscherm"},
      {MonitorEvery, "Zee op elk scherm"},
      {MonitorPanorama, "Panorama over alle schermen"},
  };
}

std::string formatTextFile(const std::string& comment, const TextEntries& entries) {
  std::string text = "; " + comment + "\n[" + textkeys::Section + "]\n";
  for (const auto& [key, value] : entries) text += key + " = {" + value + "}\n";
  return text;
}
