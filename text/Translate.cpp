#include "text/Translate.h"

#include <vector>

namespace {

TextTranslation g_translation = nullptr;

std::string Filled(const std::string& pattern, const std::vector<std::string>& arguments) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t index = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
      text += arguments[index];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace

void SetTextTranslation(TextTranslation translation) { g_translation = translation; }

std::string Translated(const char* source) {
  if (g_translation != nullptr) {
    std::string text = g_translation(source);
    if (!text.empty()) return text;
  }
  return source;
}

std::string TranslatedFormat(const char* pattern, std::initializer_list<std::string> arguments) {
  return Filled(Translated(pattern), std::vector<std::string>(arguments));
}
