#pragma once

#include <QByteArray>
#include <QSettings>
#include <optional>

#include "profile/Wavelengths.h"

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
