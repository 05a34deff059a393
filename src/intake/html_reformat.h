// HTML inputs: every .htm file of compare_in gets a .txt twin made of the
// text lines of its body, after clashing names have been put to the user.

#ifndef QUILLON_INTAKE_HTML_REFORMAT_H_
#define QUILLON_INTAKE_HTML_REFORMAT_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// The stem the clash test compares: the trimmed entry cut before ".htm",
/// else before ".txt" (ASCII case ignored); false when it holds neither.
bool clash_stem(const std::string& entry, std::string* stem);

/// Reports each stem that two entries of compare_in share, where key "1"
/// ends the run and key "2" goes on; then writes a .txt twin of every .htm
/// file into the program's folder and copies it into compare_in.
void reformat_html_inputs(Run& run);

}  // namespace quillon

#endif  // QUILLON_INTAKE_HTML_REFORMAT_H_
