#pragma once

#include <QDialog>

#include "app/DialogUnits.h"

class QLineEdit;
class QPushButton;

// A modal dialog laid out like a dialog template: a fixed size in dialog
// units, the dialog font, the caption, and an "OK" / "ｷｬﾝｾﾙ" pair. Subclasses
// place their controls with Units() and check their fields in Exchange(),
// which keeps the dialog open by returning false.
class CTavDialog : public QDialog {
  Q_OBJECT
 public:
  CTavDialog(QWidget* parent, const QString& caption, int widthDlu, int heightDlu);

  void accept() override;

  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }

 protected:
  const DialogUnits& Units() const { return m_units; }
  // Places the two buttons; by default at the top right, one above the other.
  void PlaceButtons(const QRect& ok, const QRect& cancel);
  virtual bool Exchange() = 0;

  // Field exchange with the platform's messages: each shows its message,
  // selects the field and returns false on a bad value.
  bool ReadInt(QLineEdit* edit, int& value);
  bool ReadIntInRange(QLineEdit* edit, int& value, int minimum, int maximum);
  bool ReadDouble(QLineEdit* edit, double& value);
  bool ReadDoubleInRange(QLineEdit* edit, double& value, double minimum, double maximum);
  // Shows message in a box over the dialog, then selects the field.
  void Refuse(QLineEdit* edit, const QString& message);

 private:
  DialogUnits m_units;
  QPushButton* m_ok;
  QPushButton* m_cancel;
};

// The text a real-number field shows: 15 significant digits, shortest form.
QString DoubleFieldText(double value);
