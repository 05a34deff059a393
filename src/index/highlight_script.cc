#include "index/highlight_script.h"

#include "index/page_heads.h"

namespace quillon {

const std::string& highlight_script_text() {
  static const std::string text =
      page_lines({"<script language=\"javascript\">", "if (history.length > 0)", "{",
                  "document.writeln(\"<style type=\\\"text/css\\\">\");",
                  std::string("document.writeln(self.location.hash + \" { color: ") +
                      kHighlightColor + " } \");",
                  std::string("document.writeln(self.location.hash + \" { font-size: ") +
                      kHighlightSize + " } \");",
                  "document.writeln(self.location.hash + \" { font-weight: bold } \");",
                  "document.writeln(self.location.hash + \" { display: inline } \");",
                  "document.writeln(\"</style>\");", "}", "</script>"});
  return text;
}

}  // namespace quillon
