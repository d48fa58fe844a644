// The exhaustive check of the fast fixed-point fields: every one of the 2^32
// float bit patterns, in each of the three layouts the result files use,
// must come out of put_gap_and_field exactly as render_field writes it.
// Far too long for the test suite (which sweeps the boundaries instead), so
// run apart:  build/tests/output/field_exhaustive [THREADS]
// Prints the count checked and each disagreement; exit status 1 on any.

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "output/field_agreement.h"

namespace {

std::atomic<std::uint64_t> disagreements{0};

template <std::size_t Width, int Decimals>
void check(std::uint64_t begin, std::uint64_t end) {
  for (std::uint64_t bits = begin; bits < end; ++bits) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (!dedup::testing::fields_agree<Width, Decimals>(value)) {
      if (disagreements++ < 20) std::printf("(%zu,%d) disagree at %a\n", Width, Decimals, static_cast<double>(value));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const auto threads = static_cast<unsigned>(std::max(1, argc > 1 ? std::atoi(argv[1]) : 1));
  constexpr std::uint64_t kAll = std::uint64_t{1} << 32;
  std::vector<std::thread> workers;
  for (unsigned k = 0; k < threads; ++k) {
    workers.emplace_back([k, threads] {
      const std::uint64_t part = kAll / threads;
      const std::uint64_t begin = k * part;
      const std::uint64_t end = k + 1 == threads ? kAll : begin + part;
      check<12, 6>(begin, end);
      check<10, 6>(begin, end);
      check<8, 2>(begin, end);
    });
  }
  for (std::thread& worker : workers) worker.join();
  std::printf("%llu floats in 3 layouts checked, %llu disagree\n", static_cast<unsigned long long>(kAll),
              static_cast<unsigned long long>(disagreements.load()));
  return disagreements.load() == 0 ? 0 : 1;
}
