// The configuration file reader and the launcher's text rules, without any window.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/LauncherConfig.h"
#include "launcher/LauncherRules.h"

using launcher::LauncherConfig;

TEST(LauncherConfig, ReadsProductsAndGlobalsAsWritten) {
  LauncherConfig config;
  config.readText(
      "; a comment with ref=NOTME\r\n"
      "[ Product A ]\r\n"
      "REF=ABC\r\n"
      "Name=Reef Saver  \r\n"
      "path=first\r\n"
      "PATH=second\r\n"
      "manual=docs\\guide.pdf\r\n"
      "a line without an equals sign\r\n"
      "  ref=indented lines are not keys\r\n"
      "unknown=value\r\n"
      "DotNetParam=/Q:A\r\n"
      "mdacdescr=Data access\r\n"
      "mdacdescr=Last one wins\r\n"
      "file=one.exe\r\n"
      "file=two.dll\r\n"
      "TargetDir=<ProgramFiles>\\Orvane\r\n"
      "wav3=setup\\three.wav\r\n"
      "dlgbuttonbrowseaction=Browsing\r\n"
      "dlgbuttonbrowse=Browse %s\r\n"
      "dlgbuttonmanualcaption=&Manual\r\n"
      "[Product B]\n"
      "ref=DEF\n"
      "name=Second\n"
      "acrobat=Reader\\r.exe\n"
      "HomePage=https://Home.example/\n"
      "supportpage=https://help.example/?ref=\n"
      "browser=web\\b.exe");
  ASSERT_EQ(config.productCount(), 2u);
  const launcher::Product& a = config.products()[0];
  EXPECT_EQ(a.Reference, "ABC");
  EXPECT_EQ(a.Name, "Reef Saver  ");
  EXPECT_EQ(a.SetupAppPath, "first;second;");
  EXPECT_EQ(a.UserGuide, "docs\\guide.pdf;");
  EXPECT_EQ(config.products()[1].Reference, "DEF");
  EXPECT_EQ(config.products()[1].Name, "Second");
  EXPECT_EQ(config.dotNetParameters, "/Q:A");
  EXPECT_EQ(config.mdacDescription, "Last one wins");
  EXPECT_EQ(config.files, (std::vector<std::string>{"one.exe", "two.dll"}));
  EXPECT_EQ(config.targetFolder, "<ProgramFiles>\\Orvane");
  EXPECT_EQ(config.buttonSounds[2], "setup\\three.wav");
  EXPECT_EQ(config.buttons.browseAction, "Browsing");
  EXPECT_EQ(config.buttons.browseHover, "Browse %s");
  EXPECT_EQ(config.buttons.manualCaption, "&Manual");
  EXPECT_EQ(config.acrobat, "Reader\\r.exe");
  EXPECT_EQ(config.homePage, "https://Home.example/");
  EXPECT_EQ(config.supportPage, "https://help.example/?ref=");
  EXPECT_EQ(config.browser, "web\\b.exe");
  EXPECT_TRUE(config.commonReference.empty());
}

TEST(LauncherConfig, SectionKeysAndCommonReference) {
  LauncherConfig config;
  config.readLine("[ Product A ]");
  EXPECT_EQ(config.currentProductKey(), "Product A");
  // A name before its section's ref= belongs to the product keyed by the section.
  config.readLine("name=Early");
  config.readLine("common_reference=SHARED");
  ASSERT_EQ(config.productCount(), 1u);
  EXPECT_EQ(config.products()[0].Reference, "Product A");
  EXPECT_EQ(config.products()[0].Name, "Early");
  EXPECT_EQ(config.commonReference, "SHARED");
}

