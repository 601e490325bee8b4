#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSettings>

#include "app/RecentFiles.h"
#include "app/TavApp.h"
#include "tests/support/SharedData.h"

namespace {

QSettings RecentSettings() {
  return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("tav"));
}

class RecentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { RecentSettings().clear(); }
  void TearDown() override { RecentSettings().clear(); }
};

TEST_F(RecentFilesTest, TheListIsSavedAndReadBackMostRecentFirst) {
  // The test run keeps its settings in a folder of its own.
  EXPECT_TRUE(RecentSettings().fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));

  RecentFiles recent;
  recent.Load();
  EXPECT_TRUE(recent.Entries().isEmpty());
  for (const char* path :
       {"/data/a.asc", "/data/b.asc", "/data/c.asc", "/data/d.xy", "/data/e.xy", "/data/c.asc"}) {
    recent.Add(QString::fromUtf8(path));
  }
  const QStringList expected{"/data/c.asc", "/data/e.xy", "/data/d.xy", "/data/b.asc"};
  EXPECT_EQ(recent.Entries(), expected);
  recent.Save();

  RecentFiles again;
  again.Load();
  EXPECT_EQ(again.Entries(), expected);
  QSettings settings = RecentSettings();
  settings.beginGroup(QStringLiteral("Recent File List"));
  EXPECT_EQ(settings.childKeys(), (QStringList{"File1", "File2", "File3", "File4"}));
  EXPECT_EQ(settings.value(QStringLiteral("File4")).toString(), QStringLiteral("/data/b.asc"));

  // A shorter list leaves no entry of the longer one behind.
  RecentFiles shorter;
  shorter.Add(QStringLiteral("/data/f.asc"));
  shorter.Save();
  again.Load();
  EXPECT_EQ(again.Entries(), QStringList{"/data/f.asc"});
}

TEST_F(RecentFilesTest, AFileOpenedFromTheCommandLineIsThereInTheNextRun) {
  SKIP_WITHOUT_SHARED_DATA();
  const QString path = QString::fromStdString(SharedData("rigakuXRD__2Theta.asc"));
  const QString absolute = QFileInfo(path).absoluteFilePath();
  {
    CTavApp app;
    ASSERT_TRUE(app.InitInstance({path}));
    EXPECT_EQ(app.Recent().Entries(), QStringList{absolute});
    app.ExitInstance();
  }
  CTavApp next;
  ASSERT_TRUE(next.InitInstance({}));
  EXPECT_EQ(next.Recent().Entries(), QStringList{absolute});
}

}  // namespace
