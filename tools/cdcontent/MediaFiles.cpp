#include "MediaFiles.h"

#include "formats/BmpFormat.h"

namespace cdcontent {
namespace {

// Wine's video renderer allocates its surfaces only for 32-bit RGB; 24-bit frames leave it blank.
constexpr int kAviBytesPerPixel = 4;

void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

void putTag(Bytes& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void patch32(Bytes& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Opens a RIFF chunk or list; the result is where its size goes, filled in by closeChunk.
size_t openChunk(Bytes& out, const char (&tag)[5]) {
  putTag(out, tag);
  put32(out, 0);
  return out.size() - 4;
}

void closeChunk(Bytes& out, size_t sizeAt) {
  patch32(out, sizeAt, static_cast<uint32_t>(out.size() - sizeAt - 4));
  if (out.size() % 2 != 0) out.push_back(0);  // RIFF chunks are word aligned
}

}  // namespace

Bytes encodeBmp(const Picture& picture) {
  const Bytes pixels = picture.bottomUpRows(3);
  Bytes out;
  out.reserve(sizeof(formats::BmpFileHeader) + sizeof(formats::BmpInfoHeader) + pixels.size());
  formats::appendBmpHeaders(out, picture.width(), picture.height(), 24, 0);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

Bytes encodeAvi(const std::vector<Picture>& frames, int framesPerSecond) {
  const Picture& first = frames.front();
  const uint32_t frameBytes = static_cast<uint32_t>(first.bottomUpRows(kAviBytesPerPixel).size());
  const uint32_t count = static_cast<uint32_t>(frames.size());
  const uint32_t width = static_cast<uint32_t>(first.width());
  const uint32_t height = static_cast<uint32_t>(first.height());

  Bytes out;
  const size_t riff = openChunk(out, "RIFF");
  putTag(out, "AVI ");

  const size_t headers = openChunk(out, "LIST");
  putTag(out, "hdrl");
  const size_t mainHeader = openChunk(out, "avih");
  put32(out, 1000000u / static_cast<uint32_t>(framesPerSecond));
  put32(out, frameBytes * static_cast<uint32_t>(framesPerSecond));
  put32(out, 0);
  put32(out, 0x10);  // AVIF_HASINDEX
  put32(out, count);
  put32(out, 0);
  put32(out, 1);  // one stream
  put32(out, frameBytes);
  put32(out, width);
  put32(out, height);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  closeChunk(out, mainHeader);

  const size_t streamList = openChunk(out, "LIST");
  putTag(out, "strl");
  const size_t streamHeader = openChunk(out, "strh");
  putTag(out, "vids");
  putTag(out, "DIB ");
  put32(out, 0);                                       // flags
  put16(out, 0);                                       // priority
  put16(out, 0);                                       // language
  put32(out, 0);                                       // initial frames
  put32(out, 1);                                       // scale
  put32(out, static_cast<uint32_t>(framesPerSecond));  // rate: frames per second = rate / scale
  put32(out, 0);                                       // start
  put32(out, count);
  put32(out, frameBytes);
  put32(out, 0xFFFFFFFFu);  // default quality
  put32(out, 0);            // frames vary in principle: no fixed sample size
  put16(out, 0);
  put16(out, 0);
  put16(out, width);
  put16(out, height);
  closeChunk(out, streamHeader);
  const size_t format = openChunk(out, "strf");
  formats::appendRecord(out, formats::bmpInfoHeader(first.width(), first.height(), kAviBytesPerPixel * 8, 0));
  closeChunk(out, format);
  closeChunk(out, streamList);
  closeChunk(out, headers);

  const size_t movie = openChunk(out, "LIST");
  const size_t movieTag = out.size();
  putTag(out, "movi");
  std::vector<uint32_t> offsets;
  for (const Picture& frame : frames) {
    offsets.push_back(static_cast<uint32_t>(out.size() - movieTag));
    const size_t chunk = openChunk(out, "00db");
    const Bytes pixels = frame.bottomUpRows(kAviBytesPerPixel);
    out.insert(out.end(), pixels.begin(), pixels.end());
    closeChunk(out, chunk);
  }
  closeChunk(out, movie);

  const size_t index = openChunk(out, "idx1");
  for (uint32_t offset : offsets) {
    putTag(out, "00db");
    put32(out, 0x10);  // AVIIF_KEYFRAME: every uncompressed frame stands alone
    put32(out, offset);
    put32(out, frameBytes);
  }
  closeChunk(out, index);
  closeChunk(out, riff);
  return out;
}

}  // namespace cdcontent
