// Choosing the two files to compare from the numbered list of compare_in,
// and the width of the comparison table.

#ifndef QUILLON_INTAKE_FILE_SELECTION_H_
#define QUILLON_INTAKE_FILE_SELECTION_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Lines of the listing that contain ".txt" in lower case exactly.
long text_file_count(FileTable& files, const std::string& listing);

/// The table width for an answer: the number and "%", or "100%" for 0.
std::string table_width_for(int32_t number);

/// Makes the remaining work folders, lets the user pick two files, which go
/// to txt_in, and gives the table width asked for; leaves htm_in and htm_out
/// empty. Ends the run when compare_in holds too few text files or a choice
/// is invalid.
std::string select_input_files(Run& run);

}  // namespace quillon

#endif  // QUILLON_INTAKE_FILE_SELECTION_H_
