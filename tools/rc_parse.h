// Reads the STRINGTABLE blocks of a resource script the way the resource compiler does, so the
// host build can use the very texts that windres compiles into the program. Header-only: the
// rcstrings build tool and the host tests share it.
//
// Accepted, outside tables: blank lines, // and /* */ comments, #include and #pragma lines
// (ignored; "#pragma code_page" must name 65001, the file is UTF-8), and LANGUAGE statements.
// Inside a table: entries `id, "text"` or `id "text"`, decimal ids 0..65535; adjacent quoted
// strings are joined, as windres joins them. Escapes inside a string: "" is one quotation mark,
// \\ one backslash, \t \n \r. Anything else fails with a message naming the line, instead of
// being skipped: a catalogue entry silently lost would only show up as a blank control.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vireo::rc {

struct StringEntry {
  int id = 0;
  std::string text;  // UTF-8 bytes, unescaped
  int line = 0;      // where the entry starts, for messages
};

struct ParseResult {
  std::vector<StringEntry> entries;  // in the order of the script
  std::string error;                 // empty when the script was read completely
  bool ok() const { return error.empty(); }
};

namespace detail {

inline bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    // Lead byte: how many continuation bytes follow, the smallest code it may carry, its bits.
    std::size_t extra = 0;
    unsigned min = 0;
    unsigned code = 0;
    if ((c & 0xE0) == 0xC0) {
      extra = 1;
      min = 0x80;
      code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      min = 0x800;
      code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      min = 0x10000;
      code = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      code = (code << 6) | (cc & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

enum class TokenKind { kNumber, kString, kWord, kComma, kOpen, kClose };

struct Token {
  TokenKind kind;
  std::string text;  // the word, the digits, or the unescaped string
  int line;
};

// Splits the script into tokens, handling comments and preprocessor lines on the way.
class Lexer {
 public:
  explicit Lexer(std::string_view source) : src_(source) {}

  bool Run(std::vector<Token>* tokens, std::string* error) {
    bool line_start = true;
    while (pos_ < src_.size()) {
      const char c = src_[pos_];
      if (c == '\n') {
        ++line_, ++pos_, line_start = true;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '#' && line_start) {
        if (!Directive(error)) return false;
      } else if (Rest().starts_with("//")) {
        while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
      } else if (Rest().starts_with("/*")) {
        const auto end = src_.find("*/", pos_ + 2);
        if (end == std::string_view::npos) return Fail(error, "unterminated /* comment");
        line_ += static_cast<int>(std::count(src_.begin() + pos_, src_.begin() + end, '\n'));
        pos_ = end + 2;
      } else {
        line_start = false;
        if (!ReadToken(tokens, error)) return false;
      }
    }
    return true;
  }

 private:
  std::string_view Rest() const { return src_.substr(pos_); }

  bool Fail(std::string* error, const std::string& what) const {
    *error = "line " + std::to_string(line_) + ": " + what;
    return false;
  }

  bool Directive(std::string* error) {
    const auto end = std::min(src_.find('\n', pos_), src_.size());
    std::string_view text = src_.substr(pos_ + 1, end - pos_ - 1);
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    const auto first = text.find_first_not_of(" \t");
    text = first == std::string_view::npos ? std::string_view{} : text.substr(first);
    pos_ = end;
    if (text.starts_with("include")) return true;
    if (text.starts_with("pragma")) {
      const auto cp = text.find("code_page");
      if (cp != std::string_view::npos && text.find("65001", cp) == std::string_view::npos) {
        return Fail(error, "the script must be UTF-8 (#pragma code_page(65001))");
      }
      return true;
    }
    // #if, #define and the like change what the resource compiler sees; honouring them is
    // beyond this reader, so it refuses rather than guessing.
    return Fail(error, "unsupported preprocessor line: #" + std::string(text));
  }

  bool ReadToken(std::vector<Token>* tokens, std::string* error) {
    const char c = src_[pos_];
    const int line = line_;
    if (c == '"') {
      std::string text;
      if (!String(&text, error)) return false;
      tokens->push_back({TokenKind::kString, std::move(text), line});
    } else if (c == ',') {
      ++pos_;
      tokens->push_back({TokenKind::kComma, ",", line});
    } else if (c == '{' || c == '}') {
      ++pos_;
      tokens->push_back({c == '{' ? TokenKind::kOpen : TokenKind::kClose, std::string(1, c), line});
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      std::string digits;
      while (pos_ < src_.size() && std::isalnum(static_cast<unsigned char>(src_[pos_]))) {
        digits.push_back(src_[pos_++]);
      }
      tokens->push_back({TokenKind::kNumber, std::move(digits), line});
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      std::string word;
      while (pos_ < src_.size() &&
             (std::isalnum(static_cast<unsigned char>(src_[pos_])) || src_[pos_] == '_')) {
        word.push_back(src_[pos_++]);
      }
      tokens->push_back({TokenKind::kWord, std::move(word), line});
    } else {
      return Fail(error, std::string("unexpected character '") + c + "'");
    }
    return true;
  }

  // One quoted string, unescaped. pos_ is on the opening quotation mark.
  bool String(std::string* text, std::string* error) {
    ++pos_;
    while (true) {
      if (pos_ >= src_.size() || src_[pos_] == '\n') return Fail(error, "unterminated string");
      const char c = src_[pos_++];
      if (c == '"') {
        if (pos_ < src_.size() && src_[pos_] == '"') {
          text->push_back('"');
          ++pos_;
          continue;
        }
        break;
      }
      if (c != '\\') {
        text->push_back(c);
        continue;
      }
      const char e = pos_ < src_.size() ? src_[pos_++] : '\0';
      switch (e) {
        case '\\':
          text->push_back('\\');
          break;
        case 't':
          text->push_back('\t');
          break;
        case 'n':
          text->push_back('\n');
          break;
        case 'r':
          text->push_back('\r');
          break;
        case '"':
          return Fail(error, "use \"\" to put \" in a string");
        default:
          return Fail(error, std::string("unsupported escape \\") + e);
      }
    }
    if (!IsValidUtf8(*text)) return Fail(error, "string is not valid UTF-8");
    return true;
  }

  std::string_view src_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// Reads the entries of one table; `i` is on the first token after BEGIN or {.
inline bool ParseTable(const std::vector<Token>& t, std::size_t* i, ParseResult* result) {
  auto fail = [&](int line, const std::string& what) {
    result->error = "line " + std::to_string(line) + ": " + what;
    return false;
  };
  while (true) {
    if (*i >= t.size()) return fail(t.back().line, "STRINGTABLE without END");
    const Token& tok = t[*i];
    if (tok.kind == TokenKind::kClose ||
        (tok.kind == TokenKind::kWord && EqualsNoCase(tok.text, "END"))) {
      ++*i;
      return true;
    }
    if (tok.kind != TokenKind::kNumber) {
      return fail(tok.line, "expected a string id, got " + tok.text);
    }
    const std::string& digits = tok.text;
    if (digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), [](char c) {
          return std::isdigit(static_cast<unsigned char>(c));
        })) {
      return fail(tok.line, "bad string id " + digits);
    }
    const int id = std::stoi(digits);
    if (id > 65535) return fail(tok.line, "string id out of range: " + digits);
    ++*i;
    if (*i < t.size() && t[*i].kind == TokenKind::kComma) ++*i;
    if (*i >= t.size() || t[*i].kind != TokenKind::kString) {
      return fail(tok.line, "expected a quoted string after id " + digits);
    }
    StringEntry entry{id, {}, tok.line};
    while (*i < t.size() && t[*i].kind == TokenKind::kString) entry.text += t[(*i)++].text;
    // The compiled table stores an empty string exactly like a missing one.
    if (entry.text.empty()) return fail(tok.line, "empty string for id " + digits);
    result->entries.push_back(std::move(entry));
  }
}

}  // namespace detail

// Parses the whole script. Fails on any malformed construct and on an id given twice.
inline ParseResult ParseStringTables(std::string_view source) {
  using detail::EqualsNoCase;
  using detail::TokenKind;
  ParseResult result;
  std::vector<detail::Token> t;
  if (!detail::Lexer(source).Run(&t, &result.error)) return result;

  std::size_t i = 0;
  auto fail = [&](int line, const std::string& what) {
    result.error = "line " + std::to_string(line) + ": " + what;
    return result;
  };
  while (i < t.size()) {
    const detail::Token& tok = t[i];
    if (tok.kind == TokenKind::kWord && EqualsNoCase(tok.text, "LANGUAGE")) {
      // LANGUAGE primary, sub
      if (i + 3 >= t.size() || t[i + 2].kind != TokenKind::kComma) {
        return fail(tok.line, "bad LANGUAGE statement");
      }
      i += 4;
      continue;
    }
    if (tok.kind != TokenKind::kWord || !EqualsNoCase(tok.text, "STRINGTABLE")) {
      return fail(tok.line, "expected STRINGTABLE, got " + tok.text);
    }
    // Optional statements (memory flags, LANGUAGE x, y) up to BEGIN.
    ++i;
    while (i < t.size() && !(t[i].kind == TokenKind::kOpen ||
                             (t[i].kind == TokenKind::kWord && EqualsNoCase(t[i].text, "BEGIN")))) {
      if (t[i].kind == TokenKind::kString) return fail(t[i].line, "STRINGTABLE without BEGIN");
      ++i;
    }
    if (i >= t.size()) return fail(tok.line, "STRINGTABLE without BEGIN");
    ++i;
    if (!detail::ParseTable(t, &i, &result)) return result;
  }

  std::vector<const StringEntry*> sorted;
  for (const auto& e : result.entries) sorted.push_back(&e);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const StringEntry* a, const StringEntry* b) { return a->id < b->id; });
  for (std::size_t k = 1; k < sorted.size(); ++k) {
    if (sorted[k]->id == sorted[k - 1]->id) {
      return fail(sorted[k]->line, "string id " + std::to_string(sorted[k]->id) +
                                       " already given on line " +
                                       std::to_string(sorted[k - 1]->line));
    }
  }
  return result;
}

// The bytes of `text` as one C++ string literal in plain ASCII. Every byte outside printable
// ASCII becomes a three-digit octal escape, which can never swallow the character after it.
inline std::string ToCppLiteral(std::string_view text) {
  static constexpr char kOctal[] = "01234567";
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\' || c == '?') {  // '?' so that no "??x" reads as a trigraph
      out += '\\';
      out += ch;
    } else if (c >= 0x20 && c < 0x7F) {
      out += ch;
    } else {
      out += '\\';
      out += kOctal[(c >> 6) & 7];
      out += kOctal[(c >> 3) & 7];
      out += kOctal[c & 7];
    }
  }
  out += '"';
  return out;
}

}  // namespace vireo::rc
