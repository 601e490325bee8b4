#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "tests/support/LoadedProfile.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestHost.h"
#include "view/TavView.h"

namespace {

class OpenCommand : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& contents) {
    return WriteTempFile("tav_open_" + name, contents);
  }
  // Opens path with the given file-type answer, the dialog's button id
  // (nullopt: dialog cancelled).
  void Open(std::optional<int> type, const std::string& path) {
    if (type) host.fileType = static_cast<FileType>(*type);
    host.openPath = path;
    OnFileOpen(view);
  }

  CTavDoc doc;
  TestHost host;
  CTavView view{doc, host};
};

const char kRint[] =
    "*START\t\t=  10\r\n*STEP\t\t=  0.5\r\n*STOP\t\t=  11.5\r\n*COUNT\t\t=  4\r\n"
    "5, 9, 1, 7\r\n*END\r\n";

}  // namespace

TEST_F(OpenCommand, DialogFlow) {
  const std::string rint = Write("flow.asc", kRint);
  // Type dialog cancelled: read as Rigaku.
  Open(std::nullopt, rint);
  EXPECT_EQ(doc.m_nData, 4);
  EXPECT_EQ(host.columnDialogs, 0);
  EXPECT_EQ(doc.m_x[4], 11.5);
  EXPECT_EQ(view.Range().m_yMin, 1.0);
  EXPECT_EQ(view.Range().m_yMax, 9.0);
  EXPECT_EQ(host.repaints, 1);

  // X-Y with the column dialog answered: last line holds for one read only,
  // skip is kept; the dialog shows the current settings.
  const std::string xy = Write("flow.xy", "x y\n1 10\n2 20\n3 30\n4 40\n");
  host.column = ColumnSettings{5, 6, 1, 2};
  Open(0, xy);
  EXPECT_EQ(doc.m_nData, 2);
  EXPECT_EQ(doc.m_y[2], 20.0);
  EXPECT_EQ(view.Reading().m_skipLines, 1);
  EXPECT_EQ(view.Reading().m_lastLine, 2);
  EXPECT_EQ(view.Reading().m_xColumn, 1);  // column values are shown, not kept
  Open(0, xy);                             // column dialog cancelled
  EXPECT_EQ(host.columnPreset.skipLines, 1);
  EXPECT_EQ(host.columnPreset.lastLine, 9999);
  EXPECT_EQ(host.columnPreset.xColumn, 1);
  EXPECT_EQ(host.columnPreset.yColumn, 2);
  EXPECT_EQ(doc.m_nData, 4);

  // No radio chosen: nothing read, but the range is still derived and the fit cleared.
  view.StateForTests().range.m_xMin = 2.5;
  view.StateForTests().peaks.m_bFitted = 1;
  view.StateForTests().modes.m_dragState = DragState::Armed;
  Open(-1, rint);
  EXPECT_EQ(doc.m_nData, 4);
  EXPECT_EQ(doc.m_x[1], 1.0);
  EXPECT_EQ(view.Range().m_xMin, 1.0);
  EXPECT_EQ(view.Peaks().m_bFitted, 0);
  EXPECT_EQ(view.Modes().m_dragState, DragState::Disarmed);

  // File dialog cancelled: the range step still runs.
  view.StateForTests().range.m_xMin = 2.5;
  host.fileType = FileType::Rigaku;
  OnFileOpen(view);
  EXPECT_EQ(view.Range().m_xMin, 1.0);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(OpenCommand, LoadKeepsPeaksAndHandlesDescendingX) {
  view.StateForTests().peaks.m_nPeak = 2;
  view.StateForTests().background.m_bBackShown = 1;
  Open(0, Write("desc.xy", "5 1\n4 3\n3 2\n"));
  EXPECT_EQ(view.Range().m_xMin, 3.0);
  EXPECT_EQ(view.Range().m_xMax, 5.0);
  EXPECT_EQ(doc.m_start, 5.0);
  EXPECT_EQ(doc.m_step, -1.0);
  EXPECT_EQ(doc.m_stop, 3.0);
  EXPECT_EQ(view.Peaks().m_nPeak, 2);
  EXPECT_EQ(view.Background().m_bBackShown, 1);
}

// The default wavelengths stand in only where a file states none, and the
// document says where its wavelengths came from.
TEST_F(OpenCommand, DefaultWavelengthsFillOnlyWhatAFileLeavesUnknown) {
  const std::string xy = Write("plain.xy", "1 2\n2 3\n");
  Open(0, xy);
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kNone);
  EXPECT_FALSE(doc.m_wavelengths.lambda1);

  view.SetDefaultWavelengths(Wavelengths{1.5406, 1.5444, 0.5});
  Open(0, xy);
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kDefault);
  EXPECT_EQ(doc.m_wavelengths, (Wavelengths{1.5406, 1.5444, 0.5}));

  Open(1, Write("wave.asc", "*WAVE_LENGTH1\t=  1.78897\r\n" + std::string(kRint)));
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kFile);
  EXPECT_EQ(doc.m_wavelengths, (Wavelengths{1.78897, std::nullopt, std::nullopt}));

  SetProfileWavelengths(view, Wavelengths{1.54, std::nullopt, std::nullopt});
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kUser);
  SetProfileWavelengths(view, Wavelengths{});
  EXPECT_EQ(doc.m_wavelengthSource, WavelengthSource::kNone);
}

