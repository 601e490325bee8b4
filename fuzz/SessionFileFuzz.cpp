// Reading a session file from its bytes, as open-session reads it. A file
// that is restored must save again, and what is saved must read back to the
// same session.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/ScratchFolder.h"
#include "profile/TavDoc.h"
#include "session/SessionFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFolder& scratch = ScratchFolder::Get();
  const std::string path = scratch.Write("fuzzed.tav", {reinterpret_cast<const char*>(data), size});
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  if (!ReadSession(view, path)) {
    FUZZ_CHECK(!host.failures.empty());
    return 0;
  }
  const std::string again = scratch.Path("again.tav");
  std::string reason;
  FUZZ_CHECK(WriteSession(view, again, true, reason));
  CTavDoc otherDoc;
  AnsweringHost otherHost;
  CTavView other(otherDoc, otherHost);
  FUZZ_CHECK(ReadSession(other, again));
  FUZZ_CHECK(FormatSession(other, again, true) == FormatSession(view, again, true));
  return 0;
}
