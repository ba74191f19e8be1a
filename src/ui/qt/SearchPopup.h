#pragma once

#include <QFrame>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>

#include "content/ContentPaths.h"
#include "content/ProblemIndex.h"

class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;

namespace veltrane::qt {

class SearchResults;

// Finding a problem in every niche: a line to type in and the problems found, in a frameless
// popup over the top of the window, so nothing laid out in the window moves. The results follow
// each keystroke. The index is made at the first opening, in slices between events, while the
// popup says "Searching…"; later searches check the files for changes first.
class SearchPopup : public QFrame {
  Q_OBJECT
 public:
  SearchPopup(ContentRoots roots, QWidget* window);
  ~SearchPopup() override;

  // Shows the popup with the last text selected, the keyboard in the line.
  void Open();
  // Runs when the user picks a result; the popup has closed by then.
  std::function<void(int niche, int subniche, const std::string& name)> onChoose;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildSlice();
  // The results for the line's text, or "Searching…" until the index is ready.
  void Update();
  void Choose(const QModelIndex& index);
  void Close();
  void SetStatus(const QString& status);

  ProblemIndex index_;
  QLineEdit* line_;
  QListView* list_;
  QLabel* status_;
  SearchResults* results_;
  QTimer slices_;
  // What had the keyboard before: it gets it back when the search is left with Escape.
  QPointer<QWidget> returnFocus_;
};

}  // namespace veltrane::qt
