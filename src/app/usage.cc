#include "app/usage.h"

#include <string>

#include "compare/comparison_page.h"
#include "run/product.h"

namespace quillon {

std::string usage_text() {
  return std::string(
             "Usage: quillon [--help | --version | --part-size=BYTES | --clean [--yes]]\n"
             "               [--quiet]\n"
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
             "A comparison larger than a part (") +
         std::to_string(kDefaultPartSize) +
         std::string(
             " bytes of page) is indexed in parts,\n"
             "page_01.htm, page_02.htm, ..., each a stretch of both files side by side,\n"
             "numbered with the digits the count of parts needs (page_001.htm from 11\n"
             "parts on, page_0001.htm from 101), so that a browser opens every page\n"
             "quickly; compare.htm stays whole, and a\n"
             "long index of all words goes on in index_2.htm, ... --part-size=BYTES sets\n"
             "the size of a part; --part-size=0 indexes the comparison as one page.\n"
             "\n"
             "Start it in a folder of its own that holds only compare_in. It creates\n"
             "and deletes work files and folders there (*.txt, *.htm, its *.list and\n"
             "*.tmp files, txt_in, txt_wrk, htm_in, htm_wrk, htm_out, wrd_24), and keeps\n"
             "a record of them, .quillon-files: it sees, changes and removes only what\n"
             "the record names, and your other files there stay as they are. A name it\n"
             "would write that is taken by something not its own (a file of yours named\n"
             "like a work file, a link), or two files of compare_in that would get one\n"
             "clean name, make it name them and stop with exit status 2, changing\n"
             "nothing. Only one run works in a folder at a time; a second one stops\n"
             "with status 2. Files in compare_in get clean names (letters and digits\n"
             "only in the name part); other kinds of files are moved out of compare_in\n"
             "into the folder, where they are yours, each named in a warning. Markup in\n"
             "a .txt file is shown as text; an HTML file gets a .txt twin of its body\n"
             "that keeps its markup. After a run the work folders keep copies of the\n"
             "inputs; a run that was interrupted leaves work files that the next run\n"
             "replaces.\n"
             "\n"
             "--clean removes what earlier runs left: what the record names, except the\n"
             "pages in htm_out. Work names the record does not name are listed and go\n"
             "only after a y at a terminal, or with --yes.\n"
             "\n"
             "Exit status: 0 when the run did its job or ended at one of its screens, 1\n"
             "when it failed (a file it could not write, a full disk: it says what and\n"
             "why, and removes its work files), 2 when it was refused (an unknown\n"
             "argument, no compare_in, a folder that is not its own, another run\n"
             "working there).\n"
             "\n"
             "When standard input is not a terminal, it is read as scripted answers:\n"
             "every byte is one key press, and an answer line ends at a line feed. For\n"
             "example  printf '1111\\n2\\n\\n\\nx' | quillon  accepts the three opening\n"
             "screens, compares files 1 and 2 of the list at full width with no web\n"
             "address, and ends at the results screen.\n"
             "\n"
             "At a terminal, long indexing work shows a progress line below the last\n"
             "console line (a bar, how much is done, the step), erased before the next\n"
             "line. It never reaches a file or a pipe, nor a terminal without cursor\n"
             "control (TERM=dumb); --quiet (-q) or QUILLON_PROGRESS=0 turns it off.\n"
             "\n"
             "More: ") +
         kProductAddress + "\n";
}

std::string version_text() {
  return std::string("quillon ") + kVersion + "\n";
}

}  // namespace quillon
