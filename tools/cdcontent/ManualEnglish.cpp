#include "Manual.h"
#include "PdfWriter.h"

namespace cdcontent {

// With every page, button and option named exactly as the menu, the setup program and the
// settings dialogs show it in English.
std::vector<uint8_t> writeEnglishManual() {
  PdfWriter pdf("Reefsaver - Manual");
  using S = TextStyle;
  pdf.add(S::Title, "Reefsaver");
  pdf.add(S::Body, "A screen saver with a tropical sea, for Windows.");

  pdf.add(S::Heading, "What Reefsaver is");
  pdf.add(S::Body,
          "Reefsaver shows a living coral reef, seen from just below the surface of the water: a school of "
          "small fish that follows a leader and scatters when a predator strikes, single reef fish in their own "
          "corners, a manta ray gliding past far away, big fish patrolling along the sea floor, a gull above the "
          "water, swaying corals on a sandy floor, a rippling surface with light dancing over the sand, an "
          "island, the sky, and the sound of the water and the gulls.");
  pdf.add(S::Body, "Reefsaver comes as two programs:");
  pdf.add(S::Item,
          "reefsaver-basic.scr, the screen saver itself. Windows starts it when the computer has not been used "
          "for a while; it stops at a key, a mouse button or a movement of the mouse.");
  pdf.add(S::Item,
          "reefsaver.exe, the interactive version. It fills the whole screen until you press Esc or switch to "
          "another window, and lets you look around with the keys listed further on.");
  pdf.add(S::Body,
          "Both read their pictures and sounds from the folder Reefglass, which must stay beside the program.");
  pdf.add(S::Body,
          "Reefsaver speaks the language of Windows: English, Dutch, German or French, and English when Windows "
          "speaks another language. So does the menu of the CD, which opens the manual in that language.");

  pdf.add(S::Heading, "Installing from the CD");
  pdf.add(S::Item,
          "Insert the CD. Windows asks what to do with it: choose Run KvSetupX.exe. If nothing happens, open "
          "the CD in File Explorer and double-click KvSetupX.exe. If you have the CD as a file "
          "(reefsaver.iso), double-click it; Windows opens it as a drive.");
  pdf.add(S::Item,
          "The menu appears, with the buttons Install, Manual, Support and Browse the CD on the left and Exit "
          "at the top right.");
  pdf.add(S::Item, "Click Install. Windows asks whether the setup program may make changes to your device: click Yes.");
  pdf.add(S::Item,
          "The setup program first asks in which language it should help you: English, Nederlands, Deutsch or "
          "Français. The language of Windows is already chosen; click OK.");
  pdf.add(S::Item,
          "The window Reefsaver Setup shows the destination folder (C:\\Program Files\\Reefsaver). Click "
          "Install. The setup program puts the screen saver with its folder Reefglass into the system folder "
          "of Windows and the interactive version with a folder Reefglass of its own into the destination "
          "folder, and adds the folder Reefsaver to the Start menu.");
  pdf.add(S::Item,
          "To the question “Do you want to use Reefsaver as your screen saver now?” answer Yes; the screen "
          "saver you had until then is remembered.");
  pdf.add(S::Item, "Click Close when the setup is done.");
  pdf.add(S::Body,
          "If the menu cannot start a program, for instance because you clicked No when Windows asked for "
          "permission, its text box says which program it was and why it did not start. Click Install again "
          "to try once more. If the computer had to restart during the setup, the menu starts by itself after "
          "you sign in and carries on where it left off, as long as the CD is in the drive.");

  pdf.add(S::Heading, "The buttons of the menu");
  pdf.add(S::Item, "Install: installs Reefsaver as described above.");
  pdf.add(S::Item,
          "Manual: opens this manual, in Adobe Reader when it is on the computer and otherwise in the program "
          "your computer opens PDF files with.");
  pdf.add(S::Item, "Support: opens the support page in your web browser.");
  pdf.add(S::Item, "Browse the CD: shows the files on the CD in File Explorer.");
  pdf.add(S::Item, "Exit: closes the menu.");
  pdf.add(S::Item, "The logo at the bottom right (Go to the Orvane website): opens the website in your web browser.");
  pdf.add(S::Body,
          "As long as a program the menu started is open, the buttons are grey; they work again as soon as you "
          "close that program.");

  pdf.add(S::Heading, "Installing without the menu");
  pdf.add(S::Body,
          "Start setup\\ReefsaverSetup.exe from the CD (or from a copy of it) yourself. For a setup that asks "
          "nothing, start it with /S after it; it then installs everything and makes Reefsaver your screen "
          "saver at once.");

  pdf.add(S::Heading, "Removing Reefsaver");
  pdf.add(S::Body,
          "Open Settings from the Start menu, choose Apps and then Installed apps (in Windows 10: Apps & "
          "features), find Reefsaver and choose Uninstall. You can also choose Uninstall Reefsaver in the folder "
          "Reefsaver of the Start menu, or start uninstall.exe in C:\\Program Files\\Reefsaver. All files and "
          "shortcuts the setup added go away. If Reefsaver was still your screen saver, you get back the screen "
          "saver you had before. Your settings of Reefsaver are kept.");

  pdf.add(S::Heading, "Settings");
  pdf.add(S::Body,
          "Type screen saver in the search box of the taskbar and choose Change screen saver. In the window that "
          "opens, choose Reefsaver as the screen saver and click Settings. The window Reefglass settings opens, "
          "with the list of pages on the left:");
  pdf.add(S::Item,
          "Introduction: a picture of the reef, a short explanation and the button Visit our website, which "
          "opens our website in your web browser.");
  pdf.add(S::Item,
          "Fish school: under Kind you choose one of the two kinds of fish for the school, under Number with the "
          "slider how many fish swim along (0 to 20, in steps of 5).");
  pdf.add(S::Item,
          "Fish: under Kinds you tick which animals swim: four kinds of reef fish, a spotted predator that hunts "
          "the school, two big fish patrolling along the floor, and the manta ray. Under Number you choose how "
          "many of these animals there are together at most (0 to 10); at 0 only the school swims.");
  pdf.add(S::Item, "Birds: under Kinds you tick whether a gull flies above the water.");
  pdf.add(S::Item, "Sky: choose cloudy or clear.");
  pdf.add(S::Item,
          "Camera: in the list you choose automatic, top, middle or bottom. With automatic the view slowly tilts "
          "up and down by itself; with Tilt speed:, Rest at top: and Rest at bottom: you set how fast it tilts "
          "and how long it stays up and down. With top, middle and bottom the view stays at that height.");
  pdf.add(S::Item,
          "Sound: on/off switches the sound of the water and the gulls on or off; the slider Volume sets how loud "
          "it plays. When another program plays sound (music, a video, a call), the sea falls silent within a "
          "second and comes back a few seconds after that program went quiet. With Show clock the time stands "
          "small in a corner of the picture, written as Windows writes it for you; it moves a little every "
          "minute and to another corner every hour, so that nothing burns into an OLED screen.");
  pdf.add(S::Item, "Display settings: opens the window Display settings (see below).");
  pdf.add(S::Body,
          "OK keeps what you chose on the pages. Cancel leaves the choices on the pages as they were; what you "
          "confirmed with OK in the window Display settings is kept all the same.");

  pdf.add(S::Heading, "Display settings");
  pdf.add(S::Body,
          "Under Display mode, Keep the current settings is ticked: the screen saver uses the screen as it is. "
          "If you untick it, you choose at Color depth: 16 bit or 32 bit and at Resolution: the screen "
          "resolution the screen saver runs in. Darken the other monitors turns the other monitors black while "
          "the screen saver runs; you can only tick it when more than one monitor is connected.");
  pdf.add(S::Body,
          "At Monitors: you choose what the screen saver does with more than one monitor. Main monitor only "
          "shows the sea on the main monitor and leaves the others black or as they are (Darken the other "
          "monitors). Sea on every monitor shows the same sea on every monitor, each at its own resolution. "
          "Panorama across all monitors turns monitors side by side into one window onto the lagoon: the "
          "horizon, the island and the fish carry on from one monitor to the next, even when the monitors "
          "differ in size. A monitor above or below another shows the same view as the monitor it stands by. A "
          "key, a mouse button or a movement of the mouse on any monitor ends the screen saver.");
  pdf.add(S::Body,
          "OK keeps these settings at once, even if you then click Cancel in Reefglass settings. Cancel closes "
          "the window without changing anything.");

  pdf.add(S::Heading, "Keys of the interactive version");
  pdf.add(S::Item, "Esc: quit the program.");
  pdf.add(S::Item, "Up arrow and Down arrow: look up or down.");
  pdf.add(S::Item, "Home: the camera back to its start.");
  pdf.add(S::Item, "Space: the wireframe on or off.");
  pdf.add(S::Item, "F: show or hide the frame rate.");
  pdf.add(S::Item, "F1: expand or collapse the help.");
  pdf.add(S::Body,
          "If you switch to another window, with Alt+Tab for instance, the interactive version stops too. The "
          "screen saver itself stops at any key, mouse button or movement of the mouse.");

  pdf.add(S::Heading, "System requirements");
  pdf.add(S::Body,
          "Windows (64-bit) with OpenGL graphics, version 1.1 or later. A sound card for the sound. Installing "
          "needs administrator rights.");
  return pdf.finish();
}

}  // namespace cdcontent