TEST_F(OpenCommand, FailuresChangeNothing) {
  LoadSpectrum(view, {1, 2, 3}, {4, 5, 6});
  view.StateForTests().peaks.m_bFitted = 1;
  view.StateForTests().modes.m_dragState = DragState::Armed;
  doc.m_start = 1;
  doc.m_step = 1;
  doc.m_stop = 3;
  const auto unchanged = [&] {
    EXPECT_EQ(doc.m_nData, 3);
    EXPECT_EQ(doc.m_y[1], 4.0);
    EXPECT_EQ(doc.m_start, 1.0);
    EXPECT_EQ(doc.m_step, 1.0);
    EXPECT_EQ(doc.m_stop, 3.0);
    EXPECT_EQ(view.Range().m_xMax, 3.0);
    EXPECT_EQ(view.Peaks().m_bFitted, 1);
    EXPECT_EQ(view.Modes().m_dragState, DragState::Armed);
  };
  const std::string cases[] = {
      Write("nocount.asc", "*START          =  50\n1 2 3\n"),
      Write("zero.asc", "*START          =  50\n*COUNT          =  0\n1 2 3\n"),
      Write("negative.asc", "*COUNT          =  -5\n1 2 3\n"),
      Write("novalues.asc", "*START          =  50\n*COUNT          =  3\n*END\n"),
      Write("empty.asc", ""),
  };
  for (const std::string& path : cases) {
    host.messages.clear();
    Open(1, path);
    ASSERT_EQ(host.messages.size(), 1u) << path;
    EXPECT_NE(host.messages[0].find(path), std::string::npos);
    unchanged();
  }
  host.messages.clear();
  Open(0, Write("header-only.xy", "theta,intensity\n"));
  EXPECT_EQ(host.messages.size(), 1u);
  unchanged();

  // Missing file, a folder, an unreadable file: a message naming the file.
  const std::string folder = ::testing::TempDir() + "tav_open_folder";
  ::mkdir(folder.c_str(), 0755);
  for (const std::string& path : {std::string("/nonexistent/tav/file.asc"), folder}) {
    host.messages.clear();
    Open(1, path);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].rfind("ファイルを開けません: " + path, 0), 0u) << host.messages[0];
    unchanged();
  }
}

