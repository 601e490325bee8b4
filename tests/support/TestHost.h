#pragma once

#include "tests/support/RecordingCanvas.h"
#include "view/AnsweringHost.h"

// The answering host of the tests, with the overlays (the rubber band)
// recorded on a canvas of their own.
class TestHost : public AnsweringHost {
 public:
  TestHost() { DrawOverlaysOn(&overlay); }
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  RecordingCanvas overlay;
};
