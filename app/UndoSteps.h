#pragma once

class CTavView;
class UndoHistory;

// Brackets what the user does (a command, a mouse action, a key) with the
// undo history. Brackets may nest, as when a command's dialog lets input
// through: the outermost one makes the step.
class UndoSteps {
 public:
  UndoSteps(UndoHistory& history, const CTavView& view) : m_history(history), m_view(view) {}

  void Begin();
  void End();
  bool Recording() const { return m_depth > 0; }

  // Begin on construction, End on destruction; nothing for no steps.
  class Scope {
   public:
    explicit Scope(UndoSteps* steps) : m_steps(steps) {
      if (m_steps != nullptr) m_steps->Begin();
    }
    ~Scope() {
      if (m_steps != nullptr) m_steps->End();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    UndoSteps* m_steps;
  };

 private:
  UndoHistory& m_history;
  const CTavView& m_view;
  int m_depth = 0;
};
