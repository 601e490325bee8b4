#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/SeriesPlot.h"
#include "app/SeriesWindow.h"
#include "app/SeriesXChooser.h"
#include "commands/Commands.h"
#include "fit/PeakModel.h"
#include "profile/TavDoc.h"
#include "tests/support/SharedData.h"
#include "tests/support/TempFile.h"
#include "view/AnsweringHost.h"
#include "view/TavView.h"

namespace {

namespace fs = std::filesystem;

// A Lorentzian peak at position on a flat background over 28..34.
void WriteProfile(const fs::path& path, double position) {
  std::ofstream out(path);
  for (int i = 0; i <= 600; ++i) {
    const double x = 28.0 + 0.01 * i;
    const double u = (x - position) / 0.1;
    out << x << ' ' << 1000.0 / (1.0 + u * u) + 50.0 + (i % 7) << '\n';
  }
}

// A series window run to its end over paths, with one peak placed in the
// first file (at 30° on the profiles written above unless a range is given).
std::unique_ptr<CSeriesWindow> FinishedSeries(const std::vector<std::string>& paths,
                                              std::optional<RangeValues> range = std::nullopt,
                                              double position = 30.0, double height = 1040.0) {
  CTavDoc doc;
  AnsweringHost host;
  CTavView view(doc, host);
  EXPECT_TRUE(ReadProfileByContent(view, paths[0]));
  view.TakeLoadedProfile();
  if (range) {
    host.range = range;
    view.OnRangeInput();
  }
  view.OnPeakPosition();
  view.AppendPeakAt(position, height);
  auto window =
      std::make_unique<CSeriesWindow>(SeriesSetupOf(view), paths, SeriesOptions{}, nullptr);
  const QDeadlineTimer deadline(30000);
  while (window->IsRunning() && !deadline.hasExpired()) QCoreApplication::processEvents();
  return window;
}

TEST(SeriesWindow, ShowsTheRowsAndPlotsAColumnWithErrorBars) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("tav-series-gui-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<std::string> paths;
  for (int k = 0; k < 4; ++k) {
    // Appended, not "s" + std::to_string(k): GCC 12 at -O3 warns of that (-Wrestrict), wrongly.
    std::string name = "s";
    name += std::to_string(k) + ".xy";
    paths.push_back((dir / name).string());
    WriteProfile(paths.back(), 30.0 + 0.02 * k);
  }
  const std::unique_ptr<CSeriesWindow> finished = FinishedSeries(paths);
  ASSERT_FALSE(finished->IsRunning());
  CSeriesWindow& window = *finished;
  EXPECT_EQ(window.Table()->rowCount(), 4);
  EXPECT_EQ(window.Table()->item(3, 2)->text(), "ok");

  window.ColumnChooser()->setCurrentIndex(window.ColumnChooser()->findData("fwhm"));
  const SeriesPlotData& plotted = window.Plot()->Data();
  ASSERT_EQ(plotted.points.size(), 4u);
  EXPECT_EQ(plotted.points[3].index, 3.0);
  EXPECT_NEAR(plotted.points[3].value, 0.2, 0.01);
  EXPECT_GT(plotted.points[3].error, 0.0);

  QString error;
  const std::string svg = (dir / "plot.svg").string();
  ASSERT_TRUE(window.SavePlotTo(QString::fromStdString(svg), error)) << error.toStdString();
  EXPECT_NE(ReadFileBytes(svg).find("<svg"), std::string::npos);
  const std::string png = (dir / "plot.png").string();
  ASSERT_TRUE(window.SavePlotTo(QString::fromStdString(png), error)) << error.toStdString();
  EXPECT_EQ(ReadFileBytes(png).substr(1, 3), "PNG");
  fs::remove_all(dir);
}

}  // namespace

// X can be a number in the file name; a file without one is left out of
// the plot, and the table names the files without their folders.
TEST(SeriesWindow, PlotsAgainstANumberInTheFileName) {
  const fs::path dir =
      fs::path(::testing::TempDir()) / ("tav-series-x-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::vector<std::string> paths;
  for (const char* name : {"heat_100C.xy", "heat_250C.xy", "heat_ref.xy"}) {
    paths.push_back((dir / name).string());
    WriteProfile(paths.back(), 30.0);
  }
  const std::unique_ptr<CSeriesWindow> finished = FinishedSeries(paths);
  ASSERT_FALSE(finished->IsRunning());
  CSeriesWindow& window = *finished;
  EXPECT_EQ(window.Table()->item(0, 0)->text(), "heat_100C.xy");

  window.XChooser()->Pattern()->setText(QStringLiteral("_(\\d+)C"));
  window.XChooser()->Choice()->setCurrentIndex(2);
  const SeriesPlotData& plotted = window.Plot()->Data();
  ASSERT_EQ(plotted.points.size(), 2u);
  EXPECT_EQ(plotted.points[0].index, 100.0);
  EXPECT_EQ(plotted.points[1].index, 250.0);
  EXPECT_NE(plotted.xTitle.indexOf(QStringLiteral("_(\\d+)C")), -1);
  // The plot saves as a PDF page too.
  const QString pdf = QString::fromStdString((dir / "plot.pdf").string());
  QString error;
  ASSERT_TRUE(window.SavePlotTo(pdf, error)) << error.toStdString();
  EXPECT_EQ(ReadFileBytes((dir / "plot.pdf").string()).substr(0, 5), "%PDF-");
  fs::remove_all(dir);
}

// X can be the time since the first scan began, from the files' headers:
// five XRDML scans of one run, each about 15 minutes after the one before.
TEST(SeriesWindow, PlotsAgainstTheTimeTheScansBegan) {
  SKIP_WITHOUT_SHARED_DATA();
  std::vector<std::string> paths;
  for (int k = 1; k <= 5; ++k) {
    std::string name = "datalab__Scan_C";
    name += std::to_string(k) + ".xrdml";
    paths.push_back(SharedData(name));
  }
  const std::unique_ptr<CSeriesWindow> finished =
      FinishedSeries(paths, RangeValues{50.0, 54.0, 0.0, 100000.0}, 52.0, 20000.0);
  ASSERT_FALSE(finished->IsRunning());
  CSeriesWindow& window = *finished;
  window.XChooser()->Choice()->setCurrentIndex(3);
  const SeriesPlotData& plotted = window.Plot()->Data();
  ASSERT_EQ(plotted.points.size(), 5u);
  // startTimeStamp 18:09:37, 18:24:36, 18:39:35, 18:54:33 and 19:09:32.
  const double seconds[] = {0.0, 899.0, 1798.0, 2696.0, 3595.0};
  for (std::size_t k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(plotted.points[k].index, seconds[k] / 60.0);
  EXPECT_FALSE(window.XChooser()->Pattern()->isEnabled());
}
