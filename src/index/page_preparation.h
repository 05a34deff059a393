// Turning the HTML files to be indexed (normally the comparison page alone)
// into numbered pages page_NN.htm without control bytes.

#ifndef QUILLON_INDEX_PAGE_PREPARATION_H_
#define QUILLON_INDEX_PAGE_PREPARATION_H_

#include <string>

#include "base/console.h"
#include "run/file_table.h"
#include "run/run.h"
#include "shell/command_layer.h"

namespace quillon {

/// Stages the pages and numbers them with zeros from `page_number_pad`
/// (more when there are more pages), prints the indexing heading and clears
/// the folder of .txt files; ends the run when an HTML file cannot be
/// removed from the folder.
void prepare_pages(Run& run, const std::string& page_number_pad);

/// The steps of prepare_pages, for a caller that makes the pages its own way.
/// Stages the HTML files in htm_in and lists them in the scratch listing;
/// gives the page number pad for their count.
std::string stage_pages(Run& run, const std::string& page_number_pad);
/// Writes `source` to `target` line by line without bytes below 16.
void strip_into(FileTable& files, const std::string& source, const std::string& target);
/// Prints the indexing heading and clears the folder of .txt files.
void start_indexing(Console& console, CommandLayer& commands);

/// The page number width for `count` files: raised from `pad`, never lowered.
std::string raised_page_number_pad(const std::string& pad, long count);

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_PREPARATION_H_
