// tav.set_language: the language of the messages and notes.
#include <QTranslator>

#include "lang/Language.h"
#include "python/Bindings.h"
#include "translations/ProgramTranslation.h"

namespace py = pybind11;

namespace {

// The English texts, loaded once and kept while the module lives.
QTranslator& EnglishTexts() {
  static QTranslator* texts = [] {
    auto* translator = new QTranslator;
    LoadProgramTranslation(*translator, Language::kEnglish);
    return translator;
  }();
  return *texts;
}

std::string g_language = "en";

void SetLanguage(const std::string& name) {
  const std::optional<Language> language = LanguageNamed(name);
  if (!language) throw py::value_error("language: ja or en, not " + name);
  TranslateCoreTexts(*language == Language::kEnglish ? &EnglishTexts() : nullptr);
  g_language = name;
}

}  // namespace

void BindLanguage(py::module_& m) {
  SetLanguage("en");
  m.def("set_language", SetLanguage, py::arg("language"),
        "The language of messages, notes and errors from now on: 'en' (the default) or 'ja'\n"
        "(the program's own Japanese). Set it before fits run on other threads.");
  m.def(
      "language", [] { return g_language; }, "The language set: 'en' or 'ja'.");
}
