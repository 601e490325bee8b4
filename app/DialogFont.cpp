#include "app/DialogFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

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

// A Latin family for Greek letters, or "" when none of them is installed.
QString GreekFamily() {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : {"DejaVu Sans", "Noto Sans", "Liberation Sans", "FreeSans"}) {
    if (installed.contains(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return QString();
}

bool IsGreek(QChar c) { return c.unicode() >= 0x0370 && c.unicode() <= 0x03FF; }

}  // namespace

QString WithGreekInInterfaceFont(const QString& text) {
  static const QString family = GreekFamily();
  QString html;
  bool inGreek = false;
  for (const QChar c : text) {
    const bool greek = !family.isEmpty() && IsGreek(c);
    if (greek != inGreek) {
      html += greek ? QStringLiteral("<span style=\"font-family:'%1'\">").arg(family)
                    : QStringLiteral("</span>");
      inGreek = greek;
    }
    html += QString(c).toHtmlEscaped();
  }
  if (inGreek) html += QStringLiteral("</span>");
  return html;
}

void UseLatinFontForGreek(QWidget& widget) {
  static const QString family = GreekFamily();
  if (family.isEmpty()) return;
  QFont font = widget.font();
  font.setFamilies({family, DialogFont().family()});
  widget.setFont(font);
}

QFont DialogFont() {
  static const QString family = ChooseFamily();
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  font.setPointSize(9);
  return font;
}
