#pragma once
// The language the saver speaks: Windows' user-interface language when the texts come in it
// (Dutch, English, German, French), English for any other.
#include <cstdint>

#include "formats/TextTableKeys.h"

// languageId is a Windows LANGID; only its primary language counts (Swiss German is German).
textkeys::Language languageOfUiLanguage(uint16_t languageId);

// The user's UI language (GetUserDefaultUILanguage) as one of ours.
textkeys::Language userLanguage();
