// The web address the search links of the index are restricted to.

#ifndef QUILLON_COMPARE_DESTINATION_ADDRESS_H_
#define QUILLON_COMPARE_DESTINATION_ADDRESS_H_

#include <string>

#include "base/console.h"

namespace quillon {

/// Asks for the address and gives the first field of the answer as typed;
/// empty means the search is not restricted.
std::string ask_destination_address(Console& console);

}  // namespace quillon

#endif  // QUILLON_COMPARE_DESTINATION_ADDRESS_H_
