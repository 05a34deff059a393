#include "index/page_heads.h"

#include "base/text.h"
#include "index/highlight_script.h"
#include "run/product.h"

namespace quillon {

std::string page_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string common_head_text() {
  return page_lines({"<html>",
                     "<br>",
                     "<head>",
                     "<br>",
                     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
                     "<br>",
                     "<title>index of key words</title>",
                     "<br>",
                     "</head>",
                     "<br>",
                     "<body>",
                     "<br>",
                     "QUICK AND EASY INFORMATION SEARCH",
                     "<br>",
                     "We offer users a fast and efficient way to search for information in input "
                     "files, and they can also continue their search with the help of "
                     "program-defined Google search phrases.",
                     "<br>",
                     "Just double-clicking on any word is enough to access the index of all words.",
                     "<br>",
                     "<br>",
                     "Details:",
                     "<br>",
                     std::string("<a href=\"") + kProductAddress + "\">" + kProductAddress + "</a>",
                     "<br><br>",
                     "Date (mm-dd-yy) = " + date_text() + "<br>",
                     "Time (h:m:s)    = " + time_text() + "<br>"});
}

std::string search_page_head_text() {
  return page_lines({
             "<html>",
             "<br>",
             "<head>",
             "<br>",
             "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
             "<br>",
             "<title>search.htm, content (only words) from input *.htm files</title>",
             "<br>",
             "</head>",
             "<br>",
             "<body>",
         }) +
         highlight_script_text();
}

}  // namespace quillon