TEST(LauncherConfig, DefaultsWithoutFile) {
  LauncherConfig config;
  config.readText("");
  EXPECT_EQ(config.productCount(), 0u);
  EXPECT_EQ(config.video, "setup\\flying.avi");
  EXPECT_EQ(config.dotNetInstaller, "dotnet\\dotnetfx.exe");
  EXPECT_EQ(config.dotNetParameters, "/q:a /c:\"install /l /q\"");
  EXPECT_EQ(config.mdacInstaller, "mdac\\mdac_typ.exe");
  EXPECT_EQ(config.mdacParameters, "/q:a /c:\"dasetup /l /q N\"");
  EXPECT_EQ(config.wmiInstaller, "wmi\\wmicore.exe");
  EXPECT_EQ(config.hoverSound, "setup\\Ballon.wav");
  EXPECT_EQ(config.background, "setup\\bg.bmp");
  EXPECT_EQ(config.acrobat, "Acrobat\\AcroRd32.exe");
  // The same reserved placeholder site as the saver's settings dialog, over https.
  EXPECT_EQ(config.homePage, "https://www.reefsaver.example/");
  EXPECT_EQ(config.supportPage, "https://www.reefsaver.example/support/?ref=");
  EXPECT_TRUE(config.browser.empty());
  EXPECT_TRUE(config.targetFolder.empty());
  EXPECT_EQ(config.product(0), nullptr);
}

TEST(LauncherConfig, KeepsAtMostSixteenProductsAndFiles) {
  LauncherConfig config;
  for (int i = 1; i <= 17; ++i) {
    config.readLine("ref=R" + std::to_string(i));
    config.readLine("name=N" + std::to_string(i));
    config.readLine("path=p" + std::to_string(i) + ".exe");
    config.readLine("file=f" + std::to_string(i));
  }
  ASSERT_EQ(config.productCount(), 16u);
  EXPECT_EQ(config.products()[15].Name, "N16");
  for (const launcher::Product& p : config.products()) EXPECT_NE(p.Reference, "R17");
  EXPECT_EQ(config.files.size(), 16u);
  EXPECT_EQ(config.files.back(), "f16");
  // The same ref= again finds its product instead of making a new one.
  config.readLine("ref=R3");
  config.readLine("path=more.exe");
  EXPECT_EQ(config.products()[2].SetupAppPath, "p3.exe;more.exe;");
}

TEST(LauncherConfig, ArbitraryBytesNeverReadPastTheText) {
  // Deterministic noise, with NULs, lone "\r", brackets and key fragments; the reader must cope.
  uint32_t state = 12345;
  const char alphabet[] = "ref=name=path=manual=[];\r\n\0 %sABCxyz=file=wav1=";
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const size_t length = state % 400;
    for (size_t i = 0; i < length; ++i) {
      state = state * 1664525u + 1013904223u;
      text += alphabet[(state >> 16) % (sizeof alphabet - 1)];
    }
    LauncherConfig config;
    config.readText(text);
    EXPECT_LE(config.productCount(), LauncherConfig::kMaxProducts);
    EXPECT_LE(config.files.size(), LauncherConfig::kMaxFiles);
  }
}

TEST(LauncherRules, ListsHoverTextsAndPaths) {
  EXPECT_EQ(launcher::splitList(" a.exe ;;b\\c.exe;  ; d ;"),
            (std::vector<std::string>{"a.exe", "b\\c.exe", "d"}));
  EXPECT_TRUE(launcher::splitList("").empty());
  EXPECT_EQ(launcher::withProductName("Install %s now", "Reef"), "Install Reef now");
  EXPECT_EQ(launcher::withProductName("No name here", "Reef"), "No name here");
  // Other conversions are text, not formats to be filled from nowhere.
  EXPECT_EQ(launcher::withProductName("100% %d %n %s%s", "R"), "100% %d %n RR");
  EXPECT_EQ(launcher::joinPath("X:\\", "setup\\a.wav"), "X:\\setup\\a.wav");
  EXPECT_EQ(launcher::joinPath("C:\\cd", "a"), "C:\\cd\\a");
  EXPECT_EQ(launcher::joinPath("C:\\cd\\", ""), "C:\\cd\\");
  EXPECT_EQ(launcher::folderOfFile("X:\\setup.exe"), "X:\\");
  EXPECT_EQ(launcher::folderOfFile("C:\\cd\\one\\setup.exe"), "C:\\cd\\one");
  EXPECT_EQ(launcher::expandProgramFiles("<ProgramFiles>\\Orvane", "C:\\Program Files"),
            "C:\\Program Files\\Orvane");
  EXPECT_EQ(launcher::expandProgramFiles("D:\\Fixed", "C:\\Program Files"), "D:\\Fixed");
}

