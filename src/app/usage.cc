#include "app/usage.h"

#include "run/product.h"

namespace quillon {

std::string usage_text() {
  return std::string(
             "Usage: quillon [--help | --version]\n"
             "\n"
             "Puts two UTF-8 text (or HTML) files side by side and makes every word of\n"
             "three bytes or more searchable.\n"
             "\n"
             "Run it in a folder of its own that has a subfolder compare_in holding the\n"
             "files to compare. A short console dialogue follows: terms of use, the two\n"
             "files from a numbered list, the table width and an optional web address\n"
             "that search links are restricted to. The finished pages land in htm_out:\n"
             "compare.htm (the files side by side), page_01.htm (every word clickable),\n"
             "i_*.htm, s_*.htm, files_list.htm and index.htm.\n"
             "\n"
             "The program creates and deletes work files and folders in the folder it\n"
             "runs in (*.txt, *.htm, the run's *.list files, txt_in, txt_wrk, htm_in,\n"
             "htm_wrk, htm_out, wrd_24), so keep nothing else of yours there. Files in\n"
             "compare_in get clean names (letters and digits only in the name part);\n"
             "other kinds of files are moved out of compare_in into the folder.\n"
             "\n"
             "When standard input is not a terminal, it is read as scripted answers:\n"
             "every byte is one key press, and an answer line ends at a line feed. For\n"
             "example  printf '1111\\n2\\n\\n\\nx' | quillon  accepts the three opening\n"
             "screens, compares files 1 and 2 of the list at full width with no web\n"
             "address, and ends at the results screen.\n"
             "\n"
             "More: ") +
         kProductAddress + "\n";
}

std::string version_text() {
  return std::string("quillon ") + kVersion + "\n";
}

}  // namespace quillon
