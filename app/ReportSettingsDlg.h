#pragma once

#include <QString>

#include "app/TavDialog.h"
#include "profile/Wavelengths.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// The wavelengths of the open profile and the Scherrer settings the peak
// report uses, and the default wavelengths for files that state none. λ1, λ2
// and the Kα2/Kα1 ratio are positive or left empty (unknown); a default
// needs λ1. K is positive, the instrumental FWHM (degrees 2θ) is not
// negative. source says where the shown wavelengths came from.
class CReportSettingsDlg : public CTavDialog {
  Q_OBJECT
 public:
  CReportSettingsDlg(const Wavelengths& wavelengths, const QString& source,
                     const std::optional<Wavelengths>& defaults, double k, double instrumentalFwhm,
                     QWidget* parent = nullptr);

  Wavelengths m_wavelengths;
  std::optional<Wavelengths> m_defaults;
  double m_k;
  double m_instrumentalFwhm;

  QLineEdit* Lambda1Edit() const { return m_lambda1; }
  QLineEdit* Lambda2Edit() const { return m_lambda2; }
  QLineEdit* RatioEdit() const { return m_ratio; }
  QLineEdit* KEdit() const { return m_kEdit; }
  QLineEdit* InstrumentalEdit() const { return m_instrumental; }
  QLabel* SourceLabel() const { return m_source; }
  QCheckBox* UseDefaultCheck() const { return m_useDefault; }
  QLineEdit* DefaultLambda1Edit() const { return m_defaultLambda1; }
  QLineEdit* DefaultLambda2Edit() const { return m_defaultLambda2; }
  QLineEdit* DefaultRatioEdit() const { return m_defaultRatio; }

 protected:
  bool Exchange() override;

 private:
  QLineEdit* AddRow(const QString& label, int y, const std::optional<double>& value);
  // An empty field reads as unknown; anything else must be a positive number.
  bool ReadOptionalPositive(QLineEdit* edit, std::optional<double>& value);
  bool ReadWavelengths(QLineEdit* lambda1, QLineEdit* lambda2, QLineEdit* ratio, Wavelengths& read);
  bool ReadDefaults();
  void EnableDefaults(bool enabled);

  QLineEdit* m_lambda1;
  QLineEdit* m_lambda2;
  QLineEdit* m_ratio;
  QLineEdit* m_kEdit;
  QLineEdit* m_instrumental;
  QLabel* m_source;
  QCheckBox* m_useDefault;
  QLineEdit* m_defaultLambda1;
  QLineEdit* m_defaultLambda2;
  QLineEdit* m_defaultRatio;
};
