#include "TextFiles.h"

const char* const IntroPictureName = "intro.bmp";

TextEntries directoryEntries() {
  return {
      {"win32reg", "Software\\Reefsaver\\Reefglass"},
      {"appname_long", "Reefsaver Reefglass"},
      {"mainbitmap", IntroPictureName},
  };
}

TextEntries languageEntries() {
  return {
      {"caption", "Reefglass instellingen"},
      {"cancel", "Annuleren"},
      {"screensettings", "Beeldscherminstellingen"},
      {"intro", "Introductie"},
      {"boid", "Visschool"},
      {"fish", "Vissen"},
      {"birds", "Vogels"},
      {"sky", "Lucht"},
      {"camera", "Camera"},
      {"sound", "Geluid"},
      {"infotxt",
       "Reefglass toont een tropische lagune: een school vissen, rifvissen, een manta, "
       "koralen en meeuwen boven het water. Kies links wat u wilt zien."},
      {"hyperlink_txt", "Bezoek onze website"},
      {"hyperlink", "https://www.reefsaver.example/"},
      {"boidtype", "Soort"},
      {"boidcount", "Aantal"},
      {"fishtype", "Soorten"},
      {"fishcount", "Aantal"},
      {"birdtype", "Soorten"},
      {"skytext", "Lucht"},
      {"cloudy", "bewolkt"},
      {"cloudless", "onbewolkt"},
      {"cameratext", "Camera"},
      {"scrollspeed", "Kantelsnelheid:"},
      {"resttime_top", "Wachttijd boven:"},
      {"resttime_bottom", "Wachttijd onder:"},
      {"automatic", "automatisch"},
      {"top", "boven"},
      {"middle", "midden"},
      {"bottom", "onder"},
      {"soundtext", "Geluid"},
      {"on_off", "aan/uit"},
      {"help", "F1: hulp"},
      {"helpexpanded",
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
  return {
      {"caption", "Beeldscherminstellingen"},
      {"displaymodetext", "Beeldschermmodus"},
      {"leaveresolution", "Huidige instellingen behouden"},
      {"bitsperpixel", "Kleurdiepte:"},
      {"resolution", "Resolutie:"},
      {"shadesecondary", "Andere beeldschermen verduisteren"},
      {"cancel", "Annuleren"},
  };
}

std::string formatTextFile(const std::string& comment, const TextEntries& entries) {
  std::string text = "; " + comment + "\n[NL]\n";
  for (const auto& [key, value] : entries) text += key + " = {" + value + "}\n";
  return text;
}
