#include "ui/qt/ArticleOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "ui/qt/Widgets.h"

namespace veltrane::qt {

ArticleOptionsDialog::ArticleOptionsDialog(const ArticleOptions& current, QWidget* parent)
    : QDialog(parent),
      language_(new QComboBox(this)),
      tone_(new QComboBox(this)),
      length_(new QSpinBox(this)),
      experience_(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("Article Options"));
  // Any language may be typed; these are offered.
  language_->setEditable(true);
  language_->addItems({"English",
                       "German",
                       "French",
                       "Spanish",
                       "Italian",
                       "Portuguese",
                       "Brazilian Portuguese",
                       "Dutch",
                       "Polish",
                       "Swedish",
                       "Danish",
                       "Norwegian",
                       "Finnish",
                       "Czech",
                       "Romanian",
                       "Turkish",
                       "Japanese",
                       "Korean",
                       "Chinese (Simplified)",
                       "Indonesian"});
  language_->setCurrentText(FromUtf8(current.language));
  for (const ToneChoice& tone : ArticleTones()) {
    QString name = QString::fromUtf8(tone.name.data(), static_cast<qsizetype>(tone.name.size()));
    name[0] = name[0].toUpper();
    tone_->addItem(name, name.toLower());
  }
  const int tone = tone_->findData(FromUtf8(current.tone));
  if (tone >= 0) {
    tone_->setCurrentIndex(tone);
  } else {  // one the writer typed into the settings file: kept as it is
    tone_->addItem(FromUtf8(current.tone), FromUtf8(current.tone));
    tone_->setCurrentIndex(tone_->count() - 1);
  }
  length_->setRange(0, static_cast<int>(kLongestLength));
  length_->setSingleStep(100);
  length_->setSuffix(QStringLiteral(" words"));
  length_->setSpecialValueText(QStringLiteral("Usual (1,500 to 2,000 words)"));
  length_->setValue(static_cast<int>(current.length));
  experience_->setTabChangesFocus(true);
  experience_->setPlainText(FromUtf8(current.experience));
  experience_->setPlaceholderText(
      QStringLiteral("What you have seen yourself of the problem or the products. Left empty, "
                     "the prompt keeps a line for you to fill in later."));

  auto* form = new QFormLayout(this);
  const auto row = [&](const char* label, QWidget* field) {
    auto* text = new QLabel(QString::fromUtf8(label), this);
    text->setTextFormat(Qt::PlainText);
    text->setBuddy(field);
    field->setAccessibleName(QString::fromUtf8(label).remove(QLatin1Char('&')).chopped(1));
    form->addRow(text, field);
  };
  row("&Language:", language_);
  row("&Tone:", tone_);
  row("Len&gth:", length_);
  row("Your own &experience:", experience_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(sizeHint().expandedTo(QSize(520, 0)));
}

ArticleOptions ArticleOptionsDialog::Options() const {
  ArticleOptions options;
  options.language = ToUtf8(language_->currentText().trimmed());
  options.tone = ToUtf8(tone_->currentData().toString());
  options.length = static_cast<std::size_t>(length_->value());
  options.experience = ToUtf8(experience_->toPlainText());
  return options;
}

}  // namespace veltrane::qt