TEST(LauncherRules, CommandLinesStartTheIntendedProgram) {
  EXPECT_EQ(launcher::commandLine("C:\\Program Files\\R\\AcroRd32.exe", "\"X:\\a b.pdf\""),
            "\"C:\\Program Files\\R\\AcroRd32.exe\" \"X:\\a b.pdf\"");
  EXPECT_EQ(launcher::commandLine("X:\\setup.exe", ""), "\"X:\\setup.exe\"");
  // Installer parameters go through exactly as written.
  EXPECT_EQ(launcher::commandLine("X:\\mdac.exe", "/q:a /c:\"dasetup /l /q N\""),
            "\"X:\\mdac.exe\" /q:a /c:\"dasetup /l /q N\"");
  EXPECT_EQ(launcher::quoteArgument("C:\\cd one\\"), "\"C:\\cd one\\\\\"");
  EXPECT_EQ(launcher::quoteArgument("a\"b"), "\"a\\\"b\"");
}

TEST(LauncherRules, StartArgumentsAndResumeMarkerRoundTrip) {
  launcher::StartArguments a = launcher::parseStartArguments("X:\\ 3", "C:\\here");
  EXPECT_EQ(a.baseFolder, "X:\\");
  EXPECT_EQ(a.stage, "3");
  a = launcher::parseStartArguments("", "C:\\here");
  EXPECT_EQ(a.baseFolder, "C:\\here\\");
  EXPECT_TRUE(a.stage.empty());
  // Quoted as typed, and as a runtime-quoting program would write it.
  a = launcher::parseStartArguments("\"E:\\\" 2", "C:\\here");
  EXPECT_EQ(a.baseFolder, "E:\\");
  EXPECT_EQ(a.stage, "2");
  a = launcher::parseStartArguments("\"C:\\kv cd\\\\\"  4 ", "C:\\here");
  EXPECT_EQ(a.baseFolder, "C:\\kv cd\\");
  EXPECT_EQ(a.stage, "4");
  a = launcher::parseStartArguments("D:\\cd", "C:\\here");
  EXPECT_EQ(a.baseFolder, "D:\\cd\\");
  EXPECT_TRUE(a.stage.empty());

  for (const char* baseText : {"X:\\", "C:\\users\\kv cd 1\\", "D:\\a  b\\c d\\"}) {
    const std::string base = baseText;
    const std::string marker = launcher::resumeCommand(base, "2");
    // Windows starts the quoted program and hands it the rest of the line.
    ASSERT_EQ(marker[0], '"');
    const size_t programEnd = marker.find('"', 1);
    EXPECT_EQ(marker.substr(1, programEnd - 1), launcher::joinPath(base, "KvSetupX.exe"));
    const launcher::StartArguments back =
        launcher::parseStartArguments(marker.substr(programEnd + 2), "C:\\elsewhere");
    EXPECT_EQ(back.baseFolder, base);
    EXPECT_EQ(back.stage, "2");
  }
}

TEST(MenuLanguage, ThePrimaryLanguageChoosesFileAndTexts) {
  using launcher::MenuLanguage;
  EXPECT_EQ(launcher::menuLanguageFor(0x0413), MenuLanguage::Dutch);
  EXPECT_EQ(launcher::menuLanguageFor(0x0813), MenuLanguage::Dutch);
  EXPECT_EQ(launcher::menuLanguageFor(0x0407), MenuLanguage::German);
  EXPECT_EQ(launcher::menuLanguageFor(0x0C07), MenuLanguage::German);
  EXPECT_EQ(launcher::menuLanguageFor(0x040C), MenuLanguage::French);
  EXPECT_EQ(launcher::menuLanguageFor(0x100C), MenuLanguage::French);
  EXPECT_EQ(launcher::menuLanguageFor(0x0809), MenuLanguage::English);
  EXPECT_EQ(launcher::menuLanguageFor(0x0410), MenuLanguage::English);
  EXPECT_EQ(launcher::menuLanguageFor(0x0411), MenuLanguage::English);
  EXPECT_EQ(launcher::configurationFileOf(MenuLanguage::German), "KvSetupX.DE.ini");
  EXPECT_EQ(launcher::configurationFileOf(MenuLanguage::Dutch), "KvSetupX.NL.ini");
  for (MenuLanguage language :
       {MenuLanguage::Dutch, MenuLanguage::English, MenuLanguage::German, MenuLanguage::French}) {
    const launcher::MenuTexts& texts = launcher::menuTexts(language);
    for (const char* text : {texts.install, texts.manual, texts.support, texts.browse, texts.exit,
                             texts.logo, texts.waitCaption, texts.preparing, texts.errorCode}) {
      EXPECT_STRNE(text, "");
    }
    EXPECT_NE(std::string(texts.cannotStart).find("%s"), std::string::npos);
    EXPECT_NE(std::string(texts.cannotOpen).find("%s"), std::string::npos);
  }
  EXPECT_STREQ(launcher::menuTexts(MenuLanguage::Dutch).install, "&Installatie");
}

