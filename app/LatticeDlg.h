#pragma once

#include <QDialog>
#include <optional>

#include "fit/Lattice.h"

class CTavView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The phase and its refinement: the crystal system, centring and starting
// cell (相を設定: the peaks get their hkl), the goniometer radius, which of
// zero shift and specimen displacement to refine with the cell (精密化), the
// refined values with their σ and correlations, each reflection's residual,
// and whether later d-spacings are corrected. Each button runs the lattice
// command of the same name at once; refusals are the commands' messages.
class CLatticeDlg : public QDialog {
  Q_OBJECT
 public:
  CLatticeDlg(CTavView& view, QWidget* parent = nullptr);

  QComboBox* SystemChoice() const { return m_system; }
  QComboBox* CentringChoice() const { return m_centring; }
  QLineEdit* LengthEdit(int j) const { return m_lengths[j]; }  // a, b, c
  QLineEdit* RadiusEdit() const { return m_radius; }
  QCheckBox* ZeroCheck() const { return m_zero; }
  QCheckBox* DisplacementCheck() const { return m_displacement; }
  QPushButton* SetButton() const { return m_set; }
  QPushButton* RefineButton() const { return m_refine; }
  QCheckBox* CorrectCheck() const { return m_correct; }
  QLabel* ResultLabel() const { return m_result; }
  QTableWidget* ReflectionTable() const { return m_reflections; }

 private:
  void ShowPhase();
  void ShowCentrings();
  void ShowSystemLengths();
  // The cell and radius of the fields, or nullopt after a message.
  std::optional<UnitCell> ReadCell();
  bool ReadRadius(std::optional<double>& radius);
  // Sets the phase and radius of the fields where they differ from the
  // session's; false after a message.
  bool ApplyFields();
  void Refine();
  void ShowIndexing();

  CTavView& m_view;
  QComboBox* m_system;
  QComboBox* m_centring;
  QLineEdit* m_lengths[3];
  QLineEdit* m_radius;
  QCheckBox* m_zero;
  QCheckBox* m_displacement;
  QPushButton* m_set;
  QPushButton* m_refine;
  QCheckBox* m_correct;
  QLabel* m_result;
  QTableWidget* m_reflections;
};
