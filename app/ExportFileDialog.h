#pragma once

#include <QString>

class QWidget;

// Asks where to write the plot: a PNG, SVG or PDF file, the name taking the
// chosen type's extension when it has none. "" when cancelled.
QString ChooseExportFile(QWidget* parent);
