#pragma once
// Opera's generic binary file format (Opera 4-12: cookies4.dat, and the cache index, visited
// links and download files): a header, then tagged records whose tag and length sizes the
// header sets. Every integer is big-endian, and every read is checked against the end.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cookies {

struct OperaHeader {
  uint32_t fileVersion = 0;  // major version in the top 20 bits, minor in the low 12
  uint32_t appVersion = 0;   // the same split; names what the file holds
  unsigned tagBytes = 0, lengthBytes = 0;
};

constexpr size_t kOperaHeaderBytes = 12;

// False for bytes too short for a header, or tag or length sizes other than 1 to 4 bytes.
bool ReadOperaHeader(const std::string& file, OperaHeader* header);

struct OperaRecord {
  uint32_t tag = 0;                        // as stored, its top bit included
  size_t start = 0, payload = 0, end = 0;  // offsets of the record, its payload, and just past it
};

// The records of bytes[from, to), one after another.
class OperaRecordReader {
 public:
  OperaRecordReader(const std::string& bytes, size_t from, size_t to, const OperaHeader& sizes);
  bool atEnd() const { return at_ == to_; }
  // The next record; false when its tag, length or payload runs past the end.
  bool next(OperaRecord* record);
  // The tag's top bit: a record with it set is a flag, with no length and no payload.
  uint32_t flagBit() const { return 1u << (8 * tagBytes_ - 1); }

 private:
  bool number(unsigned bytes, uint32_t* value);

  const std::string& bytes_;
  size_t at_, to_;
  unsigned tagBytes_, lengthBytes_;
};

}  // namespace cookies
