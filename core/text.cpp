#include "core/text.h"

#include <locale.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace morvath {
namespace {

// The game writes its numbers with a decimal point, in its labels and in every save. The
// process locale may want a decimal comma instead (the windows take on the desktop's language
// at start, and with it its numbers), and strtod and printf follow that locale: "2.5" would read
// as 2 and 25.25 would be written "25,25", which reads back as 25. Both conversions therefore
// run in the "C" locale, whatever the rest of the program uses.
class PointLocale {
 public:
  PointLocale() : previous_(Point() ? uselocale(Point()) : nullptr) {}
  ~PointLocale() {
    if (previous_) uselocale(previous_);
  }
  PointLocale(const PointLocale&) = delete;
  PointLocale& operator=(const PointLocale&) = delete;

 private:
  static locale_t Point() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
  }
  locale_t previous_;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at the start of text (after blanks were skipped), 0 when there is none.
size_t NumberLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when at least one digit follows it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

double Val(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  text.remove_prefix(start);
  const size_t length = NumberLength(text);
  if (length == 0) return 0.0;
  const std::string number(text.substr(0, length));
  const PointLocale point;
  errno = 0;
  double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) value = std::signbit(value) ? -DBL_MAX : DBL_MAX;
  if (std::isnan(value)) value = 0.0;
  return value;
}

std::string Str(double number) {
  if (std::isnan(number)) return "0";
  if (std::isinf(number)) number = std::signbit(number) ? -DBL_MAX : DBL_MAX;
  if (number == 0.0) return "0";  // also turns -0 into 0
  char buffer[64];
  {
    const PointLocale point;
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
  }
  std::string text(buffer);
  // %G already drops trailing zeros of the fraction; tidy the exponent to the shortest form.
  const size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    const char sign = text[e + 1];
    std::string digits = text.substr(e + 2);
    while (digits.size() > 1 && digits.front() == '0') digits.erase(digits.begin());
    text = mantissa + "E" + sign + digits;
  }
  return text;
}

bool IsNumber(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  size_t end = text.size();
  while (end > start && IsBlank(text[end - 1])) --end;
  text = text.substr(start, end - start);
  return !text.empty() && NumberLength(text) == text.size();
}

}  // namespace morvath
