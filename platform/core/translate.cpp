#include "translate.h"

#include <atomic>

namespace platform {
namespace {

// Set once at start, read from any thread (conversions report errors from worker threads).
std::atomic<TTranslator> gTranslator{nullptr};

}  // namespace

void SetTranslator(TTranslator translator) { gTranslator.store(translator); }

std::string translate(const char *context, const char *sourceText) {
  const TTranslator translator = gTranslator.load();
  return translator != nullptr ? translator(context, sourceText) : std::string(sourceText);
}

std::string Args(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const std::size_t n = next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '1') : values.size();
    if (text[i] == '%' && n < values.size()) {
      out += values.begin()[n];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace platform
