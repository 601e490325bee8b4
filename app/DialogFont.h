#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The font of every dialog: 9-point "ＭＳ Ｐゴシック" where it is installed,
// otherwise an installed proportional Japanese Gothic (IPAPGothic, IPAGothic),
// otherwise any installed family that writes Japanese.
QFont DialogFont();

// The text as rich text with its Greek letters (α, η, λ, θ, σ, χ, ...) in a
// Latin interface font, which draws them at their own width; the Japanese
// dialog font draws them full-width. The text's other characters are escaped.
QString WithGreekInInterfaceFont(const QString& text);
// The same for a widget that shows plain text (a check box, a list of
// choices): its font looks in the Latin interface font first, then in the
// dialog font for what that lacks (the Japanese).
void UseLatinFontForGreek(QWidget& widget);
