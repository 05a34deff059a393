#include "index/record_io.h"

namespace quillon {

void read_items(FileTable& files, int number, size_t count, std::vector<std::string>* items) {
  items->resize(count);
  for (size_t i = 0; i < count; ++i) (*items)[i] = files.read_token(number);
}

int open_for_input(FileTable& files, const std::string& name) {
  int number = files.free_file_number();
  files.open_input(name, number);
  return number;
}

int open_for_output(FileTable& files, const std::string& name) {
  int number = files.free_file_number();
  files.open_output(name, number);
  return number;
}

}  // namespace quillon
