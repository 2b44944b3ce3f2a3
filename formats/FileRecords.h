#pragma once
// Fixed records of our file formats, copied between a file's bytes and their structs as they lie.
// Every format is little-endian and every record struct matches its bytes field for field (each
// format header checks sizes and offsets with static_asserts), so one copy reads or writes it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "file records are copied as they lie in little-endian files");

namespace formats {

using Bytes = std::vector<uint8_t>;

// True when count records of recordSize bytes starting at offset lie inside size bytes. Written
// with a division so that no product can overflow.
inline bool fits(uint64_t offset, uint64_t count, uint64_t recordSize, uint64_t size) {
  if (offset > size) return false;
  return count <= (size - offset) / recordSize;
}

// The record at data; the caller has checked that it fits.
template <typename Record>
Record readRecord(const uint8_t* data) {
  Record record;
  std::memcpy(&record, data, sizeof record);
  return record;
}

template <typename Record>
void appendRecord(Bytes& out, const Record& record) {
  const size_t at = out.size();
  out.resize(at + sizeof record);
  std::memcpy(out.data() + at, &record, sizeof record);
}

// Copies text into a fixed name field: cut to leave at least one NUL, the rest NULs.
template <size_t Size>
void setName(char (&field)[Size], const char* text) {
  std::memset(field, 0, Size);
  const size_t length = std::strlen(text);
  std::memcpy(field, text, length < Size ? length : Size - 1);
}

// A four-character identifier of a file or chunk ("IDP3", "RIFF", "fmt ").
inline bool sameId(const char (&field)[4], const char* id) { return std::memcmp(field, id, 4) == 0; }

template <size_t Size>
void setId(char (&field)[Size], const char* id) {
  std::memcpy(field, id, Size);
}

}  // namespace formats
