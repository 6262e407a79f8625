#include "tools/vgi/lexer.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/automation/conversions.h"

namespace vg::vgi {
namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

Variant TypedNumber(double value, bool integral, char suffix, const std::string& text) {
  auto overflow = [&] { return SyntaxError("number out of range: " + text); };
  switch (suffix) {
    case '%':
      if (!integral || value < -32768 || value > 32767) throw overflow();
      return Variant::Integer(static_cast<int16_t>(value));
    case '&':
      if (!integral || value < -2147483648.0 || value > 2147483647.0) throw overflow();
      return Variant::Long(static_cast<int32_t>(value));
    case '!':
      return Variant::Single(static_cast<float>(value));
    case '#':
      return Variant::Double(value);
    default:
      break;
  }
  if (!integral) return Variant::Double(value);
  if (value >= -32768 && value <= 32767) return Variant::Integer(static_cast<int16_t>(value));
  if (value >= -2147483648.0 && value <= 2147483647.0)
    return Variant::Long(static_cast<int32_t>(value));
  return Variant::Double(value);
}

Token LexRadix(std::string_view line, size_t& i) {
  size_t start = i;
  int base = (line[i + 1] == 'H' || line[i + 1] == 'h') ? 16 : 8;
  i += 2;
  size_t digits_start = i;
  while (i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) ++i;
  std::string_view digits = line.substr(digits_start, i - digits_start);
  uint64_t value = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() ||
      value > 0xFFFFFFFFull)
    throw SyntaxError("bad number: " + std::string(line.substr(start, i - start)));
  bool long_suffix = i < line.size() && line[i] == '&';
  if (long_suffix) ++i;
  Token t;
  t.kind = Tok::Literal;
  t.text = std::string(line.substr(start, i - start));
  t.column = start;
  // Without a suffix a literal that fits 16 bits is an Integer (&HFFFF is -1).
  if (!long_suffix && value <= 0xFFFF)
    t.value = Variant::Integer(static_cast<int16_t>(static_cast<uint16_t>(value)));
  else
    t.value = Variant::Long(static_cast<int32_t>(static_cast<uint32_t>(value)));
  return t;
}

Token LexNumber(std::string_view line, size_t& i) {
  size_t start = i;
  bool integral = true;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i < line.size() && line[i] == '.') {
    integral = false;
    ++i;
    while (i < line.size() && IsDigit(line[i])) ++i;
  }
  if (i < line.size() && (line[i] == 'e' || line[i] == 'E')) {
    size_t save = i++;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
    if (i < line.size() && IsDigit(line[i])) {
      integral = false;
      while (i < line.size() && IsDigit(line[i])) ++i;
    } else {
      i = save;
    }
  }
  std::string body(line.substr(start, i - start));
  char suffix = 0;
  if (i < line.size() && (line[i] == '&' || line[i] == '%' || line[i] == '!' || line[i] == '#'))
    suffix = line[i++];
  auto parsed = ParseNumericText(body);
  if (!parsed || std::isinf(*parsed)) throw SyntaxError("bad number: " + body);
  Token t;
  t.kind = Tok::Literal;
  t.text = std::string(line.substr(start, i - start));
  t.column = start;
  t.value = TypedNumber(*parsed, integral, suffix, t.text);
  return t;
}

Token LexString(std::string_view line, size_t& i) {
  size_t start = i++;
  std::string text;
  for (;;) {
    if (i >= line.size()) throw SyntaxError("unterminated string");
    if (line[i] == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        text += '"';
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    text += line[i++];
  }
  Token t;
  t.kind = Tok::Literal;
  t.text = std::string(line.substr(start, i - start));
  t.column = start;
  t.value = Variant::String(std::move(text));
  return t;
}

}  // namespace

std::vector<Token> Lex(std::string_view line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '\'') break;
    if (IsIdentStart(c)) {
      size_t start = i;
      while (i < line.size() && IsIdentChar(line[i])) ++i;
      // Type suffixes on names are accepted and ignored.
      if (i < line.size() && (line[i] == '$')) ++i;
      Token t;
      t.kind = Tok::Ident;
      t.text = std::string(line.substr(start, i - start));
      if (t.text.back() == '$') t.text.pop_back();
      t.column = start;
      tokens.push_back(std::move(t));
      continue;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1]))) {
      tokens.push_back(LexNumber(line, i));
      continue;
    }
    if (c == '&' && i + 1 < line.size() &&
        std::string_view("HhOo").find(line[i + 1]) != std::string_view::npos) {
      tokens.push_back(LexRadix(line, i));
      continue;
    }
    if (c == '"') {
      tokens.push_back(LexString(line, i));
      continue;
    }
    Token t;
    t.column = i;
    t.text = std::string(1, c);
    switch (c) {
      case '(':
        t.kind = Tok::LParen;
        break;
      case ')':
        t.kind = Tok::RParen;
        break;
      case ',':
        t.kind = Tok::Comma;
        break;
      case '=':
        t.kind = Tok::Equals;
        break;
      case '.':
        t.kind = Tok::Dot;
        break;
      case '-':
        t.kind = Tok::Minus;
        break;
      case '?':
        t.kind = Tok::Question;
        break;
      default:
        throw SyntaxError(std::string("unexpected character '") + c + "'");
    }
    ++i;
    tokens.push_back(std::move(t));
  }
  Token end;
  end.kind = Tok::End;
  end.column = line.size();
  tokens.push_back(end);
  return tokens;
}

}  // namespace vg::vgi
