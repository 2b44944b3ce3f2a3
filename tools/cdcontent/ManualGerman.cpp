#include "Manual.h"
#include "PdfWriter.h"

namespace cdcontent {

// With every page, button and option named exactly as the menu, the setup program and the
// settings dialogs show it in German.
std::vector<uint8_t> writeGermanManual() {
  PdfWriter pdf("Reefsaver - Handbuch");
  using S = TextStyle;
  pdf.add(S::Title, "Reefsaver");
  pdf.add(S::Body, "Ein Bildschirmschoner mit einem tropischen Meer, für Windows.");

  pdf.add(S::Heading, "Was Reefsaver ist");
  pdf.add(S::Body,
          "Reefsaver zeigt ein lebendiges Korallenriff, gesehen von knapp unter der Wasseroberfläche: einen "
          "Schwarm kleiner Fische, der einem Anführer folgt und auseinanderstiebt, wenn ein Räuber zuschlägt, "
          "einzelne Rifffische in ihren eigenen Winkeln, einen Mantarochen, der in der Ferne vorbeigleitet, "
          "große Fische, die am Grund entlang patrouillieren, eine Möwe über dem Wasser, wogende Korallen auf "
          "sandigem Grund, eine bewegte Wasseroberfläche mit Licht, das über den Sand tanzt, eine Insel, den "
          "Himmel und das Rauschen des Wassers und der Möwen.");
  pdf.add(S::Body, "Reefsaver besteht aus zwei Programmen:");
  pdf.add(S::Item,
          "reefsaver-basic.scr, der Bildschirmschoner selbst. Windows startet ihn, wenn der Computer eine Weile "
          "nicht benutzt wurde; er endet bei einem Tastendruck, einer Maustaste oder einer Bewegung der Maus.");
  pdf.add(S::Item,
          "reefsaver.exe, die interaktive Fassung. Sie füllt den ganzen Bildschirm, bis Sie Esc drücken oder zu "
          "einem anderen Fenster wechseln, und lässt Sie sich mit den weiter unten genannten Tasten umsehen.");
  pdf.add(S::Body, "Beide lesen ihre Bilder und Klänge aus dem Ordner Reefglass, der neben dem Programm bleiben muss.");
  pdf.add(S::Body,
          "Reefsaver spricht die Sprache von Windows: Deutsch, Englisch, Französisch oder Niederländisch, und "
          "Englisch, wenn Windows eine andere Sprache spricht. Ebenso das Menü der CD, das das Handbuch in "
          "dieser Sprache öffnet.");

  pdf.add(S::Heading, "Installation von der CD");
  pdf.add(S::Item,
          "Legen Sie die CD ein. Windows fragt, was mit ihr geschehen soll: Wählen Sie KvSetupX.exe ausführen. "
          "Geschieht nichts, öffnen Sie die CD im Explorer und doppelklicken Sie auf KvSetupX.exe. Haben Sie "
          "die CD als Datei (reefsaver.iso), doppelklicken Sie darauf; Windows öffnet sie als Laufwerk.");
  pdf.add(S::Item,
          "Das Menü erscheint, links mit den Schaltflächen Installieren, Handbuch, Support und CD durchsuchen, "
          "rechts oben mit Beenden.");
  pdf.add(S::Item,
          "Klicken Sie auf Installieren. Windows fragt, ob das Installationsprogramm Änderungen an Ihrem Gerät "
          "vornehmen darf: Klicken Sie auf Ja.");
  pdf.add(S::Item,
          "Das Installationsprogramm fragt zuerst, in welcher Sprache es Ihnen hilft: English, Nederlands, "
          "Deutsch oder Français. Die Sprache von Windows ist bereits gewählt; klicken Sie auf OK.");
  pdf.add(S::Item,
          "Das Fenster Installation von Reefsaver zeigt den Zielordner (C:\\Program Files\\Reefsaver). Klicken "
          "Sie auf Installieren. Das Programm legt den Bildschirmschoner mit seinem Ordner Reefglass in den "
          "Systemordner von Windows, die interaktive Fassung mit einem eigenen Ordner Reefglass in den "
          "Zielordner und legt im Startmenü den Ordner Reefsaver an.");
  pdf.add(S::Item,
          "Auf die Frage „Möchten Sie Reefsaver jetzt als Bildschirmschoner verwenden?“ antworten Sie Ja; der "
          "Bildschirmschoner, den Sie bis dahin hatten, wird gemerkt.");
  pdf.add(S::Item, "Klicken Sie auf Beenden, wenn die Installation fertig ist.");
  pdf.add(S::Body,
          "Kann das Menü ein Programm nicht starten, etwa weil Sie auf Nein geklickt haben, als Windows um "
          "Erlaubnis bat, steht im Textfeld des Menüs, welches Programm es war und warum es nicht startete. "
          "Klicken Sie erneut auf Installieren, um es noch einmal zu versuchen. Musste der Computer während der "
          "Installation neu starten, startet das Menü nach der Anmeldung von selbst und macht dort weiter, wo "
          "es aufgehört hat, solange die CD im Laufwerk liegt.");

  pdf.add(S::Heading, "Die Schaltflächen des Menüs");
  pdf.add(S::Item, "Installieren: installiert Reefsaver wie oben beschrieben.");
  pdf.add(S::Item,
          "Handbuch: öffnet dieses Handbuch, im Adobe Reader, wenn er auf dem Computer ist, sonst in dem "
          "Programm, mit dem Ihr Computer PDF-Dateien öffnet.");
  pdf.add(S::Item, "Support: öffnet die Support-Seite in Ihrem Webbrowser.");
  pdf.add(S::Item, "CD durchsuchen: zeigt die Dateien der CD im Explorer.");
  pdf.add(S::Item, "Beenden: schließt das Menü.");
  pdf.add(S::Item, "Das Logo rechts unten (Zur Website von Orvane): öffnet die Website in Ihrem Webbrowser.");
  pdf.add(S::Body,
          "Solange ein Programm offen ist, das das Menü gestartet hat, sind die Schaltflächen grau; sie "
          "funktionieren wieder, sobald Sie dieses Programm schließen.");

  pdf.add(S::Heading, "Installation ohne das Menü");
  pdf.add(S::Body,
          "Starten Sie setup\\ReefsaverSetup.exe von der CD (oder von einer Kopie davon) selbst. Für eine "
          "Installation ohne Fragen starten Sie es mit /S dahinter; es installiert dann alles und macht "
          "Reefsaver sofort zu Ihrem Bildschirmschoner.");

  pdf.add(S::Heading, "Reefsaver entfernen");
  pdf.add(S::Body,
          "Öffnen Sie im Startmenü die Einstellungen, wählen Sie Apps und dann Installierte Apps (in Windows "
          "10: Apps & Features), suchen Sie Reefsaver und wählen Sie Deinstallieren. Sie können auch im "
          "Startmenü im Ordner Reefsaver den Eintrag Reefsaver deinstallieren wählen oder uninstall.exe in "
          "C:\\Program Files\\Reefsaver starten. Alle Dateien und Verknüpfungen, die die Installation angelegt "
          "hat, verschwinden. War Reefsaver noch Ihr Bildschirmschoner, bekommen Sie den Bildschirmschoner "
          "zurück, den Sie davor hatten. Ihre Einstellungen von Reefsaver bleiben erhalten.");

  pdf.add(S::Heading, "Einstellungen");
  pdf.add(S::Body,
          "Geben Sie Bildschirmschoner in das Suchfeld der Taskleiste ein und wählen Sie Bildschirmschoner "
          "ändern. Wählen Sie im Fenster, das sich öffnet, Reefsaver als Bildschirmschoner und klicken Sie auf "
          "Einstellungen. Das Fenster Reefglass-Einstellungen öffnet sich, links mit der Liste der Seiten:");
  pdf.add(S::Item,
          "Einführung: ein Bild des Riffs, eine kurze Erklärung und die Schaltfläche Zu unserer Website, die "
          "unsere Website in Ihrem Webbrowser öffnet.");
  pdf.add(S::Item,
          "Fischschwarm: Unter Art wählen Sie eine der zwei Fischarten für den Schwarm, unter Anzahl mit dem "
          "Schieberegler, wie viele Fische mitschwimmen (0 bis 20, in Schritten von 5).");
  pdf.add(S::Item,
          "Fische: Unter Arten kreuzen Sie an, welche Tiere schwimmen: vier Arten von Rifffischen, einen "
          "gepunkteten Räuber, der den Schwarm jagt, zwei große Fische, die am Grund patrouillieren, und den "
          "Mantarochen. Unter Anzahl wählen Sie, wie viele dieser Tiere es zusammen höchstens gibt (0 bis 10); "
          "bei 0 schwimmt nur der Schwarm.");
  pdf.add(S::Item, "Vögel: Unter Arten kreuzen Sie an, ob eine Möwe über dem Wasser fliegt.");
  pdf.add(S::Item, "Himmel: Wählen Sie bewölkt oder wolkenlos.");
  pdf.add(S::Item,
          "Kamera: In der Liste wählen Sie automatisch, oben, Mitte oder unten. Bei automatisch neigt sich der "
          "Blick langsam von selbst auf und ab; mit Tempo:, Pause oben: und Pause unten: stellen Sie ein, wie "
          "schnell er sich neigt und wie lange er oben und unten bleibt. Bei oben, Mitte und unten bleibt der "
          "Blick in dieser Höhe.");
  pdf.add(S::Item,
          "Ton: Mit ein/aus schalten Sie das Rauschen des Wassers und die Möwen ein oder aus; mit dem "
          "Schieberegler Lautstärke stellen Sie ein, wie laut es klingt. Spielt ein anderes Programm Ton ab "
          "(Musik, ein Video, ein Gespräch), verstummt das Meer innerhalb einer Sekunde und klingt ein paar "
          "Sekunden, nachdem das Programm still wurde, wieder. Mit Uhr anzeigen steht die Uhrzeit klein in "
          "einer Ecke des Bildes, so wie Windows sie für Sie schreibt; sie rückt jede Minute ein Stück weiter "
          "und jede Stunde in eine andere Ecke, damit sich nichts in einen OLED-Bildschirm einbrennt.");
  pdf.add(S::Item, "Anzeige: öffnet das Fenster Bildschirmeinstellungen (siehe unten).");
  pdf.add(S::Body,
          "OK übernimmt, was Sie auf den Seiten gewählt haben. Abbrechen lässt die Auswahl auf den Seiten, wie "
          "sie war; was Sie im Fenster Bildschirmeinstellungen mit OK bestätigt haben, bleibt trotzdem "
          "gespeichert.");

  pdf.add(S::Heading, "Bildschirmeinstellungen");
  pdf.add(S::Body,
          "Unter Bildschirmmodus ist Aktuelle Einstellungen beibehalten angekreuzt: Der Bildschirmschoner nimmt "
          "den Bildschirm, wie er ist. Nehmen Sie das Kreuz weg, wählen Sie bei Farbtiefe: 16 Bit oder 32 Bit "
          "und bei Auflösung: die Bildschirmauflösung, in der der Bildschirmschoner läuft. Andere Bildschirme "
          "abdunkeln macht die anderen Bildschirme schwarz, solange der Bildschirmschoner läuft; Sie können es "
          "nur ankreuzen, wenn mehr als ein Bildschirm angeschlossen ist.");
  pdf.add(S::Body,
          "Bei Bildschirme: wählen Sie, was der Bildschirmschoner mit mehr als einem Bildschirm macht. Nur "
          "Hauptbildschirm zeigt das Meer auf dem Hauptbildschirm und lässt die anderen schwarz oder wie sie "
          "sind (Andere Bildschirme abdunkeln). Meer auf jedem Bildschirm zeigt dasselbe Meer auf jedem "
          "Bildschirm, jeden in seiner eigenen Auflösung. Panorama über alle Bildschirme macht aus "
          "nebeneinanderstehenden Bildschirmen ein gemeinsames Fenster auf die Lagune: Horizont, Insel und "
          "Fische laufen von einem Bildschirm zum nächsten weiter, auch wenn die Bildschirme verschieden groß "
          "sind. Ein Bildschirm über oder unter einem anderen zeigt denselben Blick wie der, bei dem er steht. "
          "Ein Tastendruck, eine Maustaste oder eine Mausbewegung auf einem beliebigen Bildschirm beendet den "
          "Bildschirmschoner.");
  pdf.add(S::Body,
          "OK speichert diese Einstellungen sofort, auch wenn Sie danach in Reefglass-Einstellungen auf "
          "Abbrechen klicken. Abbrechen schließt das Fenster, ohne etwas zu ändern.");

  pdf.add(S::Heading, "Tasten der interaktiven Fassung");
  pdf.add(S::Item, "Esc: das Programm beenden.");
  pdf.add(S::Item, "Pfeil nach oben und Pfeil nach unten: nach oben oder unten schauen.");
  pdf.add(S::Item, "Pos1: die Kamera zurück zum Anfang.");
  pdf.add(S::Item, "Leertaste: das Drahtgitter ein oder aus.");
  pdf.add(S::Item, "F: die Bildrate ein- oder ausblenden.");
  pdf.add(S::Item, "F1: die Hilfe auf- oder zuklappen.");
  pdf.add(S::Body,
          "Wechseln Sie zu einem anderen Fenster, etwa mit Alt+Tab, endet die interaktive Fassung ebenfalls. "
          "Der Bildschirmschoner selbst endet bei jedem Tastendruck, jeder Maustaste und jeder Mausbewegung.");

  pdf.add(S::Heading, "Systemvoraussetzungen");
  pdf.add(S::Body,
          "Windows (64 Bit) mit OpenGL-Grafik, Version 1.1 oder höher. Eine Soundkarte für den Ton. Für die "
          "Installation sind Administratorrechte nötig.");
  return pdf.finish();
}

}  // namespace cdcontent