TEST_F(OpenCommand, TruncatedFileKeepsOnlyWhatWasRead) {
  // A longer profile first, so stale values would be there to show.
  LoadSpectrum(view, {1, 2, 3, 4, 5, 6}, {100, 100, 100, 100, 100, 100});
  Open(1, Write("short.asc",
                "*START          =  20\n*STEP           =  0.01\n*COUNT          =  10001\n"
                "165, 187, 159, 160\n153, 203\n"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("10001"), std::string::npos);
  EXPECT_EQ(doc.m_nData, 6);
  EXPECT_EQ(doc.m_y[6], 203.0);
  EXPECT_DOUBLE_EQ(doc.m_x[6], 20.05);
  EXPECT_EQ(view.Range().m_yMax, 203.0);
}

// The status line of the window behind the host.
class StatusLine : public AnsweringHost {
 public:
  void StatusMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

TEST_F(OpenCommand, AnXyListCutAtTheLastLineSaysSoInTheStatusLine) {
  StatusLine status;
  host.SetPlatform(&status);
  const auto openXy = [&](const std::string& path, int lastLine) {
    host.column = ColumnSettings{1, 2, 1, lastLine};
    Open(0, path);
  };
  const std::string xy = Write("cut.xy", "x y\n1 10\n2 20\nnote\n3 30\n");
  openXy(xy, 2);
  EXPECT_EQ(doc.m_nData, 2);  // the points read stay as they were
  ASSERT_EQ(status.shown.size(), 1u);
  EXPECT_EQ(status.shown[0], xy + " からデータを 2 行読み込みました。その先にもデータがあります "
                                  "(自動判別で開くとファイル全体を読み込みます)");
  EXPECT_TRUE(host.failures.empty());
  // Read to its end, or up to an empty line that ends the data: nothing to say.
  openXy(xy, 3);
  openXy(Write("ended.xy", "x y\n1 10\n2 20\n\n3 30\n"), 2);
  openXy(Write("trailer.xy", "x y\n1 10\n2 20\nend of data\n"), 2);
  EXPECT_EQ(status.shown.size(), 1u);
  EXPECT_EQ(doc.m_nData, 2);
  host.SetPlatform(nullptr);
}

TEST_F(OpenCommand, ProfileOfMorePointsThanTheLimitIsRefused) {
  LoadSpectrum(view, {1, 2, 3}, {4, 5, 6});
  doc.m_start = 1;
  view.StateForTests().peaks.m_bFitted = 1;
  int repaints = host.repaints;
  const auto unchanged = [&] {
    EXPECT_EQ(doc.m_nData, 3);
    EXPECT_EQ(doc.m_y[3], 6.0);
    EXPECT_EQ(doc.m_start, 1.0);
    EXPECT_EQ(view.Range().m_xMax, 3.0);
    EXPECT_EQ(view.Peaks().m_bFitted, 1);
    EXPECT_EQ(host.repaints, repaints);
  };
  const auto open = [&](FileType type, const std::string& path, std::size_t limit) {
    host.messages.clear();
    host.failures.clear();
    host.fileType = type;
    host.openPath = path;
    OpenWithPointLimit(view, limit);
  };

  // Four counts announced and read (kRint): three are too many.
  const std::string rint = Write("limit.asc", kRint);
  open(FileType::Rigaku, rint, 3);
  const std::string refusal = "点が多すぎます: " + rint + " (4 点; 読み込めるのは 3 点まで)";
  EXPECT_EQ(host.messages, std::vector<std::string>{refusal});
  EXPECT_EQ(host.failures, host.messages);
  unchanged();

  // What counts is what would be stored: the announced count when the file
  // holds more values, the values read when it holds fewer.
  const std::string longer = Write("limit-longer.asc", "*COUNT          =  2\n5, 9, 1, 7\n");
  open(FileType::Rigaku, longer, 2);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(doc.m_nData, 2);
  const std::string shorter = Write("limit-shorter.asc", "*COUNT          =  9\n5, 9, 1\n");
  open(FileType::Rigaku, shorter, 2);
  EXPECT_EQ(host.messages, std::vector<std::string>{"点が多すぎます: " + shorter +
                                                    " (3 点; 読み込めるのは 2 点まで)"});
  EXPECT_EQ(doc.m_nData, 2);
  open(FileType::Rigaku, shorter, 3);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].rfind("データが途中で終わっています: ", 0), 0u);
  EXPECT_EQ(doc.m_nData, 3);

  LoadSpectrum(view, {1, 2, 3}, {4, 5, 6});
  doc.m_start = 1;
  view.StateForTests().peaks.m_bFitted = 1;
  repaints = host.repaints;
  const std::string xy = Write("limit.xy", "1 10\n2 20\n3 30\n4 40\n");
  open(FileType::Xy, xy, 3);
  EXPECT_EQ(host.messages,
            std::vector<std::string>{"点が多すぎます: " + xy + " (4 点; 読み込めるのは 3 点まで)"});
  unchanged();
  open(FileType::Xy, xy, 4);
  EXPECT_EQ(doc.m_nData, 4);
}

