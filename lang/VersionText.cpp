#include "lang/VersionText.h"

std::string_view ProgramVersion() { return TAV_VERSION; }

std::string VersionText(std::string_view program, Language language) {
  std::string text;
  text.append(program).append(" ").append(ProgramVersion()).append("\n");
  text += "Copyright (C) 2026 The tav authors\n";
  text += language == Language::kJapanese ? "MIT ライセンスの下で配布します。保証はありません。\n"
                                          : "MIT License. There is NO WARRANTY.\n";
  return text;
}
