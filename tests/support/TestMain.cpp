// Runs the tests that need no display, each starting from the program's
// initial global state.
#include <gtest/gtest.h>

#include "cli/PictureSource.h"
#include "render/LinkedPictureWriters.h"
#include "tests/support/GlobalState.h"
#include "tests/support/PrivateTempDir.h"

int main(int argc, char** argv) {
  const PrivateTempDir temp;
  ::testing::InitGoogleTest(&argc, argv);
  InstallGlobalStateGuard();
  SetPictureWritersSource(LinkedPictureWriters);
  return RUN_ALL_TESTS();
}
