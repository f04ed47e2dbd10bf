#ifndef QUORVALE_TASKS_RANDOM_H_
#define QUORVALE_TASKS_RANDOM_H_

#include <cstdint>

namespace quorvale {

// The program's own pseudo-random generator, the same on every platform and
// compiler so that a task number always gives the same exercise: a 32-bit
// linear congruential generator whose values are 15 bits wide, as the
// classic C library rand() returns them.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}

  // Starts the sequence again from seed (what srand does).
  void seed(std::uint32_t seed) { state_ = seed; }

  // The next value, 0 to 32767 (what rand does).
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

 private:
  std::uint32_t state_;
};

}  // namespace quorvale

#endif  // QUORVALE_TASKS_RANDOM_H_
