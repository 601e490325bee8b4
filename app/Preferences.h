#pragma once

#include <QByteArray>
#include <QSettings>
#include <optional>

#include "profile/Wavelengths.h"
#include "view/PlotOptions.h"

// What the program remembers between runs, kept with QSettings under the
// application's name.
QSettings ProgramSettings();

// The wavelengths a profile takes when its file states none; unset when the
// user has not asked for a default (the start).
std::optional<Wavelengths> LoadDefaultWavelengths();
void SaveDefaultWavelengths(const std::optional<Wavelengths>& wavelengths);

// Where the peak table sits and whether the user wants it after a fit.
struct PeakTableLayout {
  bool wanted = true;
  Qt::DockWidgetArea area = Qt::RightDockWidgetArea;
  bool floating = false;
  QByteArray floatingGeometry;
  int dockedWidth = 0;  // 0: the width that shows every column
};

PeakTableLayout LoadPeakTableLayout();
void SavePeakTableLayout(const PeakTableLayout& layout);

// The view menu's choices: the plot options but the size, and whether the
// plot follows the window.
struct ViewPreferences {
  PlotOptions plot;
  bool fitWindow = false;
};

ViewPreferences LoadViewPreferences();
void SaveViewPreferences(const ViewPreferences& preferences);

// The folder the file dialogs start in: the last one a file was chosen in,
// or "" before the first.
QString LoadLastFolder();
void SaveLastFolder(const QString& folder);
// The last folder when it still exists, else "" (the dialog's own start).
QString StartFolder();
// Remembers the folder of a file just chosen in a dialog.
void RememberFolderOf(const QString& file);
