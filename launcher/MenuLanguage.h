// The language the menu speaks: Windows' UI language when the CD has a configuration file in it
// ("KvSetupX.<LANG>.ini" beside "KvSetupX.ini"), English for a language the menu does not know,
// and when the CD has no file for the language, that of "KvSetupX.ini", Dutch. Its own texts (the
// buttons' captions, the logo's text, the wait dialog, what could not be started) follow.
// No Windows here: tested directly.
#pragma once

#include <string>

namespace launcher {

enum class MenuLanguage { Dutch, English, German, French };

// By the primary language of a Windows LANGID: Dutch, English, German, French; any other English.
MenuLanguage menuLanguageFor(unsigned short uiLanguage);

// "KvSetupX.NL.ini", "KvSetupX.EN.ini", "KvSetupX.DE.ini" or "KvSetupX.FR.ini".
std::string configurationFileOf(MenuLanguage language);

// The menu's own texts, in Windows-1252 like the configuration files. "%s" stands for a name.
struct MenuTexts {
  const char* install;
  const char* manual;
  const char* support;
  const char* browse;
  const char* exit;
  const char* logo;         // over the logo area
  const char* waitCaption;  // the wait dialog's title
  const char* preparing;    // its text while the installation gets ready
  const char* cannotStart;  // a program
  const char* cannotOpen;   // a document or web page
  const char* errorCode;    // alone: the system gave no reason
  const char* errorCodeAfterReason;
};

const MenuTexts& menuTexts(MenuLanguage language);

}  // namespace launcher
