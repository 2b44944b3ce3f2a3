#include "Manual.h"

#include "PdfWriter.h"

namespace cdcontent {

std::vector<uint8_t> writeManual()
{
    PdfWriter pdf("Reefsaver - Manual");
    using S = TextStyle;
    pdf.add(S::Title, "Reefsaver");
    pdf.add(S::Body, "A screensaver of a tropical sea for Windows.");

    pdf.add(S::Heading, "What Reefsaver is");
    pdf.add(S::Body,
            "Reefsaver shows a living coral reef seen from just below the water surface: a school of small "
            "fish that follows its leader and scatters when a predator strikes, single reef fish in their own "
            "corners, a manta sweeping far out, big fish patrolling near the floor, a gull crossing above the "
            "water, animated corals on a sandy floor, a rippling surface with light dancing on the sand, an "
            "island, the sky, and the sound of water and gulls. It draws with OpenGL.");
    pdf.add(S::Body, "Reefsaver comes in two programs:");
    pdf.add(S::Item, "reefsaver-basic.scr, the screensaver proper. Windows starts it when the computer has been "
                     "idle; it ends on a key, a mouse button or a movement of the mouse.");
    pdf.add(S::Item, "reefsaver.exe, the interactive version. It runs full screen until you press Esc and lets "
                     "you look around with the keys listed below.");
    pdf.add(S::Body, "Both read their scene from the data folder Reefglass, which must stay beside them.");

    pdf.add(S::Heading, "Installing from the CD");
    pdf.add(S::Item, "Insert the CD. The menu starts by itself; if it does not, open the CD in Explorer and "
                     "start KvSetupX.exe.");
    pdf.add(S::Item, "Choose Install. The setup program copies Reefsaver into your Program Files folder, puts "
                     "the screensaver and its data folder into the Windows folder and adds a Start-menu entry "
                     "for the interactive version.");
    pdf.add(S::Item, "Answer Yes when the setup asks whether Reefsaver should become your screensaver.");
    pdf.add(S::Heading, "Installing without the CD menu");
    pdf.add(S::Body,
            "Start setup\\ReefsaverSetup.exe from the CD (or from a copy of it) directly. For an unattended "
            "installation start it with the switch /S; it then installs everything and makes Reefsaver the "
            "active screensaver without asking.");
    pdf.add(S::Heading, "Removing Reefsaver");
    pdf.add(S::Body,
            "Open Add or Remove Programs in the Control Panel and remove Reefsaver, or start uninstall.exe in "
            "the Reefsaver folder under Program Files. Every file and registry value that the setup added is "
            "removed again.");

    pdf.add(S::Heading, "Settings");
    pdf.add(S::Body,
            "Open the Display properties, choose the Screen Saver tab, pick Reefsaver and press Settings. The "
            "pages on the left lead to:");
    pdf.add(S::Item, "Intro: a picture of the reef and a link to our web site.");
    pdf.add(S::Item, "School: the kind of fish in the school and how many there are.");
    pdf.add(S::Item, "Fish: which single reef fish and big fish appear, and the manta.");
    pdf.add(S::Item, "Gulls: whether a gull crosses the sky.");
    pdf.add(S::Item, "Sky: a clear or a cloudy sky.");
    pdf.add(S::Item, "Camera: whether the view tilts slowly by itself.");
    pdf.add(S::Item, "Sound: the sound of the water and the gull calls, and their volume.");
    pdf.add(S::Item, "Display: the screen resolution and colour depth to switch to while the saver runs, and "
                     "whether other monitors are darkened.");
    pdf.add(S::Body, "OK keeps your choices; Cancel leaves everything as it was.");

    pdf.add(S::Heading, "Keys of the interactive version");
    pdf.add(S::Item, "Esc: end the program.");
    pdf.add(S::Item, "Arrow up and arrow down: tilt the view up or down.");
    pdf.add(S::Item, "Space: switch between the normal picture and the wireframe view.");
    pdf.add(S::Item, "F: show or hide the frame rate.");
    pdf.add(S::Item, "F1: show or hide the help line.");
    pdf.add(S::Body, "The screensaver itself ends on any key or mouse movement.");

    pdf.add(S::Heading, "Requirements");
    pdf.add(S::Body, "Windows with OpenGL 1.1 graphics, 64-bit. A sound card for the sounds.");
    return pdf.finish();
}

}  // namespace cdcontent
