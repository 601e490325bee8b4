// tav-cli: runs a session script of tav without a display.
#include <QTranslator>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/CliCommandLine.h"
#include "cli/PictureModule.h"
#include "cli/PictureSource.h"
#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "lang/VersionText.h"
#include "translations/ProgramTranslation.h"

namespace {

// Runs the -e commands, then the script file (or standard input when neither
// was given); returns 0, or 2 after a bad command or an unreadable file.
int RunScripts(ScriptRunner& runner, const CliOptions& options) {
  if (options.have_inline) {
    const int status = runner.Run(ParseScript(options.inline_script));
    if (status != 0) return status;
  }
  if (!options.script_file.empty() || !options.have_inline) {
    std::stringstream text;
    if (options.script_file.empty()) {
      text << std::cin.rdbuf();
    } else {
      std::ifstream in(options.script_file, std::ios::binary);
      if (!in) {
        std::cerr << "error: cannot read " << options.script_file << '\n';
        return 2;
      }
      text << in.rdbuf();
    }
    return runner.Run(ParseScript(text.str()));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<CliOptions> options = ParseCliCommandLine(argc, argv);
  if (!options) {
    std::cerr << kCliUsage;
    return 2;
  }
  const Language language = CliLanguage(options->language);
  if (options->help) {
    std::cout << CliHelpText(language);
    return 0;
  }
  if (options->version) {
    std::cout << VersionText("tav-cli", language);
    return 0;
  }

  // Messages in Japanese unless --lang asks for another language.
  QTranslator texts;
  if (LoadProgramTranslation(texts, language)) TranslateCoreTexts(&texts);

  SetPictureWritersSource(LoadPictureModule);
  ScriptRunner runner(std::cout, std::cerr);
  const int status = RunScripts(runner, *options);
  // --strict: a run that went to its end is still a failure when any command failed.
  if (status == 0 && options->strict && runner.AnyFailure()) return 1;
  return status;
}
