#pragma once

#include <QStringList>
#include <memory>

#include "app/RecentFiles.h"
#include "lang/Language.h"

class CMainFrame;
class CTavDoc;

// The application: the one document and main frame of the run, the recent
// files, and the start-up that opens a file named on the command line.
class CTavApp {
 public:
  // language: the one the windows speak, checked in the language menu.
  explicit CTavApp(Language language = Language::kJapanese);
  ~CTavApp();
  CTavApp(const CTavApp&) = delete;
  CTavApp& operator=(const CTavApp&) = delete;

  // Creates the document and the main window and shows it; arguments are the
  // command line without the program name: the first names a file to open.
  bool InitInstance(const QStringList& arguments);
  // Saves the settings when the run ends.
  void ExitInstance();

  CMainFrame* MainFrame() { return m_frame.get(); }
  const RecentFiles& Recent() const { return m_recent; }

 private:
  // Opens a file named on the command line, detecting its format.
  void OpenFromCommandLine(const QString& path);
  // Adds a file that exists to the recent files.
  void Remember(const QString& path);

  std::unique_ptr<CTavDoc> m_doc;
  std::unique_ptr<CMainFrame> m_frame;
  RecentFiles m_recent;
  Language m_language;
};
