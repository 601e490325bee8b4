// tav: the GUI of the peak-fitting tool. --help and --version are answered
// here, before the window's module and Qt's GUI libraries are loaded.
#include <iostream>
#include <string>

#include "app/GuiCommandLine.h"
#include "lang/VersionText.h"
#include "module/ProgramModule.h"

int main(int argc, char** argv) {
  const GuiOptions options = ParseGuiCommandLine(argc, argv);
  const Language language = GuiLanguage(options.language, ProcessEnvironment());
  if (options.bad) {
    std::cerr << kGuiUsage;
    return 2;
  }
  if (options.help) {
    std::cout << GuiHelpText(language);
    return 0;
  }
  if (options.version) {
    std::cout << VersionText("tav", language);
    return 0;
  }
  std::string error;
  using Entry = int (*)(int, char**);
  const auto run = reinterpret_cast<Entry>(ProgramModuleEntry("tav-gui.so", "TavGuiMain", error));
  if (run == nullptr) {
    std::cerr << "tav: " << error << '\n';
    return 1;
  }
  return run(argc, argv);
}
