#include "FontWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Windows1252.h"
#include "formats/FontFormat.h"

using namespace formats;

namespace {

constexpr int PixelSize = 13;
constexpr int AtlasWidth = 256;

struct GlyphCell {
  int code;
  int x, y;  // top-left of the cell in the atlas, rows counted from the top
  int width;
  std::vector<uint8_t> coverage;  // width x cell height
};

// The bytes of Windows-1252 that stand for a character: the texts' code page. The letters of
// 128-159 (œ, Œ, Š ...) come last, so the atlas places the others where it always did.
std::vector<int> characterCodes() {
  std::vector<int> codes;
  for (int code = 32; code <= 126; ++code) codes.push_back(code);
  for (int code = 160; code <= 255; ++code) codes.push_back(code);
  for (int code = 128; code < 160; ++code) {
    if (windows1252::unicodeOf(static_cast<unsigned char>(code)) != 0) codes.push_back(code);
  }
  return codes;
}

// The glyph of a byte of the code page.
FT_Error loadGlyph(FT_Face face, int code) {
  return FT_Load_Char(face, windows1252::unicodeOf(static_cast<unsigned char>(code)),
                      FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT);
}

}  // namespace

bool encodeFont(const std::string& fontFile, Bytes& out) {
  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "reefcontent: FreeType does not start\n");
    return false;
  }
  FT_Face face;
  if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
    std::fprintf(stderr, "reefcontent: cannot open font %s\n", fontFile.c_str());
    FT_Done_FreeType(library);
    return false;
  }
  FT_Set_Pixel_Sizes(face, 0, PixelSize);

  // The cell spans the ink of every glyph: the font's rounded ascender and descender leave the
  // umlaut dots, descenders and the underscore a row or two outside, where they would be cut off.
  std::vector<int> codes;
  int ascent = 0, descent = 0;
  for (int code : characterCodes()) {
    if (loadGlyph(face, code) != 0) continue;
    codes.push_back(code);
    const FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.rows == 0) continue;
    ascent = std::max(ascent, static_cast<int>(slot->bitmap_top));
    descent = std::max(descent, static_cast<int>(slot->bitmap.rows) - static_cast<int>(slot->bitmap_top));
  }
  const int cellHeight = ascent + descent;

  std::vector<GlyphCell> cells;
  int penX = 0, penY = 0;
  for (int code : codes) {
    if (loadGlyph(face, code) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    GlyphCell cell;
    cell.code = code;
    cell.width = static_cast<int>((slot->advance.x + 32) >> 6);
    if (penX + cell.width > AtlasWidth) {
      penX = 0;
      penY += cellHeight + 1;
    }
    cell.x = penX;
    cell.y = penY;
    penX += cell.width + 1;
    cell.coverage.assign(static_cast<size_t>(cell.width) * cellHeight, 0);
    const FT_Bitmap& bitmap = slot->bitmap;
    // Ink that overhangs the advance (the hook of a J) moves inside when the glyph fits.
    const int left =
        std::clamp(static_cast<int>(slot->bitmap_left), 0, std::max(0, cell.width - static_cast<int>(bitmap.width)));
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      int y = ascent - slot->bitmap_top + static_cast<int>(row);
      for (unsigned column = 0; column < bitmap.width; ++column) {
        int x = left + static_cast<int>(column);
        if (x < 0 || x >= cell.width || y < 0 || y >= cellHeight) continue;
        cell.coverage[static_cast<size_t>(y) * cell.width + x] = bitmap.buffer[row * bitmap.pitch + column];
      }
    }
    cells.push_back(std::move(cell));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  int atlasHeight = 1;
  while (atlasHeight < penY + cellHeight) atlasHeight *= 2;

  // Atlas rows are stored bottom row first, the way OpenGL counts t, so t grows upward.
  std::vector<uint8_t> alpha(static_cast<size_t>(AtlasWidth) * atlasHeight, 0);
  for (const GlyphCell& cell : cells) {
    for (int y = 0; y < cellHeight; ++y) {
      for (int x = 0; x < cell.width; ++x) {
        alpha[static_cast<size_t>(atlasHeight - 1 - (cell.y + y)) * AtlasWidth + cell.x + x] =
            cell.coverage[static_cast<size_t>(y) * cell.width + x];
      }
    }
  }

  FontHeader header{};
  setId(header.ident, FontIdent);
  header.version = FontVersion;
  std::snprintf(header.description, sizeof header.description, "DejaVu Sans %d px, rasterised with FreeType",
                PixelSize);
  header.width = AtlasWidth;
  header.height = atlasHeight;
  header.skippedCount = 0;
  out.clear();
  appendRecord(out, header);
  appendRecord(out, static_cast<int32_t>(cells.size()));
  for (const GlyphCell& cell : cells) {
    FontGlyphRecord glyph{};
    glyph.code = static_cast<uint16_t>(cell.code);
    glyph.width = cell.width;
    glyph.height = cellHeight;
    glyph.s0 = static_cast<float>(cell.x) / AtlasWidth;
    glyph.s1 = static_cast<float>(cell.x + cell.width) / AtlasWidth;
    glyph.t0 = static_cast<float>(atlasHeight - cell.y - cellHeight) / atlasHeight;
    glyph.t1 = static_cast<float>(atlasHeight - cell.y) / atlasHeight;
    appendRecord(out, glyph);
  }
  for (uint8_t a : alpha) {
    out.push_back(255);
    out.push_back(a);
  }
  return true;
}
