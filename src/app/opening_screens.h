// The three screens every run opens with: terms of use, font advice and the
// installation notice, each closed by a two-way menu.

#ifndef QUILLON_APP_OPENING_SCREENS_H_
#define QUILLON_APP_OPENING_SCREENS_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// "quillon.bas" with "exe" for its last three characters, in lower case.
std::string program_name();

void show_opening_screens(Run& run);

}  // namespace quillon

#endif  // QUILLON_APP_OPENING_SCREENS_H_