TEST_F(OpenCommand, EmptyDocumentKeepsRangeOnCancel) {
  view.StateForTests().range.m_xMin = 7;
  view.StateForTests().range.m_xMax = 8;
  host.fileType = FileType::Rigaku;
  OnFileOpen(view);  // file dialog cancelled with nothing loaded
  EXPECT_EQ(view.Range().m_xMin, 7.0);
  EXPECT_EQ(view.Range().m_xMax, 8.0);
  EXPECT_EQ(doc.m_yMax, 0.0);
  EXPECT_EQ(view.Modes().m_dragState, DragState::Disarmed);
}

struct RealFile {
  const char* name;
  int type;  // 1 Rigaku, 0 X-Y
  int count;
  double firstX, lastX, firstY, lastY, yMin, yMax;
};

TEST_F(OpenCommand, RealInstrumentFilesLoadCompletely) {
  SKIP_WITHOUT_SHARED_DATA();
  const RealFile files[] = {
      {"rigakuXRD__2Theta.asc", 1, 7601, 4, 80, 0, 0, 287, 717569},
      {"ornl_xrd_to_bragg_peaks__data_xrd.asc", 1, 10001, 20, 120, 165, 0, 40, 30022},
      {"AE4895-Measurement_strategies__XRD_NaCl_Theta_2-Theta.asc", 1, 3400, 2.01, 69.99, 0, 0, 2,
       2816},
      {"AE4895-Measurement_strategies__XRD_NaBr_Theta_2-Theta.asc", 1, 3400, 2.01, 69.99, 0, 0, 34,
       3462},
      {"ornl_xrd_to_bragg_peaks__data_XRD.txt", 0, 2677, 7.0144, 52.5064, 0, 0, 20128.5343,
       150503.3437},
      {"datalab__example_ocx.xy", 0, 1876, 5, 80, 0, 0, 0.152, 96.686},
      {"datalab__JO_KL_16_ZF_3_rasx_Profile0.txt", 0, 2851, 3, 60, 0, 0, 53, 34423},
      {"dara__tutorial_data_CaNiPO3_4_800_240.xy", 0, 8301, 9.90343322, 100.09488522, 0, 0, 1747,
       10402},
      {"XRD-AutoAnalyzer__PDF_Example_Li2CO3-ZrO2.xy", 0, 6442, 10.00343322, 79.99417326, 0, 0, 112,
       5581},
      {"dash__tutorial-04_Tutorial_04.xye", 0, 2701, 7, 61, 0, 0, 330, 15079},
  };
  for (const RealFile& f : files) {
    SCOPED_TRACE(f.name);
    host.messages.clear();
    Open(f.type, SharedData(f.name));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(doc.m_nData, f.count);
    EXPECT_NEAR(doc.m_x[1], f.firstX, 1e-9);
    EXPECT_NEAR(doc.m_x[f.count], f.lastX, 1e-9);
    if (f.firstY != 0) {
      EXPECT_EQ(doc.m_y[1], f.firstY);
    }
    EXPECT_NEAR(doc.m_yMin, f.yMin, 1e-9);
    EXPECT_NEAR(doc.m_yMax, f.yMax, 1e-9);
    EXPECT_EQ(view.Range().m_xMin, std::min(doc.m_x[1], doc.m_x[f.count]));
  }
  // The truncated real export keeps its twelve values and says so.
  Open(1, SharedData("ornl_xrd_to_bragg_peaks__tests_xrd_file.asc"));
  EXPECT_EQ(doc.m_nData, 12);
  EXPECT_EQ(host.messages.size(), 1u);
}
