#include "app/usage.h"

#include <string>

#include "compare/comparison_page.h"
#include "run/product.h"

namespace quillon {

std::string usage_text() {
  return std::string(
             "Usage: quillon [--help | --version | --part-size=BYTES]\n"
             "\n"
             "Puts two UTF-8 text (or HTML) files side by side and makes every word of\n"
             "three bytes or more searchable.\n"
             "\n"
             "Run it in a folder of its own that has a subfolder compare_in holding the\n"
             "files to compare. A short console dialogue follows: terms of use, the two\n"
             "files from a numbered list, the table width and an optional web address\n"
             "that search links are restricted to. The finished pages land in htm_out:\n"
             "compare.htm (the files side by side), page_01.htm (every word clickable),\n"
             "i_*.htm, s_*.htm, files_list.htm and index.htm; and changes.htm, the two\n"
             "files aligned row by row with the changed words marked (changes_2.htm, ...\n"
             "when it is long).\n"
             "\n"
             "A comparison larger than a part (") +
         std::to_string(kDefaultPartSize) +
         std::string(
             " bytes of page) is indexed in parts,\n"
             "page_001.htm, page_002.htm, ..., each a stretch of both files side by side,\n"
             "so that a browser opens every page quickly; compare.htm stays whole, and a\n"
             "long index of all words goes on in index_2.htm, ... --part-size=BYTES sets\n"
             "the size of a part; --part-size=0 indexes the comparison as one page.\n"
             "\n"
             "Start it in a folder of its own that holds only compare_in. It creates\n"
             "and deletes work files and folders there (*.txt, *.htm, its *.list and\n"
             "*.tmp files, txt_in, txt_wrk, htm_in, htm_wrk, htm_out, wrd_24). Before it\n"
             "touches anything it checks that all of these are its own: a file of yours\n"
             "there (or a link, or a work folder spelled in another case) makes it name\n"
             "what is in the way and stop with exit status 2, changing nothing. Only\n"
             "one run works in a folder at a time; a second one stops with status 2.\n"
             "Files in compare_in get clean names (letters and digits only in the name\n"
             "part); other kinds of files are moved out of compare_in into the folder.\n"
             "After a run the work folders keep copies of the inputs; a run that was\n"
             "interrupted leaves work files that the next run accepts and replaces.\n"
             "\n"
             "Exit status: 0 when the run did its job or ended at one of its screens, 1\n"
             "when it failed (a file it could not write, a full disk: it says what and\n"
             "why, and removes its work files), 2 when it was refused (an unknown\n"
             "argument, a folder that is not its own, another run working there).\n"
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
