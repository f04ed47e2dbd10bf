#ifndef QUORVALE_FUZZ_FUZZ_CHECK_H_
#define QUORVALE_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

// What a fuzz target does when a property it checks does not hold: print
// which one and where, then abort, so that libFuzzer keeps the input as a
// crash and the sanitizers print a stack.
#define FUZZ_REQUIRE(condition)                                                             \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

#endif  // QUORVALE_FUZZ_FUZZ_CHECK_H_
