#include "model/qt/BatchDialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "content/Failure.h"
#include "content/NicheCatalog.h"
#include "content/TextFile.h"
#include "model/Address.h"
#include "model/qt/ModelSession.h"
#include "ui/qt/Dialogs.h"

namespace veltrane::modelui {
namespace {

constexpr std::pair<const char*, Rhythm> kRhythms[] = {
    {"Daily", Rhythm::Daily},
    {"Weekly", Rhythm::Weekly},
    {"Every 2 weeks", Rhythm::EveryTwoWeeks},
    {"Monthly", Rhythm::Monthly},
};

std::string_view SubnicheName(const BatchSource& source) {
  return NicheCatalog()[static_cast<std::size_t>(source.niche)]
      .subniches[static_cast<std::size_t>(source.subniche)];
}

}  // namespace

BatchDialog::BatchDialog(ModelSession& session, qt::Dialogs& dialogs, BatchSource source,
                         QWidget* parent)
    : QDialog(parent), session_(session), dialogs_(dialogs), source_(std::move(source)) {
  setWindowTitle(QStringLiteral("Prompts for the Whole Subniche"));
  auto* form = new QFormLayout;
  auto* subniche = new QLabel(
      QString::fromUtf8(SubnicheName(source_).data(), qsizetype(SubnicheName(source_).size())),
      this);
  subniche->setTextFormat(Qt::PlainText);
  form->addRow(QStringLiteral("Subniche:"), subniche);

  folder_ = new QLineEdit(this);
  auto* choose = new QPushButton(QStringLiteral("C&hoose\u2026"), this);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(choose);
  form->addRow(QStringLiteral("&Folder:"), folderRow);
  qobject_cast<QLabel*>(form->labelForField(folderRow))->setBuddy(folder_);
  folder_->setAccessibleName(QStringLiteral("Folder"));

  start_ = new QDateEdit(QDate::currentDate(), this);
  start_->setCalendarPopup(true);
  start_->setAccessibleName(QStringLiteral("First day"));
  form->addRow(QStringLiteral("First &day:"), start_);
  rhythm_ = new QComboBox(this);
  for (const auto& [name, rhythm] : kRhythms) rhythm_->addItem(QString::fromUtf8(name));
  rhythm_->setCurrentIndex(1);
  rhythm_->setAccessibleName(QStringLiteral("One file"));
  form->addRow(QStringLiteral("&One file:"), rhythm_);

  prompts_ = new QRadioButton(QStringLiteral("&Prompts, one file per problem"), this);
  articles_ = new QRadioButton(QStringLiteral("&Articles from the model, one after another"), this);
  prompts_->setChecked(true);
  const model::ModelSettings& settings = session_.Settings();
  articles_->setEnabled(settings.Ready());
  if (!settings.Ready()) {
    articles_->setToolTip(QStringLiteral("Choose a model in Model Settings first"));
  }

  progress_ = new QProgressBar(this);
  progress_->setAccessibleName(QStringLiteral("Progress"));
  status_ = new QLabel(this);
  status_->setTextFormat(Qt::PlainText);
  status_->setWordWrap(true);
  status_->setAccessibleName(QStringLiteral("Status"));

  run_ = new QPushButton(QStringLiteral("&Write"), this);
  stop_ = new QPushButton(QStringLiteral("&Stop"), this);
  stop_->setEnabled(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(run_, QDialogButtonBox::ActionRole);
  buttons->addButton(stop_, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(prompts_);
  layout->addWidget(articles_);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  layout->addWidget(buttons);

  connect(choose, &QPushButton::clicked, this, &BatchDialog::ChooseFolder);
  connect(run_, &QPushButton::clicked, this, &BatchDialog::Run);
  connect(stop_, &QPushButton::clicked, this, [this] {
    stopping_ = true;
    if (stream_) stream_->Stop();
  });
}

std::filesystem::path BatchDialog::Folder() const {
  return QFile::encodeName(folder_->text().trimmed()).toStdString();
}

void BatchDialog::ChooseFolder() {
  QFileDialog chooser(this, QStringLiteral("Folder for the Files"));
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  if (dialogs_.Exec(chooser) == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    folder_->setText(chooser.selectedFiles().constFirst());
  }
}

void BatchDialog::Run() {
  if (folder_->text().trimmed().isEmpty()) {
    status_->setText(QStringLiteral("Choose a folder first."));
    folder_->setFocus();
    return;
  }
  const bool articles = articles_->isChecked();
  const QDate first = start_->date();
  const std::chrono::year_month_day start{std::chrono::year(first.year()),
                                          std::chrono::month(unsigned(first.month())),
                                          std::chrono::day(unsigned(first.day()))};
  try {
    const std::vector<BatchItem> items =
        PlanBatch(source_.roots, source_.niche, {source_.subniche}, false,
                  articles ? ".md" : ".txt", start, kRhythms[rhythm_->currentIndex()].second);
    if (items.empty()) {
      status_->setText(QStringLiteral("This subniche has no problems to write."));
      return;
    }
    WriteFileAtomically(Folder() / "calendar.csv", CalendarCsv(items));
    left_ = StillToWrite(items, Folder());
    progress_->setRange(0, static_cast<int>(items.size()));
    progress_->setValue(static_cast<int>(items.size() - left_.size()));
  } catch (const Failure& failure) {
    status_->setText(QString::fromUtf8(failure.what()));
    return;
  }
  running_ = true;
  stopping_ = false;
  run_->setEnabled(false);
  stop_->setEnabled(true);
  status_->setText(QStringLiteral("Writing\u2026"));
  if (articles) {
    const model::ModelSettings& settings = session_.Settings();
    endpoint_ = {model::ParseBase(settings.base).url, settings.model, {}};
    session_.Keys().Read(settings.base,
                         [self = QPointer(this)](const QString& key, const QString&) {
                           if (!self) return;
                           self->endpoint_.key = key;
                           self->Next();
                         });
  } else {
    QTimer::singleShot(0, this, &BatchDialog::Next);
  }
}

void BatchDialog::Next() {
  if (stopping_) {
    Finish(QStringLiteral("Stopped. Files written are kept; Write goes on from there."));
    return;
  }
  if (left_.empty()) {
    Finish(QStringLiteral("Done: %L1 files and calendar.csv are in the folder.")
               .arg(progress_->maximum()));
    return;
  }
  const BatchItem item = left_.front();
  if (articles_->isChecked()) {
    WriteArticle(item);
    return;
  }
  try {
    WriteFileAtomically(
        Folder() / item.file,
        ProblemPrompt(source_.roots, item.niche, item.subniche, item.problem, source_.includeFree));
  } catch (const Failure& failure) {
    Finish(QString::fromUtf8(failure.what()));
    return;
  }
  left_.erase(left_.begin());
  progress_->setValue(progress_->value() + 1);
  QTimer::singleShot(0, this, &BatchDialog::Next);
}

void BatchDialog::WriteArticle(const BatchItem& item) {
  QString prompt;
  try {
    prompt = QString::fromStdString(
        ProblemPrompt(source_.roots, item.niche, item.subniche, item.problem, source_.includeFree));
  } catch (const Failure& failure) {
    Finish(QString::fromUtf8(failure.what()));
    return;
  }
  stream_ = session_.Client().Chat(endpoint_, prompt);
  stream_->setParent(this);
  status_->setText(QStringLiteral("Writing \u201c%1\u201d\u2026")
                       .arg(QString::fromStdString(item.problem.name)));
  connect(stream_, &model::ChatStream::Done, this,
          [this, item, stream = stream_.data()](bool complete, const QString& reason) {
            stream->deleteLater();
            if (!complete) {
              Finish(QStringLiteral("Stopped at \u201c%1\u201d: %2 Files written are kept; Write "
                                    "goes on from there.")
                         .arg(QString::fromStdString(item.problem.name), reason));
              return;
            }
            const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(item.niche)];
            const ArticleHeader header{
                std::string(niche.name),
                std::string(niche.subniches[static_cast<std::size_t>(item.subniche)]),
                item.problem.name,
                source_.includeFree,
                endpoint_.model.toStdString(),
                QDateTime::currentDateTime()
                    .toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                    .toStdString()};
            try {
              WriteFileAtomically(Folder() / item.file,
                                  ArticleFileText(header, stream->Text().toStdString()));
            } catch (const Failure& failure) {
              Finish(QString::fromUtf8(failure.what()));
              return;
            }
            left_.erase(left_.begin());
            progress_->setValue(progress_->value() + 1);
            Next();
          });
}

void BatchDialog::Finish(const QString& text) {
  running_ = false;
  run_->setEnabled(true);
  stop_->setEnabled(false);
  status_->setText(text);
  QAccessibleEvent event(status_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
  emit RunEnded();
}

}  // namespace veltrane::modelui
