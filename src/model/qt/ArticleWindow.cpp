#include "model/qt/ArticleWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "content/Failure.h"
#include "content/TextFile.h"
#include "model/Address.h"
#include "model/qt/ModelSession.h"
#include "ui/qt/Dialogs.h"
#include "ui/qt/Widgets.h"

namespace veltrane::modelui {
namespace {

// Markdown from a server may name pictures and files; the article shows none of them.
class ArticleDocument : public QTextDocument {
 public:
  using QTextDocument::QTextDocument;

 protected:
  QVariant loadResource(int, const QUrl&) override { return {}; }
};

constexpr auto kMarkdown = QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                           QTextDocument::MarkdownNoHTML);

// 40 updates a second look continuous, and cost a fraction of one per piece at 200 a second.
constexpr std::chrono::milliseconds kUpdateInterval{25};

QLabel* PlainText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return label;
}

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

int WordCount(const QString& text) {
  int words = 0;
  bool inWord = false;
  for (const QChar c : text) {
    const bool letter = !c.isSpace();
    if (letter && !inWord) ++words;
    inWord = letter;
  }
  return words;
}

ArticleWindow::ArticleWindow(ModelSession& session, qt::Dialogs& dialogs,
                             std::filesystem::path articles, QWidget* parent)
    : QWidget(parent, Qt::Window),
      session_(session),
      dialogs_(dialogs),
      articles_(std::move(articles)) {
  setAttribute(Qt::WA_DeleteOnClose);

  auto* about = new QFormLayout;
  for (const char* name : {"Niche:", "Subniche:", "Problem:", "Article type:", "Model:"}) {
    QLabel* shown = PlainText(QString(), this);
    shown->setAccessibleName(QString::fromUtf8(name).chopped(1));
    about->addRow(QString::fromUtf8(name), shown);
    about_ << shown;
  }

  status_ = PlainText(QString(), this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setAccessibleName(QStringLiteral("Status"));

  view_ = new QTextEdit(this);
  view_->setObjectName(QStringLiteral("article"));
  view_->setDocument(new ArticleDocument(view_));
  view_->setReadOnly(true);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view_->setAccessibleName(QStringLiteral("Article"));
  view_->setTabChangesFocus(true);

  plain_ = new QCheckBox(QStringLiteral("Show &plain text"), this);
  stop_ = new QPushButton(QStringLiteral("S&top"), this);
  again_ = new QPushButton(QStringLiteral("Send &Again"), this);
  copy_ = new QPushButton(QStringLiteral("&Copy"), this);
  save_ = new QPushButton(QStringLiteral("&Save"), this);
  export_ = new QPushButton(QStringLiteral("&Export HTML\u2026"), this);
  save_->setToolTip(QStringLiteral("Saves the article as Markdown in your articles folder"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(plain_);
  buttons->addStretch(1);
  for (QPushButton* button : {stop_, again_, copy_, save_, export_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(about);
  layout->addWidget(status_);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);

  connect(stop_, &QPushButton::clicked, this, [this] {
    if (stream_) {
      stream_->Stop();
    } else if (sending_) {  // still looking up the key
      sending_ = false;
      End(false, QStringLiteral("You stopped it."));
    }
  });
  connect(again_, &QPushButton::clicked, this, &ArticleWindow::Send);
  connect(copy_, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(text_); });
  connect(save_, &QPushButton::clicked, this, &ArticleWindow::Save);
  connect(export_, &QPushButton::clicked, this, &ArticleWindow::ExportHtml);
  connect(plain_, &QCheckBox::toggled, this, &ArticleWindow::Show);
  paced_.setInterval(kUpdateInterval);
  connect(&paced_, &QTimer::timeout, this, &ArticleWindow::ShowArrived);
  resize(720, 760);
}

ArticleWindow::~ArticleWindow() = default;

void ArticleWindow::SetJob(ArticleJob job) {
  job_ = std::move(job);
  setWindowTitle(QStringLiteral("Article: %1").arg(Utf8(job_.header.problem)));
  const QString values[] = {
      Utf8(job_.header.niche),
      Utf8(job_.header.subniche),
      Utf8(job_.header.problem),
      Utf8(ArticleTypeLabel(job_.header.includeFree)),
      QStringLiteral("%1 at %2").arg(job_.endpoint.model, model::BaseText(job_.endpoint.base)),
  };
  for (qsizetype i = 0; i < about_.size(); ++i) about_[i]->setText(values[i]);
}

void ArticleWindow::MakeReady() {
  // The first window of a run would otherwise pay for styles, layouts and glyphs while the
  // writer waits for the first words.
  status_->setText(QStringLiteral("Writing\u2026"));  // as Send will announce it
  QImage drawn(size(), QImage::Format_ARGB32_Premultiplied);
  render(&drawn);  // no native window yet: an unseen one would be listed to screen readers
}

QString ArticleWindow::Status() const {
  return status_->text();
}

void ArticleWindow::Announce(const QString& text) {
  status_->setText(text);
  QAccessibleEvent event(status_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void ArticleWindow::Send() {
  delete stream_;
  paced_.stop();  // the old stream's pace would hold back the new one's first words
  text_.clear();
  complete_ = false;
  saved_.clear();
  view_->clear();
  shown_.clear();
  sending_ = true;
  Announce(QStringLiteral("Writing\u2026"));
  UpdateButtons();
  QPointer<ArticleWindow> self(this);
  session_.Keys().Read(model::BaseText(job_.endpoint.base),
                       [self](const QString& key, const QString&) {
                         if (self && self->sending_ && !self->stream_) self->Start(key);
                       });
}

void ArticleWindow::Start(const QString& key) {
  model::Endpoint endpoint = job_.endpoint;
  endpoint.key = key;
  stream_ = session_.Client().Chat(endpoint, job_.prompt);
  stream_->setParent(this);
  connect(stream_, &model::ChatStream::Arrived, this, &ArticleWindow::Append);
  connect(stream_, &model::ChatStream::Done, this, &ArticleWindow::End);
  stream_->StartNow();
  UpdateButtons();
}

void ArticleWindow::Append(const QString& piece) {
  text_ += piece;
  shown_ += piece;
  // The first piece at once; after it, at most one update of the view per interval, however
  // fast the server sends.
  if (!paced_.isActive()) {
    ShowArrived();
    paced_.start();
  }
}

void ArticleWindow::ShowArrived() {
  if (shown_.isEmpty()) {
    paced_.stop();
    return;
  }
  const QString piece = std::exchange(shown_, {});
  const bool first = view_->document()->isEmpty();
  QScrollBar* bar = view_->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  QTextCursor end(view_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(piece);
  if (atEnd) bar->setValue(bar->maximum());
  copy_->setEnabled(true);
  // The first words at once, not after the main window's repaint for losing the focus.
  if (first) view_->viewport()->repaint();
}

void ArticleWindow::End(bool complete, const QString& reason) {
  paced_.stop();
  shown_.clear();  // Show() puts the whole text in
  sending_ = false;
  complete_ = complete;
  Show();
  if (complete) {
    // Words as the reader sees them, without Markdown's marks: the view holds them, unless it
    // shows the plain text.
    QTextDocument formatted;
    if (plain_->isChecked()) formatted.setMarkdown(text_, kMarkdown);
    const QTextDocument& shown = plain_->isChecked() ? formatted : *view_->document();
    Announce(QStringLiteral("Article complete, %L1 words").arg(WordCount(shown.toPlainText())));
  } else {
    Announce(QStringLiteral("Article incomplete: %1").arg(reason));
  }
  UpdateButtons();
  emit Finished(complete);
}

void ArticleWindow::Show() {
  // Filled before the view lays it out: filled in place, a long article was laid out block by
  // block as it went in, which held the program up for most of a tenth of a second.
  auto* document = new ArticleDocument(view_);
  // Formatted only once complete: half an article is shown as it arrived.
  if (complete_ && !plain_->isChecked()) {
    document->setMarkdown(text_, kMarkdown);
  } else {
    document->setPlainText(text_);
  }
  const QPointer<QTextDocument> old = view_->document();
  view_->setDocument(document);
  delete old;  // unless the view did
}

void ArticleWindow::UpdateButtons() {
  stop_->setEnabled(sending_);
  again_->setEnabled(!sending_);
  copy_->setEnabled(!text_.isEmpty());
  save_->setEnabled(complete_);
  export_->setEnabled(complete_);
  plain_->setEnabled(complete_);
}

void ArticleWindow::Report(const QString& text, bool failure) {
  QMessageBox box(failure ? QMessageBox::Critical : QMessageBox::Information, windowTitle(), text,
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  dialogs_.Exec(box);
}

void ArticleWindow::Save() {
  if (!complete_) return;
  ArticleHeader header = job_.header;
  const QDateTime now = QDateTime::currentDateTime();
  header.date = now.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
  const std::string stamp = now.toString(QStringLiteral("yyyy-MM-dd HH-mm")).toStdString();
  std::filesystem::path path = ArticlePath(articles_, header, stamp);
  for (int n = 2; IsPresent(path); ++n) {
    path = ArticlePath(articles_, header, stamp + " (" + std::to_string(n) + ")");
  }
  try {
    WriteFileAtomically(path, ArticleFileText(header, text_.toStdString()));
    saved_ = path;
    Announce(QStringLiteral("Saved as %1").arg(QFile::decodeName(path.c_str())));
  } catch (const Failure& failure) {
    Report(QString::fromUtf8(failure.what()), true);
  }
}

void ArticleWindow::ExportHtml() {
  if (!complete_) return;
  QFileDialog chooser(this, QStringLiteral("Export HTML"));
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.setNameFilter(QStringLiteral("Web pages (*.html *.htm)"));
  chooser.setDefaultSuffix(QStringLiteral("html"));
  chooser.selectFile(QString::fromStdString(SafeFileName(job_.header.problem)) +
                     QStringLiteral(".html"));
  if (dialogs_.Exec(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  const QString file = chooser.selectedFiles().constFirst();
  QTextDocument page;
  page.setMarkdown(text_, kMarkdown);
  page.setMetaInformation(QTextDocument::DocumentTitle, Utf8(job_.header.problem));
  try {
    WriteFileAtomically(QFile::encodeName(file).toStdString(), page.toHtml().toStdString());
    Announce(QStringLiteral("Exported as %1").arg(file));
  } catch (const Failure& failure) {
    Report(QString::fromUtf8(failure.what()), true);
  }
}

}  // namespace veltrane::modelui