// What could not be started, in the menu's language; Dutch as it always was.
TEST(LauncherRules, StartFailuresInTheMenusLanguage) {
  using launcher::MenuLanguage;
  using launcher::StartKind;
  const auto failure = [](MenuLanguage language, StartKind kind, const char* reason) {
    return launcher::startFailureText(kind, "\"D:\\setup\\setup.exe\"", reason, 1223,
                                      launcher::menuTexts(language));
  };
  EXPECT_EQ(failure(MenuLanguage::Dutch, StartKind::Program, "Geweigerd."),
            "Kan setup.exe niet starten.\nGeweigerd. (foutcode 1223)");
  EXPECT_EQ(failure(MenuLanguage::Dutch, StartKind::Open, ""),
            "Kan setup.exe niet openen.\nFoutcode 1223");
  EXPECT_EQ(failure(MenuLanguage::German, StartKind::Program, "Abgelehnt."),
            "setup.exe kann nicht gestartet werden.\nAbgelehnt. (Fehlercode 1223)");
  EXPECT_EQ(failure(MenuLanguage::French, StartKind::Open, ""),
            "Impossible d'ouvrir setup.exe.\nCode d'erreur 1223");
  EXPECT_EQ(failure(MenuLanguage::English, StartKind::Program, "Refused."),
            "Cannot start setup.exe.\nRefused. (error code 1223)");
}

TEST(LauncherRules, VersionsAndStages) {
  EXPECT_TRUE(launcher::mdacVersionPresent("2.60"));
  EXPECT_TRUE(launcher::mdacVersionPresent("2.71.9030.0"));
  EXPECT_TRUE(launcher::mdacVersionPresent("3.0"));
  EXPECT_TRUE(launcher::mdacVersionPresent("10.1"));
  EXPECT_FALSE(launcher::mdacVersionPresent("2.59"));
  EXPECT_FALSE(launcher::mdacVersionPresent("2.5.9999"));
  EXPECT_FALSE(launcher::mdacVersionPresent("2"));
  EXPECT_FALSE(launcher::mdacVersionPresent(""));
  EXPECT_FALSE(launcher::mdacVersionPresent("abc"));

  const uint64_t v1_0_0_2 = (uint64_t{1} << 48) | 2;
  const uint64_t v2_0_0_0 = uint64_t{2} << 48;
  EXPECT_FALSE(launcher::sourceReplacesDestination(v1_0_0_2, v2_0_0_0));
  EXPECT_TRUE(launcher::sourceReplacesDestination(v2_0_0_0, v1_0_0_2));
  EXPECT_TRUE(launcher::sourceReplacesDestination(v1_0_0_2, v1_0_0_2));
  EXPECT_FALSE(launcher::sourceReplacesDestination(v1_0_0_2 - 1, v1_0_0_2));
  EXPECT_TRUE(launcher::sourceReplacesDestination(v1_0_0_2, std::nullopt));
  EXPECT_TRUE(launcher::sourceReplacesDestination(std::nullopt, v2_0_0_0));

  using launcher::FlowStage;
  EXPECT_EQ(launcher::flowStageFor(""), FlowStage::Wmi);
  EXPECT_EQ(launcher::flowStageFor("0"), FlowStage::Wmi);
  EXPECT_EQ(launcher::flowStageFor("1"), FlowStage::Mdac);
  EXPECT_EQ(launcher::flowStageFor("2"), FlowStage::DotNet);
  EXPECT_EQ(launcher::flowStageFor("3"), FlowStage::Files);
  EXPECT_EQ(launcher::flowStageFor("4"), FlowStage::Finish);
  EXPECT_EQ(launcher::flowStageFor("9"), FlowStage::Wmi);
}
