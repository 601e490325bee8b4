#include "cli/CliCommandLine.h"

#include <string_view>

namespace {

constexpr const char* kHelpJapanese = R"(使い方: tav-cli [オプション] [スクリプトファイル]

tav のコマンドをスクリプトから実行します (画面は使いません)。-e のコマンドを先に、
次にスクリプトファイルを実行します。どちらもなければ標準入力から読みます。
コマンドは改行か ; で区切り、# から行末まではコメントです。

オプション:
  -e 'CMD; CMD; ...'  コマンドを実行する (何度でも指定できます)
  --strict            失敗したコマンドがあれば終了状態を 1 にする
  --lang ja|en        表示の言語 (既定: ja)
  -h, --help          このヘルプを表示して終了する
  --version           バージョンを表示して終了する

終了状態: 0 正常, 1 --strict で失敗したコマンドがあった, 2 コマンドか引数の誤り。
コマンドの一覧は man tav-cli にあります。
)";

constexpr const char* kHelpEnglish = R"(Usage: tav-cli [OPTION]... [SCRIPT_FILE]

Runs tav's commands from a script, without a display: the -e commands first,
then SCRIPT_FILE; with neither, the script is read from standard input.
Commands are separated by newlines or ';'; '#' starts a comment.

Options:
  -e 'CMD; CMD; ...'  run these commands (may be given more than once)
  --strict            exit with status 1 when any command failed
  --lang ja|en        language of the texts (default: ja)
  -h, --help          print this help and exit
  --version           print the version and exit

Exit status: 0 success, 1 a command failed under --strict, 2 a bad command
or argument. The commands are listed in man tav-cli.
)";

}  // namespace

std::optional<CliOptions> ParseCliCommandLine(int argc, const char* const* argv) {
  CliOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-e") {
      if (i + 1 >= argc) return std::nullopt;
      options.inline_script += std::string(argv[++i]) + "\n";
      options.have_inline = true;
    } else if (arg == "--strict") {
      options.strict = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (const LangOption lang = ReadLangOption(argc, argv, i, options.language);
               lang != LangOption::kAbsent) {
      if (lang == LangOption::kBad) return std::nullopt;
    } else if (options.script_file.empty() && !arg.empty() && arg[0] != '-') {
      options.script_file = arg;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

std::string CliHelpText(Language language) {
  return language == Language::kJapanese ? kHelpJapanese : kHelpEnglish;
}
