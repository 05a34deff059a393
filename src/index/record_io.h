// Reading the quoted records of the word and group files item by item.

#ifndef QUILLON_INDEX_RECORD_IO_H_
#define QUILLON_INDEX_RECORD_IO_H_

#include <string>
#include <vector>

#include "run/file_table.h"

namespace quillon {

/// Reads `count` items with `read_token` into `items` (resized to fit).
void read_items(FileTable& files, int number, size_t count, std::vector<std::string>* items);

/// Opens a file of the folder for reading or writing on a fresh number.
int open_for_input(FileTable& files, const std::string& name);
int open_for_output(FileTable& files, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_INDEX_RECORD_IO_H_
