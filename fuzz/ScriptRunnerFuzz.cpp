// tav-cli scripts run through ScriptRunner on a profile from the input. The
// input is the script, then optionally a NUL byte and the bytes of the file
// that every open command reads, whatever path it names. Series are left out.
// Saves and reports write to one file of the harness's scratch folder (an
// exported plot to one more, at the default size); render draws the view into
// an image in memory instead of writing a PNG. Only the first commands run, so
// that one input stays quick.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/PictureSource.h"
#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "commands/Commands.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFolder.h"
#include "render/ImageCanvas.h"
#include "render/LinkedPictureWriters.h"
#include "view/PlotGeometry.h"

namespace {

constexpr std::size_t kMaxCommands = 64;

// Runs commands up to the next render; false when one failed.
bool RunSegment(ScriptRunner& runner, std::vector<ScriptCommand>& segment) {
  const int status = runner.Run(segment);
  segment.clear();
  FUZZ_CHECK(status == 0 || status == 2);
  return status == 0;
}

// ERR holds notes, one a line; a failed run ends it with the error that says
// where it stopped (whose reason may run over several lines).
bool ErrorStreamIsSound(const std::string& err, bool ok) {
  std::istringstream lines(err);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.starts_with("error: line ")) return !ok;
    if (!line.starts_with("note: ")) return false;
  }
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string script(input.substr(0, split));
  const std::string_view file =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  std::vector<ScriptCommand> commands = ParseScript(script);
  if (commands.size() > kMaxCommands) commands.resize(kMaxCommands);

  static const bool drawing = (SetPictureWritersSource(LinkedPictureWriters), true);
  (void)drawing;
  const ScratchFolder& scratch = ScratchFolder::Get();
  const std::string profilePath = scratch.Write("profile", file);
  const std::string savePath = scratch.Path("saved");
  static QImage image(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
  ImageCanvas canvas(image);

  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  runner.host().DrawOverlaysOn(&canvas);
  std::vector<ScriptCommand> segment;
  bool ok = true;
  for (ScriptCommand& command : commands) {
    std::vector<std::string>& words = command.words;
    const std::string& name = words[0];
    if (name == "render") {
      ok = RunSegment(runner, segment);
      if (!ok) break;
      runner.view().OnDraw(canvas);
      continue;
    }
    if (name == "open" && words.size() >= 3) words[2] = profilePath;
    // A series reads files by pattern and fits each; its own tests cover it.
    if (name == "series") continue;
    if ((name == "save-txt" || name == "save-dat" || name == "save-result" || name == "report" ||
         name == "save-session" || name == "open-session" || name == "export-fit") &&
        words.size() >= 2) {
      words[1] = savePath;
    }
    // The instrument file is written and read in the scratch folder too.
    if (name == "instrument" && words.size() >= 3 && words[1] != "use") words[2] = savePath;
    // An exported plot goes to the scratch file at the default size.
    if (name == "export-plot" && words.size() >= 2) {
      words = {name, savePath + ".png", "700", "400"};
    }
    segment.push_back(std::move(command));
  }
  if (ok) ok = RunSegment(runner, segment);
  runner.view().OnDraw(canvas);

  // A run stops at its first bad command, and says where; before that the
  // error stream holds only notes on why a result is empty.
  FUZZ_CHECK(ErrorStreamIsSound(err.str(), ok));
  return 0;
}
