#pragma once
// The overlay font file: DejaVu Sans rasterised with FreeType into one luminance-alpha atlas with
// a glyph record (size in pixels, texture rectangle) per character code.

#include <string>

#include "formats/FileRecords.h"

using formats::Bytes;

// Every character of Windows-1252 (the codes are the code page's bytes), 16 pixels per line. Returns false (with
// a message) when FreeType cannot open the font file.
bool encodeFont(const std::string& fontFile, Bytes& out);
