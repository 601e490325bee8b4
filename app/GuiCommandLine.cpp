#include "app/GuiCommandLine.h"

#include <string_view>

namespace {

constexpr const char* kHelpJapanese = R"(使い方: tav [オプション] [ファイル]

X線粉末回折プロファイルのピークをフィットするプログラムです。
ファイルを指定すると、その内容から形式を判別して開きます
(Rigaku RINT ASCII, RAS, RASX, PANalytical XRDML, Bruker BRML, X-Y リスト)。

オプション:
  --lang ja|en   表示の言語 (既定: ロケールが ja で始まれば ja、ほかは en)
  -h, --help     このヘルプを表示して終了する
  --version      バージョンを表示して終了する

Qt の標準のオプション (-platform, -style など) も使えます。
)";

constexpr const char* kHelpEnglish = R"(Usage: tav [OPTION]... [FILE]

Fits peaks in X-ray powder diffraction profiles. A FILE given is opened in the
format its contents show (Rigaku RINT ASCII, RAS, RASX, PANalytical XRDML,
Bruker BRML, X-Y list).

Options:
  --lang ja|en   language of the texts (default: ja when the locale starts
                 with ja, en otherwise)
  -h, --help     print this help and exit
  --version      print the version and exit

Qt's standard options (-platform, -style, ...) are accepted too.
)";

}  // namespace

GuiOptions ParseGuiCommandLine(int argc, char** argv) {
  GuiOptions options;
  if (argc > 0) options.remaining.push_back(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (const LangOption lang = ReadLangOption(argc, argv, i, options.language);
               lang != LangOption::kAbsent) {
      options.bad = options.bad || lang == LangOption::kBad;
    } else {
      options.remaining.push_back(argv[i]);
    }
  }
  return options;
}

std::string GuiHelpText(Language language) {
  return language == Language::kJapanese ? kHelpJapanese : kHelpEnglish;
}
