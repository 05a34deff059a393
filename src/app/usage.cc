#include "app/usage.h"

#include <string>

#include "compare/comparison_page.h"
#include "run/product.h"

namespace quillon {

std::string usage_text() {
  return std::string(
             "Usage: quillon [OPTIONS] FIRST SECOND\n"
             "       quillon [--part-size=BYTES]         (the console dialogue)\n"
             "\n"
             "Puts two UTF-8 text (or HTML) files side by side and makes every word of\n"
             "three bytes or more searchable, as linked HTML pages: compare.htm (the\n"
             "files side by side), page_01.htm (every word clickable), i_*.htm,\n"
             "s_*.htm, files_list.htm and index.htm.\n"
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
             "      --jobs=N           threads for indexing (default 0: one a core)\n"
             "  -h, --help             print this text\n"
             "      --version          print the version\n"
             "Every value may also follow its option after a blank (--width 80).\n"
             "\n"
             "Without files it is the console dialogue: start it in a folder of its\n"
             "own that holds only a folder compare_in with the files to compare, and\n"
             "answer the opening screens, the two files from a numbered list, the\n"
             "table width and the web address; the pages land in htm_out. It creates\n"
             "and deletes work files and folders there (*.txt, *.htm, its *.list and\n"
             "*.tmp files, txt_in, txt_wrk, htm_in, htm_wrk, htm_out, wrd_24), and\n"
             "before it touches anything it checks that all of these are its own: a\n"
             "file of yours there (or a link, or a work folder spelled in another\n"
             "case) is named and the run stops, changing nothing. Only one run works\n"
             "in a folder at a time. When standard input is not a terminal, it is\n"
             "read as the answers, a byte a key:  printf '1111\\n2\\n\\n\\nx' | quillon\n"
             "\n"
             "Exit status: 0 the pages were delivered whole (or the dialogue ended at\n"
             "one of its screens); 1 the run failed: it says what failed, nothing\n"
             "earlier is lost; 2 refused before anything was touched (a usage error,\n"
             "a missing, unreadable or non-text input, a folder given as a file, an\n"
             "output folder or a dialogue folder that is not quillon's own, another\n"
             "run working there); 130 on Ctrl-C.\n"
             "\n"
             "More: ") +
         kProductAddress + "\n";
}

std::string version_text() {
  return std::string("quillon ") + kVersion + "\n";
}

}  // namespace quillon
