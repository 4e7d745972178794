#include "browsers/LocalState.h"

#include <set>

#include "browsers/PlainNames.h"
#include "platform/NameCase.h"

namespace browsers {

namespace {

constexpr int kDeepest = 64;

// A JSON reader over the text that keeps nothing but what the caller asks for: each step
// moves on or fails, and a failure anywhere makes the whole text unreadable.
class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  bool atEnd() {
    skipBlanks();
    return at_ == text_.size();
  }
  bool take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool peek(char c) {
    skipBlanks();
    return at_ < text_.size() && text_[at_] == c;
  }

  // A string; a character beyond ASCII, escaped or not, is read as 0x80, which no kept
  // name may hold.
  bool string(std::string* out) {
    if (!take('"')) return false;
    out->clear();
    while (at_ < text_.size()) {
      const unsigned char c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') {
        out->push_back(c < 0x80 ? static_cast<char>(c) : '\x80');
        continue;
      }
      if (at_ == text_.size()) return false;
      const char e = text_[at_++];
      switch (e) {
        case '"': case '\\': case '/': out->push_back(e); break;
        case 'b': out->push_back('\b'); break;
        case 'f': out->push_back('\f'); break;
        case 'n': out->push_back('\n'); break;
        case 'r': out->push_back('\r'); break;
        case 't': out->push_back('\t'); break;
        case 'u': {
          unsigned code = 0;
          for (int i = 0; i < 4; ++i) {
            if (at_ == text_.size()) return false;
            const char h = text_[at_++];
            const int digit = h >= '0' && h <= '9' ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            if (digit < 0) return false;
            code = code * 16 + static_cast<unsigned>(digit);
          }
          out->push_back(code < 0x80 ? static_cast<char>(code) : '\x80');
          break;
        }
        default: return false;
      }
    }
    return false;
  }

  // Any value, passed over.
  bool skipValue(int depth) {
    if (depth > kDeepest) return false;
    skipBlanks();
    if (at_ == text_.size()) return false;
    std::string ignored;
    switch (text_[at_]) {
      case '"': return string(&ignored);
      case '{': return members(depth, [&](const std::string&) { return skipValue(depth + 1); });
      case '[': return elements(depth);
      case 't': return word("true");
      case 'f': return word("false");
      case 'n': return word("null");
      default: return number();
    }
  }

  // An object whose each member's value `onMember` reads (or passes over).
  template <typename OnMember>
  bool members(int depth, OnMember&& onMember) {
    if (depth > kDeepest || !take('{')) return false;
    if (take('}')) return true;
    std::string key;
    do {
      if (!string(&key) || !take(':') || !onMember(key)) return false;
    } while (take(','));
    return take('}');
  }

 private:
  void skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }
  bool elements(int depth) {
    if (!take('[')) return false;
    if (take(']')) return true;
    do {
      if (!skipValue(depth + 1)) return false;
    } while (take(','));
    return take(']');
  }
  bool word(const char* literal) {
    const std::string expected(literal);
    if (text_.compare(at_, expected.size(), expected) != 0) return false;
    at_ += expected.size();
    return true;
  }
  bool number() {
    const size_t from = at_;
    while (at_ < text_.size() && (std::string("+-.0123456789eE").find(text_[at_]) != std::string::npos)) ++at_;
    return at_ > from;
  }

  const std::string& text_;
  size_t at_ = 0;
};

bool isProfileName(const std::string& name) {
  for (char c : name)
    if (c < 0x20 || c > 0x7E || c == '\\') return false;
  return IsPlainFolderPath(name);
}

}  // namespace

std::vector<std::string> ReadChromeProfileNames(const std::string& text) {
  std::vector<std::string> names;
  std::set<std::string> met;  // upper-cased: one folder to Windows
  if (text.size() > kLocalStateLimit) return names;
  Reader reader(text);
  // A key met twice counts as JSON readers take it: the later value.
  const bool read = reader.members(0, [&](const std::string& key) {
    if (key != "profile" || !reader.peek('{')) return reader.skipValue(1);
    names.clear();
    met.clear();
    return reader.members(1, [&](const std::string& inner) {
      if (inner != "info_cache" || !reader.peek('{')) return reader.skipValue(2);
      names.clear();
      met.clear();
      return reader.members(2, [&](const std::string& name) {
        if (isProfileName(name) && met.insert(platform::upperCased(name)).second) names.push_back(name);
        return reader.skipValue(3);
      });
    });
  });
  if (!read || !reader.atEnd()) names.clear();
  return names;
}

}  // namespace browsers
