// File name patterns as the command layer matches them.

#ifndef QUILLON_BASE_WILDCARD_H_
#define QUILLON_BASE_WILDCARD_H_

#include <string>

namespace quillon {

/// True when the text holds "*" or "?".
bool has_wildcard(const std::string& text);

/// Matches a whole name against a pattern, ASCII case ignored: "*" any run,
/// "?" one byte, a trailing "." only names without a dot, a trailing ".*" also
/// names without a dot. A pattern whose extension is three plain characters
/// ("*.htm") also matches longer extensions that begin with them
/// ("report.html"), as short names used to.
bool matches_pattern(const std::string& pattern, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_BASE_WILDCARD_H_
