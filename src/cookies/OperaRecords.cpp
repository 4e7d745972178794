#include "cookies/OperaRecords.h"

namespace cookies {

namespace {

uint32_t bigEndian(const std::string& bytes, size_t at, unsigned size) {
  uint32_t value = 0;
  for (unsigned i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool knownSize(unsigned size) { return size >= 1 && size <= 4; }

}  // namespace

bool ReadOperaHeader(const std::string& file, OperaHeader* header) {
  if (file.size() < kOperaHeaderBytes) return false;
  header->fileVersion = bigEndian(file, 0, 4);
  header->appVersion = bigEndian(file, 4, 4);
  header->tagBytes = bigEndian(file, 8, 2);
  header->lengthBytes = bigEndian(file, 10, 2);
  return knownSize(header->tagBytes) && knownSize(header->lengthBytes);
}

OperaRecordReader::OperaRecordReader(const std::string& bytes, size_t from, size_t to, const OperaHeader& sizes)
    : bytes_(bytes), at_(from), to_(to), tagBytes_(sizes.tagBytes), lengthBytes_(sizes.lengthBytes) {}

bool OperaRecordReader::number(unsigned bytes, uint32_t* value) {
  if (to_ - at_ < bytes) return false;
  *value = bigEndian(bytes_, at_, bytes);
  at_ += bytes;
  return true;
}

bool OperaRecordReader::next(OperaRecord* record) {
  record->start = at_;
  if (!number(tagBytes_, &record->tag)) return false;
  uint32_t length = 0;
  if (!(record->tag & flagBit()) && !number(lengthBytes_, &length)) return false;
  // Compared with what is left, so a length near 4 GiB never wraps an offset.
  if (length > to_ - at_) return false;
  record->payload = at_;
  at_ += length;
  record->end = at_;
  return true;
}

}  // namespace cookies
