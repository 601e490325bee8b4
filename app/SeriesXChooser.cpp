#include "app/SeriesXChooser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// The first number in the name, with its decimals.
constexpr const char* kDefaultPattern = R"((\d+(?:\.\d+)?))";

}  // namespace

SeriesXChooser::SeriesXChooser(QWidget* parent)
    : QWidget(parent), m_choice(new QComboBox(this)), m_pattern(new QLineEdit(this)) {
  m_choice->addItem(tr("ファイル番号"), static_cast<int>(SeriesX::kIndex));
  m_choice->addItem(tr("ファイル名の順"), static_cast<int>(SeriesX::kNameOrder));
  m_choice->addItem(tr("ファイル名の数値"), static_cast<int>(SeriesX::kNumberInName));
  m_choice->addItem(tr("測定開始時刻"), static_cast<int>(SeriesX::kStartTime));
  m_choice->setItemData(m_choice->count() - 1,
                        tr("ファイルのヘッダーにある測定開始時刻 (XRDML, BRML, RASX, RAS, UXD, "
                           "RAW v3・v4)。最初のスキャンからの分"),
                        Qt::ToolTipRole);
  m_choice->setToolTip(tr("グラフの横軸にとるもの"));
  m_pattern->setText(QString::fromLatin1(kDefaultPattern));
  m_pattern->setToolTip(
      tr("ファイル名から数値を取り出す正規表現。最初の ( ) の中が数値になる（例: _(\\d+)C で "
         "NaCl_300C.xy から 300）"));
  m_pattern->setEnabled(false);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(tr("横軸"), this));
  layout->addWidget(m_choice);
  layout->addWidget(m_pattern, 1);
  connect(m_choice, &QComboBox::currentIndexChanged, this, [this] {
    m_pattern->setEnabled(m_choice->currentData().toInt() ==
                          static_cast<int>(SeriesX::kNumberInName));
    emit Changed();
  });
  connect(m_pattern, &QLineEdit::editingFinished, this, &SeriesXChooser::Changed);
}

bool SeriesXChooser::Values(const std::vector<SeriesXFile>& files, std::vector<double>& values,
                            QString& error) const {
  std::string reason;
  const auto x = static_cast<SeriesX>(m_choice->currentData().toInt());
  if (SeriesXValues(files, x, m_pattern->text().toStdString(), values, reason)) return true;
  error = QString::fromStdString(reason);
  return false;
}

QString SeriesXChooser::Title() const {
  switch (static_cast<SeriesX>(m_choice->currentData().toInt())) {
    case SeriesX::kNameOrder:
      return tr("ファイル名の順");
    case SeriesX::kNumberInName:
      return tr("ファイル名の数値 (%1)").arg(m_pattern->text());
    case SeriesX::kStartTime:
      return tr("最初のスキャンの開始からの時間 (分)");
    case SeriesX::kIndex:
      break;
  }
  return tr("ファイル番号 (index)");
}
