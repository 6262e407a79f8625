#pragma once
// Tokens of one immediate-window line.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"

namespace vg::vgi {

enum class Tok { End, Ident, Literal, LParen, RParen, Comma, Equals, Dot, Minus, Question };

struct Token {
  Tok kind = Tok::End;
  std::string text;  // identifier text, or the literal as written
  Variant value;     // for literals
  size_t column = 0;
};

class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits a line into tokens; a ' outside a string starts a comment. Numbers: decimal
// (a fraction or exponent makes a Double), &H hex and &O octal; a trailing & makes a Long,
// % an Integer, ! a Single, # a Double. Whole decimal numbers are Integers when they fit
// 16 bits, else Longs, else Doubles. Strings are "..." with "" for a quote.
std::vector<Token> Lex(std::string_view line);

}  // namespace vg::vgi
