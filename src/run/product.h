// The addresses and names this program shows about itself and its credits.

#ifndef QUILLON_RUN_PRODUCT_H_
#define QUILLON_RUN_PRODUCT_H_

namespace quillon {

/// The module name the program name is derived from.
constexpr char kModuleName[] = "quillon.bas";
constexpr char kProductAddress[] = "https://quillon.example.org/";
constexpr char kConvertcpAddress[] = "https://example.org/convertcp";
constexpr char kWgetAddress[] = "https://www.gnu.org/software/wget/";
/// The example host of the destination prompt.
constexpr char kExampleHost[] = "www.amazon.com";
constexpr char kVersion[] = "1.0.0";

}  // namespace quillon

#endif  // QUILLON_RUN_PRODUCT_H_
