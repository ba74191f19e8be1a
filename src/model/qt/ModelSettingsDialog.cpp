#include "model/qt/ModelSettingsDialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Address.h"
#include "model/qt/ModelSession.h"

namespace veltrane::modelui {
namespace {

struct Preset {
  const char* name;
  const char* address;
};
constexpr Preset kPresets[] = {
    {"Ollama (this computer)", "http://localhost:11434/v1"},
    {"llama.cpp server (this computer)", "http://localhost:8080/v1"},
};
constexpr int kCustom = static_cast<int>(std::size(kPresets));

QLabel* PlainText(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return label;
}

}  // namespace

ModelSettingsDialog::ModelSettingsDialog(ModelSession& session, QWidget* parent)
    : QDialog(parent), session_(session), chosen_(session.Settings()) {
  setWindowTitle(QStringLiteral("Model Settings"));
  auto* form = new QFormLayout;

  preset_ = new QComboBox(this);
  for (const Preset& preset : kPresets) preset_->addItem(QString::fromUtf8(preset.name));
  preset_->addItem(QStringLiteral("Custom"));
  form->addRow(QStringLiteral("&Server:"), preset_);

  address_ = new QLineEdit(this);
  address_->setPlaceholderText(QStringLiteral("https://api.example.com/v1"));
  form->addRow(QStringLiteral("&Address:"), address_);

  model_ = new QComboBox(this);
  model_->setEditable(true);
  model_->setInsertPolicy(QComboBox::NoInsert);
  model_->setMinimumContentsLength(24);
  refresh_ = new QPushButton(QStringLiteral("&Refresh"), this);
  refresh_->setToolTip(QStringLiteral("Ask the server which models it has"));
  auto* modelRow = new QHBoxLayout;
  modelRow->addWidget(model_, 1);
  modelRow->addWidget(refresh_);
  form->addRow(QStringLiteral("&Model:"), modelRow);
  qobject_cast<QLabel*>(form->labelForField(modelRow))->setBuddy(model_);

  key_ = new QLineEdit(this);
  key_->setEchoMode(QLineEdit::Password);
  key_->setPlaceholderText(QStringLiteral("none"));
  form->addRow(QStringLiteral("&Key (optional):"), key_);
  keyNote_ = PlainText(this);
  keyNote_->setText(QStringLiteral("Looking in the desktop's keyring\u2026"));
  form->addRow(QString(), keyNote_);

  // Screen readers name each box as its label does.
  preset_->setAccessibleName(QStringLiteral("Server"));
  address_->setAccessibleName(QStringLiteral("Address"));
  model_->setAccessibleName(QStringLiteral("Model"));
  key_->setAccessibleName(QStringLiteral("Key (optional)"));

  test_ = new QPushButton(QStringLiteral("&Test Connection"), this);
  result_ = PlainText(this);
  result_->setAccessibleName(QStringLiteral("Connection result"));
  auto* said = PlainText(this);
  said->setText(QStringLiteral(
      "Nothing is sent until you press Send to Model. The prompt goes to this address only, and "
      "the key only with it; the key is kept in the desktop's keyring, never in a file."));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(test_, 0, Qt::AlignLeft);
  layout->addWidget(result_);
  layout->addWidget(said);
  layout->addWidget(buttons);

  const QString address =
      chosen_.base.isEmpty() ? QString::fromUtf8(kPresets[0].address) : chosen_.base;
  address_->setText(address);
  AddressEdited();
  model_->setEditText(chosen_.model);

  connect(preset_, &QComboBox::activated, this, &ModelSettingsDialog::ChoosePreset);
  connect(address_, &QLineEdit::textEdited, this, &ModelSettingsDialog::AddressEdited);
  connect(refresh_, &QPushButton::clicked, this, [this] { AskForModels(false); });
  connect(test_, &QPushButton::clicked, this, [this] { AskForModels(true); });

  if (!chosen_.base.isEmpty()) {
    QPointer<ModelSettingsDialog> self(this);
    session_.Keys().Read(chosen_.base, [self](const QString& key, const QString& note) {
      if (!self) return;
      self->storedKey_ = key;
      if (self->key_->text().isEmpty()) self->key_->setText(key);
      self->keyNote_->setText(note.isEmpty() ? QStringLiteral("Kept in the desktop's keyring.")
                                             : note);
    });
  } else {
    keyNote_->setText(QStringLiteral("Kept in the desktop's keyring."));
  }
}

void ModelSettingsDialog::ChoosePreset(int index) {
  if (index < kCustom) address_->setText(QString::fromUtf8(kPresets[index].address));
  address_->setFocus();
}

void ModelSettingsDialog::AddressEdited() {
  const QString base = model::BaseText(model::ParseBase(address_->text()).url);
  int index = kCustom;
  for (int i = 0; i < kCustom; ++i) {
    if (base == QString::fromUtf8(kPresets[i].address)) index = i;
  }
  preset_->setCurrentIndex(index);
}

void ModelSettingsDialog::Say(const QString& text) {
  result_->setText(text);
  QAccessibleEvent event(result_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void ModelSettingsDialog::AskForModels(bool test) {
  const model::ParsedBase base = model::ParseBase(address_->text());
  if (!base.problem.isEmpty()) {
    Say(base.problem);
    return;
  }
  QString key = key_->text();
  if (!key.isEmpty()) {
    if (const auto refusal = model::KeyRefusal(base.url)) {
      Say(*refusal);
      return;
    }
  }
  delete asking_;
  Say(QStringLiteral("Asking %1\u2026").arg(model::BaseText(base.url)));
  model::ModelList* list = session_.Client().Models({base.url, model_->currentText(), key});
  list->setParent(this);
  asking_ = list;
  const QString wanted = model_->currentText().trimmed();
  connect(
      list, &model::ModelList::Done, this,
      [this, list, test, wanted, address = model::BaseText(base.url)](const QStringList& ids,
                                                                      const QString& problem) {
        list->deleteLater();
        if (!problem.isEmpty()) {
          Say(problem);
          return;
        }
        const QString typed = model_->currentText();
        model_->clear();
        model_->addItems(ids);
        model_->setEditText(typed);
        QString text =
            ids.size() == 1
                ? QStringLiteral("%1 answered: it has 1 model.").arg(address)
                : QStringLiteral("%1 answered: it has %L2 models.").arg(address).arg(ids.size());
        if (test && !wanted.isEmpty()) {
          text += ids.contains(wanted) ? QStringLiteral(" \"%1\" is among them.").arg(wanted)
                                       : QStringLiteral(" \"%1\" is not among them.").arg(wanted);
        }
        Say(text);
      });
}

void ModelSettingsDialog::accept() {
  const model::ParsedBase base = model::ParseBase(address_->text());
  if (!base.problem.isEmpty()) {
    Say(base.problem);
    address_->setFocus();
    return;
  }
  const QString key = key_->text();
  if (!key.isEmpty()) {
    if (const auto refusal = model::KeyRefusal(base.url)) {
      Say(*refusal);
      key_->setFocus();
      return;
    }
  }
  const QString model = model_->currentText().trimmed();
  if (model.isEmpty()) {
    Say(QStringLiteral("Choose a model, or type its name."));
    model_->setFocus();
    return;
  }
  const bool moved = model::BaseText(base.url) != chosen_.base;  // the stored key was for the old
  chosen_.base = model::BaseText(base.url);
  chosen_.model = model;
  if (const auto problem = session_.Save(chosen_)) {
    Say(*problem);
    return;
  }
  if (moved || key != storedKey_) {
    session_.Keys().Write(chosen_.base, key, [](const QString&) {});
  }
  QDialog::accept();
}

}  // namespace veltrane::modelui
