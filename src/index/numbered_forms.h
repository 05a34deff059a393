// The forms in which the test model calls pieces of the index: with the
// whole run, writing into files of its table by number. The program itself
// calls the forms that take what they use.

#ifndef QUILLON_INDEX_NUMBERED_FORMS_H_
#define QUILLON_INDEX_NUMBERED_FORMS_H_

#include <string>

#include "index/highlight_script.h"
#include "index/page_heads.h"
#include "index/page_preparation.h"
#include "run/run.h"

namespace quillon {

inline void write_common_head(Run& run, int file) {
  run.files.print_text(file, common_head_text());
}
inline void write_search_page_head(Run& run, int file) {
  run.files.print_text(file, search_page_head_text());
}
inline void write_highlight_script(Run& run, int file) {
  run.files.print_text(file, highlight_script_text());
}
inline void strip_into(Run& run, const std::string& source, const std::string& target) {
  strip_into(run.files, source, target);
}
inline void start_indexing(Run& run) {
  start_indexing(run.console, run.commands);
}

}  // namespace quillon

#endif  // QUILLON_INDEX_NUMBERED_FORMS_H_
