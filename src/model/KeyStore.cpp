#include "model/KeyStore.h"

#include <qt6keychain/keychain.h>
#include <QHash>

namespace veltrane::model {
namespace {

constexpr auto kService = "veltrane";

// Keys that no keyring took, for as long as the program runs.
QHash<QString, QString>& RunKeys() {
  static QHash<QString, QString> keys;
  return keys;
}

// Keys the keyring gave or took this run: asking it again costs tens of milliseconds a send.
QHash<QString, QString>& KeyringKeys() {
  static QHash<QString, QString> keys;
  return keys;
}

QString KeptForTheRun(const QKeychain::Job& job) {
  QString why = job.errorString().trimmed();
  if (why.isEmpty()) why = QStringLiteral("no keyring service answered");
  return QStringLiteral(
             "The desktop's keyring could not be used (%1). The key is kept only "
             "until Veltrane closes.")
      .arg(why);
}

}  // namespace

KeyStore::KeyStore(QObject* parent) : QObject(parent) {}

void KeyStore::ForgetRunKeys() {
  RunKeys().clear();
  KeyringKeys().clear();
}

void KeyStore::Read(const QString& base, std::function<void(const QString&, const QString&)> done) {
  if (const auto known = KeyringKeys().constFind(base); known != KeyringKeys().cend()) {
    done(*known, {});
    return;
  }
  auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kService), this);
  job->setKey(base);
  job->setInsecureFallback(false);
  connect(job, &QKeychain::Job::finished, this, [base, done](QKeychain::Job* finished) {
    const auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
    switch (read->error()) {
      case QKeychain::NoError:
        KeyringKeys().insert(base, read->textData());
        done(read->textData(), {});
        return;
      case QKeychain::EntryNotFound:
        if (!RunKeys().contains(base)) KeyringKeys().insert(base, QString());
        done(RunKeys().value(base), {});
        return;
      default:
        done(RunKeys().value(base), KeptForTheRun(*read));
    }
  });
  job->start();
}

void KeyStore::Write(const QString& base, const QString& key,
                     std::function<void(const QString&)> done) {
  QKeychain::Job* job = nullptr;
  if (key.isEmpty()) {
    job = new QKeychain::DeletePasswordJob(QString::fromLatin1(kService), this);
  } else {
    auto* write = new QKeychain::WritePasswordJob(QString::fromLatin1(kService), this);
    write->setTextData(key);
    job = write;
  }
  job->setKey(base);
  job->setInsecureFallback(false);
  connect(job, &QKeychain::Job::finished, this, [base, key, done](QKeychain::Job* finished) {
    const QKeychain::Error error = finished->error();
    RunKeys().remove(base);
    KeyringKeys().remove(base);
    if (error == QKeychain::NoError || (key.isEmpty() && error == QKeychain::EntryNotFound)) {
      KeyringKeys().insert(base, key);
      done({});
    } else if (key.isEmpty()) {
      done({});
    } else {
      RunKeys().insert(base, key);
      done(KeptForTheRun(*finished));
    }
  });
  job->start();
}

}  // namespace veltrane::model
