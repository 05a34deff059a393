#include "app/usage.h"

#include <string>

#include "compare/comparison_page.h"
#include "run/product.h"

namespace quillon {

std::string usage_text() {
  return std::string(
             "Usage: quillon [OPTIONS] FIRST SECOND\n"
             "       quillon [--part-size=BYTES] [--quiet]   (the console dialogue)\n"
             "       quillon --clean [--yes]\n"
             "\n"
             "Puts two UTF-8 text (or HTML) files side by side and makes every word of\n"
             "three bytes or more searchable, as linked HTML pages: compare.htm (the\n"
             "files side by side), page_01.htm (every word clickable), i_*.htm,\n"
             "s_*.htm, files_list.htm and index.htm; and changes.htm, the two files\n"
             "aligned row by row with the changed words marked (changes_2.htm, ...\n"
             "when it is long).\n"
             "\n"
             "With two files it does the whole job without a question: FIRST in the\n"
             "left column, SECOND in the right. A name ending in .htm or .html is an\n"
             "HTML input, any other a text. The files are only read; the run works in\n"
             "a private folder beside the output folder, which it removes however the\n"
             "run ends. It prints one line, the page to open (xdg-open \"$(quillon a b)\").\n"
             "\n"
             "  -o, --output=DIR       the folder for the pages (default htm_out);\n"
             "                         made if missing, replaced only when it holds\n"
             "                         nothing but the pages quillon wrote there\n"
             "      --width=N          the table width in percent, a number greater\n"
             "                         than 0 such as 80 or 62.5 (default 100)\n"
             "      --site=HOST        restrict the web-search links to this address:\n"
             "                         letters, digits and . - _ / : ~ (default none)\n"
             "      --part-size=BYTES  index a comparison larger than this in parts\n"
             "                         of about this size (default ") +
         std::to_string(kDefaultPartSize) +
         std::string(
             "; 0: one page)\n"
             "  -q, --quiet            no progress line on a terminal\n"
             "      --jobs=N           threads for indexing (default 0: one a core);\n"
             "                         the pages are the same for any number\n"
             "      --clean            remove what earlier runs left in this folder\n"
             "      --yes              with --clean: also work names it did not record\n"
             "  -h, --help             print this text\n"
             "      --version          print the version\n"
             "Every value may also follow its option after a blank (--width 80).\n"
             "\n"
             "A comparison larger than a part is indexed in parts, page_01.htm,\n"
             "page_02.htm, ..., each a stretch of both files side by side, numbered\n"
             "with the digits the count of parts needs (page_001.htm from 11 parts on,\n"
             "page_0001.htm from 101), so that a browser opens every page quickly;\n"
             "compare.htm stays whole, and a long index of all words goes on in\n"
             "index_2.htm, ...\n"
             "\n"
             "Without files it is the console dialogue: start it in a folder of its\n"
             "own that holds only a folder compare_in with the files to compare, and\n"
             "answer the opening screens, the two files from a numbered list, the\n"
             "table width and the web address; the pages land in htm_out. It creates\n"
             "and deletes work files and folders there (*.txt, *.htm, its *.list and\n"
             "*.tmp files, txt_in, txt_wrk, htm_in, htm_wrk, htm_out, wrd_24), and keeps\n"
             "a record of them, .quillon-files: it sees, changes and removes only what\n"
             "the record names, and your other files there stay as they are. A name it\n"
             "would write that is taken by something not its own (a file of yours named\n"
             "like a work file, a link), or two files of compare_in that would get one\n"
             "clean name, make it name them and stop, changing nothing. Only one run\n"
             "works in a folder at a time. Files in compare_in get clean names (letters\n"
             "and digits only in the name part); other kinds of files are moved out of\n"
             "compare_in into the folder, where they are yours, each named in a\n"
             "warning. Markup in a .txt file is shown as text; an HTML file gets a .txt\n"
             "twin of its body that keeps its markup. --clean removes what earlier runs\n"
             "left: what the record names, except the pages in htm_out; work names the\n"
             "record does not name go only after a y at a terminal, or with --yes.\n"
             "When standard input is not a terminal, it is read as the answers, a byte\n"
             "a key:  printf '1111\\n2\\n\\n\\nx' | quillon\n"
             "\n"
             "Exit status: 0 the pages were delivered whole (or the dialogue ended at\n"
             "one of its screens); 1 the run failed: it says what failed, nothing\n"
             "earlier is lost; 2 refused before anything was touched (a usage error,\n"
             "a missing, unreadable or non-text input, a folder given as a file, an\n"
             "output folder or a dialogue folder that is not quillon's own, no\n"
             "compare_in, two inputs that would share a name, another run working\n"
             "there); 130 on Ctrl-C.\n"
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
