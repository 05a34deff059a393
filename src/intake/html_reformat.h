// HTML inputs: every .htm file of compare_in gets a .txt twin made of the
// text lines of its body, after clashing names have been put to the user.

#ifndef QUILLON_INTAKE_HTML_REFORMAT_H_
#define QUILLON_INTAKE_HTML_REFORMAT_H_

#include <set>
#include <string>

#include "run/run.h"

namespace quillon {

/// The stem the clash test compares: the trimmed entry cut before ".htm",
/// else before ".txt" (ASCII case ignored); false when it holds neither.
bool clash_stem(const std::string& entry, std::string* stem);

/// The name of the .txt twin of an entry of compare_in: the trimmed entry up
/// to its ".htm" (ASCII case ignored) and ".txt"; empty when it holds none.
std::string text_twin_name(const std::string& entry);

/// The text of the twin of the HTML file at the disk path `html`: the
/// trimmed lines after the line that opens the body ("<body>", or the tag
/// with attributes alone on its line) and before "</body>", "<pre>" lines
/// left out, each ended by CR LF; `*has_body` tells whether a line opened
/// the body. False when the file cannot be read to its end.
bool text_twin(Disk& disk, const std::string& html, std::string* text, bool* has_body = nullptr);

/// Reports each stem that two entries of compare_in share, where key "1"
/// ends the run and key "2" goes on; then writes a .txt twin of every .htm
/// file into the program's folder, copies it into compare_in and warns of
/// each HTML input without a body. Gives the names of the twins written in
/// the program's folder, where each holds the text of its HTML input.
std::set<std::string> reformat_html_inputs(Run& run);

}  // namespace quillon

#endif  // QUILLON_INTAKE_HTML_REFORMAT_H_
