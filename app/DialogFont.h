#pragma once

#include <QFont>

// The font of every dialog: 9-point "ＭＳ Ｐゴシック" where it is installed,
// otherwise an installed proportional Japanese Gothic (IPAPGothic, IPAGothic),
// otherwise any installed family that writes Japanese.
QFont DialogFont();
