#pragma once
// The three key = {value} text files of the data folder: their names, their sections and every
// key the program asks for. The generator writes a text for each key; the program looks them up.
//
//   ; a comment line (text before the first section is not read)
//   [NL]
//   key = {value}             white space around keys and values is dropped; a value may span
//                             lines and hold "=", but not "}" or "["
//   [EN]                      the same keys in the next language, up to the next "["
//
// Texts are 8-bit, Windows-1252. "Directory.dat" has only "NL"; "Language.dat" and
// "ScreenLanguage.dat" have a section per language, and a key a language's section lacks (or a
// section a file lacks) is read from "NL".
#include <cstddef>
#include <iterator>

namespace textkeys {

// The languages the texts come in, in the order of their sections in the generated files.
enum class Language { Dutch, English, German, French };
inline constexpr Language Languages[] = {Language::Dutch, Language::English, Language::German, Language::French};
inline constexpr size_t LanguageCount = std::size(Languages);

inline constexpr const char* SectionNames[] = {"NL", "EN", "DE", "FR"};
inline constexpr const char* sectionName(Language language) { return SectionNames[static_cast<size_t>(language)]; }
// The section every file has: the directory's only one, and where a key a language lacks is found.
inline constexpr char BaseSection[] = "NL";

namespace directory {
inline constexpr char File[] = "Directory.dat";
inline constexpr char RegistryPath[] = "win32reg";
inline constexpr char ApplicationName[] = "appname_long";
inline constexpr char MainBitmap[] = "mainbitmap";  // the intro page's picture, a file of the data folder
inline constexpr const char* Keys[] = {RegistryPath, ApplicationName, MainBitmap};
}  // namespace directory

namespace language {
inline constexpr char File[] = "Language.dat";
// The settings dialog.
inline constexpr char Caption[] = "caption";
inline constexpr char Cancel[] = "cancel";
inline constexpr char ScreenSettings[] = "screensettings";
inline constexpr char Intro[] = "intro";
inline constexpr char Boid[] = "boid";
inline constexpr char Fish[] = "fish";
inline constexpr char Birds[] = "birds";
inline constexpr char Sky[] = "sky";
inline constexpr char Camera[] = "camera";
inline constexpr char Sound[] = "sound";
inline constexpr char InfoText[] = "infotxt";
inline constexpr char HyperlinkText[] = "hyperlink_txt";
inline constexpr char Hyperlink[] = "hyperlink";
inline constexpr char BoidType[] = "boidtype";
inline constexpr char BoidCount[] = "boidcount";
inline constexpr char FishType[] = "fishtype";
inline constexpr char FishCount[] = "fishcount";
inline constexpr char BirdType[] = "birdtype";
inline constexpr char SkyText[] = "skytext";
inline constexpr char Cloudy[] = "cloudy";
inline constexpr char Cloudless[] = "cloudless";
inline constexpr char CameraText[] = "cameratext";
inline constexpr char ScrollSpeed[] = "scrollspeed";
inline constexpr char RestTimeTop[] = "resttime_top";
inline constexpr char RestTimeBottom[] = "resttime_bottom";
inline constexpr char Automatic[] = "automatic";
inline constexpr char Top[] = "top";
inline constexpr char Middle[] = "middle";
inline constexpr char Bottom[] = "bottom";
inline constexpr char SoundText[] = "soundtext";
inline constexpr char OnOff[] = "on_off";
inline constexpr char Volume[] = "volume";
inline constexpr char ShowClock[] = "showclock";
// The on-screen help of the interactive build.
inline constexpr char Help[] = "help";
inline constexpr char HelpExpanded[] = "helpexpanded";
inline constexpr const char* Keys[] = {
    Caption, Cancel,   ScreenSettings, Intro,      Boid,        Fish,        Birds,          Sky,         Camera,
    Sound,   InfoText, HyperlinkText,  Hyperlink,  BoidType,    BoidCount,   FishType,       FishCount,   BirdType,
    SkyText, Cloudy,   Cloudless,      CameraText, ScrollSpeed, RestTimeTop, RestTimeBottom, Automatic,   Top,
    Middle,  Bottom,   SoundText,      OnOff,      Volume,      ShowClock,   Help,           HelpExpanded};
}  // namespace language

namespace screenlanguage {
inline constexpr char File[] = "ScreenLanguage.dat";
// The display-mode dialog.
inline constexpr char Caption[] = "caption";
inline constexpr char DisplayModeText[] = "displaymodetext";
inline constexpr char LeaveResolution[] = "leaveresolution";
inline constexpr char BitsPerPixel[] = "bitsperpixel";
inline constexpr char Resolution[] = "resolution";
inline constexpr char ShadeSecondary[] = "shadesecondary";
inline constexpr char Cancel[] = "cancel";
// The monitor choice: its label and its three items, in the order of MonitorMode's values.
inline constexpr char MonitorMode[] = "monitormode";
inline constexpr char MonitorPrimary[] = "monitorprimary";
inline constexpr char MonitorEvery[] = "monitorevery";
inline constexpr char MonitorPanorama[] = "monitorpanorama";
inline constexpr const char* MonitorItems[] = {MonitorPrimary, MonitorEvery, MonitorPanorama};
inline constexpr const char* Keys[] = {Caption,        DisplayModeText, LeaveResolution, BitsPerPixel,
                                       Resolution,     ShadeSecondary,  Cancel,          MonitorMode,
                                       MonitorPrimary, MonitorEvery,    MonitorPanorama};
}  // namespace screenlanguage

// Each file with the keys the program asks of it, and whether it has a section per language.
struct TextFileKeys {
  const char* file;
  const char* const* keys;
  size_t keyCount;
  bool perLanguage;
};

inline constexpr TextFileKeys TextFiles[] = {
    {directory::File, directory::Keys, std::size(directory::Keys), false},
    {language::File, language::Keys, std::size(language::Keys), true},
    {screenlanguage::File, screenlanguage::Keys, std::size(screenlanguage::Keys), true},
};

}  // namespace textkeys
