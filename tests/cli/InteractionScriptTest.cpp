#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/ScriptParser.h"
#include "cli/ScriptRunner.h"
#include "tests/support/LoadedProfile.h"

namespace {

TEST(InteractionScriptTest, ZoomsPlacesThreePeaksAndWidensOne) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  LoadSpectrum(runner.view(), {10, 12, 15, 20}, {0, 250, 1000, 400});
  const int status =
      runner.Run(ParseScript("range-set\n"
                             "drag 100 50 375 200   # X 10..15, Y 500..1000\n"
                             "peak-mode\n"
                             "dblclick 210 110; peak 13 700; peak 14.5 900\n"
                             "key LEFT; key LEFT; key RIGHT; key W\n"
                             "state\n"));
  ASSERT_EQ(status, 0) << err.str();

  const CTavView& v = runner.view();
  EXPECT_EQ(v.Range().m_xMin, 10);
  EXPECT_EQ(v.Range().m_xMax, 15);
  EXPECT_EQ(v.Range().m_yMin, 500);
  EXPECT_EQ(v.Range().m_yMax, 1000);
  EXPECT_EQ(v.Peaks().m_position[1], 11);
  EXPECT_EQ(v.Peaks().m_height[1], 900);
  EXPECT_EQ(v.Peaks().m_position[3], 14.5);
  EXPECT_EQ(runner.host().repaints, 9);  // drag 2, dblclick 1, peaks 2, keys 4

  const std::string state = out.str();
  for (const char* part : {"\"m_bPeakMode\": 1, \"m_dragState\": 0, \"m_nPeak\": 3, \"m_curPeak\": "
                           "2, \"m_bFitted\": 0",
                           "\"m_widthFactor\": [1, 1.05, 1, 1, 1, 1, 1, 1, 1, 1]",
                           "\"ui\": {\"rangeSetChecked\": false, \"peakPositionChecked\": true, "
                           "\"lsqStartEnabled\": true, \"saveResultEnabled\": false}"}) {
    EXPECT_NE(state.find(part), std::string::npos) << part << "\nin: " << state;
  }
}

TEST(InteractionScriptTest, RangeRefusesNonFiniteValues) {
  std::ostringstream out, err;
  ScriptRunner runner(out, err);
  EXPECT_EQ(runner.Run(ParseScript("range 1 2 3 4\nrange 1 nan 0 1\n")), 2);
  EXPECT_NE(err.str().find("error: line 2:"), std::string::npos);
  EXPECT_EQ(runner.view().Range().m_xMax, 2);
}

}  // namespace
