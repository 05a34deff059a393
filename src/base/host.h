// The small things in which the platforms differ for the commands and the
// pages: the local calendar time, and how a program path is spelled.

#ifndef QUILLON_BASE_HOST_H_
#define QUILLON_BASE_HOST_H_

#include <ctime>
#include <string>

namespace quillon {

/// `when` (seconds since 1970) in the local time zone.
struct tm local_time(time_t when);

/// A program path ("txt_in\*.txt") with the separators the platform's own
/// messages show.
std::string native_separators(const std::string& path);

}  // namespace quillon

#endif  // QUILLON_BASE_HOST_H_
