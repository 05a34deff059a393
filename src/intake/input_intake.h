// The first work phase: every file of compare_in is taken out and back under
// a clean name, files of other kinds leave the folder, and the work folders
// txt_wrk and htm_wrk are made ready.

#ifndef QUILLON_INTAKE_INPUT_INTAKE_H_
#define QUILLON_INTAKE_INPUT_INTAKE_H_

#include <map>
#include <string>
#include <vector>

#include "run/run.h"

namespace quillon {

/// The clean name of every file entry of compare_in (given name to clean
/// name), as the intake gives them in listing order: a name that would grow
/// past the longest name a disk takes is cut to fit, keeping its extension,
/// and made unique among the entries and the names given before.
std::map<std::string, std::string> clean_names(const std::vector<DirEntry>& entries);

/// True when a file of compare_in under this name would meet one of the
/// run's own files in the program's folder: it stays in compare_in.
bool named_like_run_file(const std::string& name);

/// Leaves compare_in holding its .txt and .htm files under clean names, a
/// copy of every file in the program's folder, and txt_wrk and htm_wrk empty.
/// No file leaves compare_in before its copy is complete; on a failure the
/// run ends with a message that names the file.
void take_in_input_folder(Run& run);

}  // namespace quillon

#endif  // QUILLON_INTAKE_INPUT_INTAKE_H_
