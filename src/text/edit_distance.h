#ifndef QUORVALE_TEXT_EDIT_DISTANCE_H_
#define QUORVALE_TEXT_EDIT_DISTANCE_H_

#include <string_view>

namespace quorvale {

// The number of edits that turn a into b: characters put in, left out or
// changed, and two neighbours swapped ("mothr" is 1 from "mother", "Sabel"
// 1 from "Sable"), counted as Damerau did, each character edited once.
// Stops counting above `most`, returning most + 1: a caller asks only
// whether two words are close.
int editDistance(std::u32string_view a, std::u32string_view b, int most);

}  // namespace quorvale

#endif  // QUORVALE_TEXT_EDIT_DISTANCE_H_
