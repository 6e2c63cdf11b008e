// The units of the windows' fields in words, as a screen reader should say them after the
// field's label: the length window's "mm" is ミリメートル, its "分" is ぶ, the weight
// window's "匁" もんめ.
#pragma once

#include <string_view>

namespace mezura {

// The words for the unit of field `field` ("txtC0") of window `window` ("length"); empty
// for a field that has none.
std::string_view unitWords(std::string_view window, std::string_view field);

} // namespace mezura
