// The pages of a group as the straightforward procedure writes them, from
// the group files of quoted records, and the reading of those records.

#ifndef QUILLON_MODEL_MODEL_PAGES_H_
#define QUILLON_MODEL_MODEL_PAGES_H_

#include <string>
#include <vector>

#include "run/run.h"

namespace quillon {

/// Reads `count` items with `read_token` into `items` (resized to fit).
void read_items(FileTable& files, int number, size_t count, std::vector<std::string>* items);

/// Opens a file of the folder for reading or writing on a fresh number.
int open_for_input(FileTable& files, const std::string& name);
int open_for_output(FileTable& files, const std::string& name);

/// i_[group].htm from wrd_14_[group].txt, and files_list.htm anew from
/// group_page_all_sort.txt.
void model_write_group_index_page(Run& run, int group);

/// s_[group].htm from wrd_12_[group].txt.
void model_write_group_search_page(Run& run, int group, const std::string& destination_site);

}  // namespace quillon

#endif  // QUILLON_MODEL_MODEL_PAGES_H_
