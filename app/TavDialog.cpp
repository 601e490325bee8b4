#include "app/TavDialog.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>

#include "app/DialogFont.h"

CTavDialog::CTavDialog(QWidget* parent, const QString& caption, int widthDlu, int heightDlu)
    : QDialog(parent), m_units(DialogFont()) {
  setFont(DialogFont());
  setWindowTitle(caption);
  setModal(true);
  // Caption and system menu, no help button, fixed modal frame.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(m_units.X(widthDlu), m_units.Y(heightDlu));

  m_ok = new QPushButton(QStringLiteral("OK"), this);
  m_ok->setDefault(true);
  m_ok->setAutoDefault(true);
  m_cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
  m_cancel->setAutoDefault(false);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  PlaceButtons(m_units.Rect(widthDlu - 57, 7, 50, 14), m_units.Rect(widthDlu - 57, 24, 50, 14));
}

void CTavDialog::PlaceButtons(const QRect& ok, const QRect& cancel) {
  m_ok->setGeometry(ok);
  m_cancel->setGeometry(cancel);
}

void CTavDialog::accept() {
  if (Exchange()) QDialog::accept();
}

void CTavDialog::Refuse(QLineEdit* edit, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("tav"), message, QMessageBox::Ok, this);
  box.exec();
  edit->setFocus();
  edit->selectAll();
}

bool CTavDialog::ReadInt(QLineEdit* edit, int& value) {
  bool ok = false;
  const int parsed = edit->text().trimmed().toInt(&ok);
  if (!ok) {
    Refuse(edit, tr("整数を入力してください。"));
    return false;
  }
  value = parsed;
  return true;
}

bool CTavDialog::ReadIntInRange(QLineEdit* edit, int& value, int minimum, int maximum) {
  int parsed = 0;
  if (!ReadInt(edit, parsed)) return false;
  if (parsed < minimum || parsed > maximum) {
    Refuse(edit, tr("%1 から %2 までの整数を入力してください。").arg(minimum).arg(maximum));
    return false;
  }
  value = parsed;
  return true;
}

bool CTavDialog::ReadDouble(QLineEdit* edit, double& value) {
  bool ok = false;
  const double parsed = edit->text().trimmed().toDouble(&ok);
  // A range or tolerance of infinity or NaN would only poison the drawing.
  if (!ok || !std::isfinite(parsed)) {
    Refuse(edit, tr("数値を入力してください。"));
    return false;
  }
  value = parsed;
  return true;
}

bool CTavDialog::ReadDoubleInRange(QLineEdit* edit, double& value, double minimum, double maximum) {
  double parsed = 0.0;
  if (!ReadDouble(edit, parsed)) return false;
  if (parsed < minimum || parsed > maximum) {
    Refuse(edit, tr("%1 から %2 までの数値を入力してください。")
                     .arg(DoubleFieldText(minimum), DoubleFieldText(maximum)));
    return false;
  }
  value = parsed;
  return true;
}

QString DoubleFieldText(double value) { return QString::number(value, 'g', 15); }
