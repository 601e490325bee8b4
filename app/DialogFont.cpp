#include "app/DialogFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString ChooseFamily() {
  const QStringList installed = QFontDatabase::families();
  const QStringList preferred = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                 QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
  for (const QString& family : preferred) {
    if (installed.contains(family, Qt::CaseInsensitive)) return family;
  }
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  if (!japanese.isEmpty()) return japanese.first();
  return QString();
}

}  // namespace

QFont DialogFont() {
  static const QString family = ChooseFamily();
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  font.setPointSize(9);
  return font;
}
