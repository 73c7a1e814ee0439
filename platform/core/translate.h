// The texts the program shows, in the language the user reads. The parts that don't use Qt
// write their texts in the language of the source (Japanese for the window and its messages,
// English for the command line) and pass them through translate(), which the program points at
// its loaded translations once it has chosen the language (SetTranslator); until then, and in
// programs that never choose, every text shows as written. Texts that take values name them %1,
// %2, … and get them from Args, so that a translation may put them in another order.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// What a translation hook answers: the text for sourceText in context, or sourceText itself.
// Both are UTF-8.
using TTranslator = std::string (*)(const char *context, const char *sourceText);

// nullptr: texts show as written.
void SetTranslator(TTranslator translator);

// The update of the translation files finds the texts by this call's name and its two literals.
std::string translate(const char *context, const char *sourceText);

// text with %1 … %9 replaced by the values in order (%1 by the first); a "%" followed by
// anything else, or by a number beyond the values, stays as it is. A value's own "%1" is not
// replaced again.
std::string Args(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace platform
