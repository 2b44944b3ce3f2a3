#include "config/UiLanguage.h"

#include <windows.h>

textkeys::Language languageOfUiLanguage(uint16_t languageId) {
  switch (PRIMARYLANGID(languageId)) {
    case LANG_DUTCH:
      return textkeys::Language::Dutch;
    case LANG_GERMAN:
      return textkeys::Language::German;
    case LANG_FRENCH:
      return textkeys::Language::French;
    default:
      return textkeys::Language::English;
  }
}

textkeys::Language userLanguage() { return languageOfUiLanguage(GetUserDefaultUILanguage()); }
