// The first work phase: every file of compare_in is taken out and back under
// a clean name, files of other kinds leave the folder, and the work folders
// txt_wrk and htm_wrk are made ready.

#ifndef QUILLON_INTAKE_INPUT_INTAKE_H_
#define QUILLON_INTAKE_INPUT_INTAKE_H_

#include "run/run.h"

namespace quillon {

/// Leaves compare_in holding its .txt and .htm files under clean names, a
/// copy of every file in the program's folder, and txt_wrk and htm_wrk empty.
/// No file leaves compare_in before its copy is complete; on a failure the
/// run ends with a message that names the file.
void take_in_input_folder(Run& run);

}  // namespace quillon

#endif  // QUILLON_INTAKE_INPUT_INTAKE_H_
