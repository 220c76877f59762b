#include "export/number_format.h"

namespace {

class FormatPunctuation : public std::numpunct<char> {
 public:
  explicit FormatPunctuation(const NumberFormat& format) : format_(format) {}

 protected:
  char do_decimal_point() const override { return format_.decimalPoint; }
  char do_thousands_sep() const override { return format_.thousandsSeparator; }
  std::string do_grouping() const override { return format_.grouping; }

 private:
  const NumberFormat format_;
};

}  // namespace

std::locale numberLocale(const NumberFormat& format) {
  return std::locale(std::locale::classic(), new FormatPunctuation(format));
}
