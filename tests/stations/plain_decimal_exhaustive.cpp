// Every text of 1 to 8 digits (leading zeros too), with the point after each
// digit or nowhere, through the fast path for plain decimals, each held to
// from_chars. Too long for the test suite (about 10^9 texts); run by hand:
//   build/tests/stations/plain_decimal_exhaustive [FIRST_COUNT [LAST_COUNT]]
// Prints each differing text (at most 20) and the number checked; exit
// status 1 on any difference.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "stations/plain_decimal_check.h"

int main(int argc, char** argv) {
  const int first = argc > 1 ? std::atoi(argv[1]) : 1;
  const int last = argc > 2 ? std::atoi(argv[2]) : 8;
  dedup::testing::PlainDecimalCheck check;
  std::uint64_t checked = 0;
  std::uint64_t wrong = 0;
  for (int count = first; count <= last; ++count) {
    std::uint64_t end = 1;
    for (int i = 0; i < count; ++i) end *= 10;
    std::string digits(static_cast<std::size_t>(count), '0');
    std::string text;
    for (std::uint64_t number = 0; number < end; ++number) {
      std::uint64_t rest = number;
      for (std::size_t i = digits.size(); i-- > 0; rest /= 10) digits[i] = static_cast<char>('0' + rest % 10);
      for (int point = 1; point <= count + 1; ++point) {
        text.assign(digits, 0, static_cast<std::size_t>(point));
        if (point <= count) text.append(".").append(digits, static_cast<std::size_t>(point));
        const std::string differs = check.differs(text);
        ++checked;
        if (!differs.empty() && ++wrong <= 20) std::printf("%s: %s\n", text.c_str(), differs.c_str());
      }
    }
    std::printf("%d digits done, %llu texts checked, %llu differ\n", count,
                static_cast<unsigned long long>(checked), static_cast<unsigned long long>(wrong));
    std::fflush(stdout);
  }
  return wrong == 0 ? 0 : 1;
}
