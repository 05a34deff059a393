// The three screens every run opens with: terms of use, font advice and the
// installation notice, each closed by a two-way menu.

#ifndef QUILLON_APP_OPENING_SCREENS_H_
#define QUILLON_APP_OPENING_SCREENS_H_

#include <string>

#include "base/console.h"

namespace quillon {

/// "quillon.bas" with "exe" for its last three characters, in lower case.
std::string program_name();

/// `program_path` heads the terms of use, as the program was started.
void show_opening_screens(Console& console, const std::string& program_path);

}  // namespace quillon

#endif  // QUILLON_APP_OPENING_SCREENS_H_
