#pragma once

class CTavView;
class QPrinter;
class QWidget;

// Draws the view with OnDraw on the printer's first page. The picture keeps
// the size it has on a 96-dpi screen, shrunk to the page if it is wider or
// taller. Returns false when the printer cannot be started.
bool PrintView(const CTavView& view, QPrinter& printer);

// The print command: the print dialog, then the printout. Returns whether a
// page was printed.
bool PrintWithDialog(const CTavView& view, QWidget* parent);

// The print preview: a preview window of the same printout.
void PrintPreview(const CTavView& view, QWidget* parent);
