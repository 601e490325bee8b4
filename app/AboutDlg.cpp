#include "app/AboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/DialogFont.h"
#include "app/DialogUnits.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  const DialogUnits units(DialogFont());
  setFont(DialogFont());
  setWindowTitle(tr("tavのﾊﾞｰｼﾞｮﾝ情報"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(units.X(235), units.Y(55));

  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/icons/tav.png")).pixmap(32, 32));
  icon->setGeometry(units.X(11), units.Y(17), 32, 32);
  auto* version = new QLabel(QStringLiteral("tav Version 1.0"), this);
  version->setGeometry(units.Rect(40, 10, 119, 10));
  auto* legal = new QLabel(QStringLiteral("Copyright (C) 2026 The tav authors"), this);
  legal->setGeometry(units.Rect(40, 25, 130, 10));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setGeometry(units.Rect(178, 7, 50, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
