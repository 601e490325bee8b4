#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "profile/TavDoc.h"
#include "view/ViewState.h"

class CTavView;

// The steps a user can take back and do again. A host brackets every command
// (menu item, mouse action, key) with Begin and End; End keeps a step when
// the command changed the view's state, the peak shape or the document. The
// modes and the selected peak are restored with a step but do not make one.
//
// The profile's points are shared between steps and copied only when a
// command changed them (an open, a correction), so that a step of a large
// profile costs its view state alone. The history keeps at most maxSteps
// steps and, of the point sets only it holds, at most maxBytes (the newest
// step always stays).
class UndoHistory {
 public:
  static constexpr std::size_t kDefaultSteps = 100;
  static constexpr std::size_t kDefaultBytes = std::size_t{512} << 20;

  explicit UndoHistory(std::size_t maxSteps = kDefaultSteps, std::size_t maxBytes = kDefaultBytes);

  void Begin(const CTavView& view);
  void End(const CTavView& view);

  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  // Restore the state before the last step (after the last undone one);
  // false, and nothing changed, when there is none. The host repaints.
  bool Undo(CTavView& view);
  bool Redo(CTavView& view);
  void Clear();

  std::size_t UndoSteps() const { return m_undo.size(); }
  // Counts the changes: every step kept, undone or done again.
  std::size_t Revision() const { return m_revision; }
  // Bytes of the point sets the steps hold besides the document's own.
  std::size_t HeldPointBytes() const;

 private:
  struct Points {
    int nData = 0;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> sigma;
    std::vector<double> countSigma;
  };
  using SharedPoints = std::shared_ptr<const Points>;
  struct Snapshot {
    ViewState view;
    CTavDoc header;  // the document without its points
    SharedPoints points;
    int reportRevision = 0;
  };

  Snapshot Capture(const CTavView& view) const;
  void Restore(const Snapshot& snapshot, CTavView& view);
  const SharedPoints& CurrentPoints(const CTavView& view);
  bool Changed(const Snapshot& before, const Snapshot& after) const;
  void Trim();
  using Steps = std::deque<Snapshot>;
  // Puts back the newest step of `from`, keeping the present one in `to`.
  bool Move(Steps& from, Steps& to, CTavView& view);

  std::size_t m_maxSteps;
  std::size_t m_maxBytes;
  Steps m_undo;
  Steps m_redo;
  std::optional<Snapshot> m_pending;
  // The document's points as the last End (or restore) left them.
  SharedPoints m_points;
  std::size_t m_revision = 0;
};
