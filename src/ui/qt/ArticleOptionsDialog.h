#pragma once

#include <QDialog>

#include "prompt/ArticleOptions.h"

class QComboBox;
class QPlainTextEdit;
class QSpinBox;

namespace veltrane::qt {

// "Article Options…": the language, tone and length of the article, and the writer's own
// experience, which the templates use in place of the line left for it.
class ArticleOptionsDialog : public QDialog {
 public:
  ArticleOptionsDialog(const ArticleOptions& current, QWidget* parent);
  ArticleOptions Options() const;

 private:
  QComboBox* language_;
  QComboBox* tone_;
  QSpinBox* length_;
  QPlainTextEdit* experience_;
};

}  // namespace veltrane::qt
