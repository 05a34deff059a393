// The script at the top of every page with words: it highlights the word
// that the page address points at (page_01.htm#id00000042), so that a link
// from any index page shows where it leads.

#ifndef QUILLON_INDEX_HIGHLIGHT_SCRIPT_H_
#define QUILLON_INDEX_HIGHLIGHT_SCRIPT_H_

#include <string>

namespace quillon {

/// How the word is shown: in red, larger, inline.
inline const char kHighlightColor[] = "red";
inline const char kHighlightSize[] = "140%";

/// The lines from `<script language="javascript">` to `</script>`, each
/// ended by CR LF.
const std::string& highlight_script_text();

}  // namespace quillon

#endif  // QUILLON_INDEX_HIGHLIGHT_SCRIPT_H_
