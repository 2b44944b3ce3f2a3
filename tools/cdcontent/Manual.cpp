#include "Manual.h"

#include "PdfWriter.h"

namespace cdcontent {
namespace {

// With every page, button and option named exactly as the menu, the setup program and the
// settings dialogs show it in Dutch.
std::vector<uint8_t> writeDutchManual() {
  PdfWriter pdf("Reefsaver - Handleiding");
  using S = TextStyle;
  pdf.add(S::Title, "Reefsaver");
  pdf.add(S::Body, "Een schermbeveiliging met een tropische zee, voor Windows.");

  pdf.add(S::Heading, "Wat Reefsaver is");
  pdf.add(S::Body,
          "Reefsaver toont een levend koraalrif, gezien van net onder het wateroppervlak: een school kleine "
          "vissen die een leider volgt en uiteenstuift als er een rover toeslaat, losse rifvissen in hun eigen "
          "hoek, een manta die ver weg voorbijzweeft, grote vissen die langs de bodem patrouilleren, een meeuw "
          "boven het water, bewegende koralen op een zandbodem, een golvend wateroppervlak met licht dat over "
          "het zand danst, een eiland, de lucht, en het geluid van water en meeuwen.");
  pdf.add(S::Body, "Reefsaver bestaat uit twee programma's:");
  pdf.add(S::Item,
          "reefsaver-basic.scr, de schermbeveiliging zelf. Windows start haar als de computer een tijd "
          "niet gebruikt is; zij stopt bij een toets, een muisknop of een beweging van de muis.");
  pdf.add(S::Item,
          "reefsaver.exe, de interactieve versie. Zij vult het hele scherm tot u op Esc drukt of naar "
          "een ander venster gaat, en laat u rondkijken met de toetsen die verderop staan.");
  pdf.add(S::Body,
          "Beide lezen hun beelden en geluiden uit de map Reefglass, die naast het programma moet "
          "blijven staan.");
  pdf.add(S::Body,
          "Reefsaver spreekt de taal van Windows: Nederlands, Engels, Duits of Frans, en Engels als "
          "Windows een andere taal spreekt. Zo ook het menu van de cd, dat de handleiding in die taal opent.");

  pdf.add(S::Heading, "Installeren vanaf de cd");
  pdf.add(S::Item,
          "Plaats de cd. Windows vraagt wat er met de cd moet gebeuren: kies KvSetupX.exe uitvoeren. "
          "Gebeurt er niets, open de cd dan in Verkenner en dubbelklik op KvSetupX.exe. Hebt u de cd "
          "als bestand (reefsaver.iso), dubbelklik daar dan op; Windows opent het als een station.");
  pdf.add(S::Item,
          "Het menu verschijnt, met links de knoppen Installatie, Handleiding, Support en CD-ROM "
          "verkennen en rechtsboven Verlaten.");
  pdf.add(S::Item,
          "Klik op Installatie. Windows vraagt of het installatieprogramma wijzigingen op uw apparaat "
          "mag aanbrengen: klik op Ja.");
  pdf.add(S::Item,
          "Het installatieprogramma vraagt eerst in welke taal het u helpt: English, Nederlands, Deutsch "
          "of Français. De taal van Windows staat al gekozen; klik op OK.");
  pdf.add(S::Item,
          "Het venster Reefsaver-installatie toont de installatiemap (C:\\Program Files\\Reefsaver). "
          "Klik op Installeren. Het programma zet de schermbeveiliging met haar map Reefglass in de "
          "systeemmap van Windows, de interactieve versie met een eigen map Reefglass in de "
          "installatiemap, en maakt in het menu Start de map Reefsaver.");
  pdf.add(S::Item,
          "Op de vraag “Wilt u Reefsaver nu als schermbeveiliging gebruiken?” antwoordt u Ja; de "
          "schermbeveiliging die u tot dan had, wordt onthouden.");
  pdf.add(S::Item, "Klik op Afsluiten als de installatie klaar is.");
  pdf.add(S::Body,
          "Kan het menu een programma niet starten, bijvoorbeeld omdat u op Nee klikte toen Windows om "
          "toestemming vroeg, dan staat in het tekstvak van het menu welk programma het was en waarom het niet "
          "startte. Klik opnieuw op Installatie om het nog eens te proberen. Moest de computer tijdens de "
          "installatie opnieuw opstarten, dan start het menu na het aanmelden vanzelf en gaat het verder waar "
          "het gebleven was, zolang de cd in het station zit.");

  pdf.add(S::Heading, "De knoppen van het menu");
  pdf.add(S::Item, "Installatie: installeert Reefsaver, zoals hierboven beschreven.");
  pdf.add(S::Item,
          "Handleiding: opent deze handleiding, in Adobe Reader als dat op de computer staat en anders "
          "in het programma waarmee uw computer PDF-bestanden opent.");
  pdf.add(S::Item, "Support: opent de supportpagina in uw webbrowser.");
  pdf.add(S::Item, "CD-ROM verkennen: toont de bestanden op de cd in Verkenner.");
  pdf.add(S::Item, "Verlaten: sluit het menu.");
  pdf.add(S::Item, "Het logo rechtsonder (Ga naar de Orvane website): opent de website in uw webbrowser.");
  pdf.add(S::Body,
          "Zolang een programma dat het menu startte open is, zijn de knoppen grijs; ze werken weer "
          "zodra u dat programma sluit.");

  pdf.add(S::Heading, "Installeren zonder het menu");
  pdf.add(S::Body,
          "Start setup\\ReefsaverSetup.exe van de cd (of van een kopie ervan) zelf. Voor een installatie "
          "zonder vragen start u het met /S erachter; het installeert dan alles en maakt Reefsaver meteen "
          "uw schermbeveiliging.");

  pdf.add(S::Heading, "Reefsaver verwijderen");
  pdf.add(S::Body,
          "Open Instellingen via het menu Start, kies Apps en dan Geïnstalleerde apps (in Windows 10: Apps en "
          "onderdelen), zoek Reefsaver en kies Verwijderen. U kunt ook in het menu Start, in de map Reefsaver, "
          "Reefsaver verwijderen kiezen, of uninstall.exe starten in C:\\Program Files\\Reefsaver. Alle "
          "bestanden en snelkoppelingen die de installatie toevoegde, gaan weg. Was Reefsaver nog uw "
          "schermbeveiliging, dan krijgt u de schermbeveiliging terug die u daarvoor had. Uw instellingen van "
          "Reefsaver blijven bewaard.");

  pdf.add(S::Heading, "Instellingen");
  pdf.add(S::Body,
          "Typ schermbeveiliging in het zoekvak van de taakbalk en kies Schermbeveiliging wijzigen. Kies in "
          "het venster dat opent Reefsaver als schermbeveiliging en klik op Instellingen. Het venster Reefglass "
          "instellingen opent, met links de lijst van pagina's:");
  pdf.add(S::Item,
          "Introductie: een afbeelding van het rif, een korte uitleg en de knop Bezoek onze website, "
          "die onze website in uw webbrowser opent.");
  pdf.add(S::Item,
          "Visschool: onder Soort kiest u een van de twee vissoorten voor de school, onder Aantal met de "
          "schuifregelaar hoeveel vissen er meezwemmen (0 tot 20, per 5).");
  pdf.add(S::Item,
          "Vissen: onder Soorten vinkt u aan welke dieren er zwemmen: vier soorten rifvissen, een "
          "gestippelde rover die op de school jaagt, twee grote vissen die langs de bodem patrouilleren "
          "en de manta. Onder Aantal kiest u hoeveel van deze dieren er samen hoogstens zijn (0 tot 10); "
          "bij 0 zwemt alleen de school.");
  pdf.add(S::Item, "Vogels: onder Soorten vinkt u aan of er een meeuw boven het water vliegt.");
  pdf.add(S::Item, "Lucht: kies bewolkt of onbewolkt.");
  pdf.add(S::Item,
          "Camera: in de lijst kiest u automatisch, boven, midden of onder. Bij automatisch kantelt het "
          "beeld langzaam vanzelf op en neer; met Kantelsnelheid:, Wachttijd boven: en Wachttijd onder: "
          "regelt u hoe snel het kantelt en hoe lang het boven en onder blijft. Bij boven, midden en "
          "onder blijft het beeld op die hoogte staan.");
  pdf.add(S::Item,
          "Geluid: met aan/uit zet u het geluid van het water en de meeuwen aan of uit; met de "
          "schuifregelaar Volume stelt u in hoe hard het klinkt. Speelt een ander programma geluid af "
          "(muziek, een video, een gesprek), dan wordt de zee binnen een seconde stil, en een paar "
          "seconden nadat dat programma zweeg klinkt ze weer. Met Klok tonen staat de tijd klein in een "
          "hoek van het beeld, zoals Windows de tijd voor u schrijft; hij schuift elke minuut een stukje "
          "op en elk uur naar een andere hoek, zodat niets inbrandt op een OLED-scherm.");
  pdf.add(S::Item, "Beeldscherminstellingen: opent het venster Beeldscherminstellingen (zie hieronder).");
  pdf.add(S::Body,
          "OK bewaart wat u op de pagina's koos. Annuleren laat de keuzes op de pagina's zoals ze waren; wat u "
          "in het venster Beeldscherminstellingen met OK bevestigde, blijft wel bewaard.");

  pdf.add(S::Heading, "Beeldscherminstellingen");
  pdf.add(S::Body,
          "Onder Beeldschermmodus staat Huidige instellingen behouden aangevinkt: de schermbeveiliging gebruikt "
          "het scherm zoals het is. Vinkt u het uit, dan kiest u bij Kleurdiepte: 16 bit of 32 bit en bij "
          "Resolutie: de schermresolutie waarin de schermbeveiliging draait. Andere beeldschermen verduisteren "
          "maakt de andere schermen zwart zolang de schermbeveiliging draait; dat vakje kunt u alleen kiezen "
          "als er meer dan een beeldscherm is aangesloten.");
  pdf.add(S::Body,
          "Bij Beeldschermen: kiest u wat de schermbeveiliging doet met meer dan een beeldscherm. Alleen het "
          "hoofdscherm toont de zee op het hoofdscherm en laat de andere zwart of zoals ze zijn (Andere "
          "beeldschermen verduisteren). Zee op elk scherm toont dezelfde zee op elk scherm, elk in zijn eigen "
          "resolutie. Panorama over alle schermen maakt van de schermen naast elkaar samen een venster op de "
          "lagune: de horizon, het eiland en de vissen lopen door van het ene scherm naar het andere, ook als "
          "de schermen verschillend van grootte zijn. Een scherm boven of onder een ander toont hetzelfde "
          "uitzicht als het scherm waar het bij staat. Een toets, een muisknop of een muisbeweging op elk "
          "scherm beëindigt de schermbeveiliging.");
  pdf.add(S::Body,
          "OK bewaart deze instellingen meteen, ook als u daarna in Reefglass instellingen op Annuleren klikt. "
          "Annuleren sluit het venster zonder iets te veranderen.");

  pdf.add(S::Heading, "Toetsen van de interactieve versie");
  pdf.add(S::Item, "Esc: het programma beëindigen.");
  pdf.add(S::Item, "Pijl omhoog en pijl omlaag: omhoog of omlaag kijken.");
  pdf.add(S::Item, "Home: de camera terug naar de beginstand.");
  pdf.add(S::Item, "Spatie: het draadmodel aan of uit.");
  pdf.add(S::Item, "F: de beeldsnelheid tonen of verbergen.");
  pdf.add(S::Item, "F1: de hulp in- of uitklappen.");
  pdf.add(S::Body,
          "Gaat u naar een ander venster, bijvoorbeeld met Alt+Tab, dan stopt de interactieve versie "
          "ook. De schermbeveiliging zelf stopt bij elke toets, muisknop of muisbeweging.");

  pdf.add(S::Heading, "Systeemeisen");
  pdf.add(S::Body,
          "Windows (64-bits) met OpenGL-graphics, versie 1.1 of hoger. Een geluidskaart voor het geluid. "
          "Voor de installatie zijn beheerdersrechten nodig.");
  return pdf.finish();
}

}  // namespace

std::vector<uint8_t> writeManual(textkeys::Language language) {
  switch (language) {
    case textkeys::Language::English:
      return writeEnglishManual();
    case textkeys::Language::German:
      return writeGermanManual();
    case textkeys::Language::French:
      return writeFrenchManual();
    case textkeys::Language::Dutch:
      break;
  }
  return writeDutchManual();
}

std::string manualFile(textkeys::Language language) {
  if (language == textkeys::Language::Dutch) return "docs/Reefsaver.pdf";
  return std::string("docs/Reefsaver.") + textkeys::sectionName(language) + ".pdf";
}

}  // namespace cdcontent
