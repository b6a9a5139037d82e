// Word reading and strict number parsing for the plotter's inputs.
#include "words.h"

#include <charconv>
#include <cstdlib>

namespace fractrace {
namespace {

bool isSpace(int ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Counts the digits at word[pos...] and moves pos past them.
std::size_t skipDigits(std::string_view word, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < word.size() && isDigit(word[pos])) ++pos;
  return pos - start;
}

bool hasSign(std::string_view word) {
  return !word.empty() && (word[0] == '+' || word[0] == '-');
}

bool isDecimalInteger(std::string_view word) {
  std::size_t pos = hasSign(word) ? 1 : 0;
  return skipDigits(word, pos) > 0 && pos == word.size();
}

bool isDecimalReal(std::string_view word) {
  std::size_t pos = hasSign(word) ? 1 : 0;
  std::size_t mantissaDigits = skipDigits(word, pos);
  if (pos < word.size() && word[pos] == '.') {
    ++pos;
    mantissaDigits += skipDigits(word, pos);
  }
  if (mantissaDigits == 0) return false;
  if (pos < word.size() && (word[pos] == 'e' || word[pos] == 'E')) {
    ++pos;
    if (pos < word.size() && (word[pos] == '+' || word[pos] == '-')) ++pos;
    if (skipDigits(word, pos) == 0) return false;
  }
  return pos == word.size();
}

// from_chars takes no leading '+'.
std::string_view withoutPlus(std::string_view word) {
  return (!word.empty() && word[0] == '+') ? word.substr(1) : word;
}

// from_chars leaves the value alone when it is out of range. The word is
// plain decimal by now, and this program never changes the C locale, so strtod
// reads it whole and gives the infinity or the zero the C library would give.
double outOfRangeValue(std::string_view word) {
  const std::string text(word);
  return std::strtod(text.c_str(), nullptr);
}

}  // namespace

std::optional<std::string> readWord(std::FILE* in) {
  int ch = std::getc(in);
  while (ch != EOF && isSpace(ch)) ch = std::getc(in);
  if (ch == EOF) return std::nullopt;
  std::string word;
  while (ch != EOF && !isSpace(ch)) {
    word.push_back(static_cast<char>(ch));
    ch = std::getc(in);
  }
  return word;
}

Parsed<int32_t> parseInt32(std::string_view word) {
  if (!isDecimalInteger(word)) return {NumberStatus::notANumber, 0};
  const std::string_view digits = withoutPlus(word);
  int32_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) return {NumberStatus::outOfRange, 0};
  return {NumberStatus::ok, value};
}

Parsed<double> parseReal(std::string_view word) {
  if (!isDecimalReal(word)) return {NumberStatus::notANumber, 0.0};
  const std::string_view text = withoutPlus(word);
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) value = outOfRangeValue(word);
  return {NumberStatus::ok, value};
}

}  // namespace fractrace
