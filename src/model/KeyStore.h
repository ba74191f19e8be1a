#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace veltrane::model {

// The writer's keys, one per base address, in the desktop's keyring (Secret Service, KWallet).
// Where no keyring answers, a key is kept in memory for this run only. Keys never go to a file
// or a log.
class KeyStore : public QObject {
  Q_OBJECT
 public:
  explicit KeyStore(QObject* parent = nullptr);

  // `done(key, note)`: the key ("" for none); `note` says, in plain words, when the keyring
  // could not be used. A key the keyring gave or took this run is given at once, before Read
  // returns.
  void Read(const QString& base, std::function<void(const QString&, const QString&)> done);
  // Stores `key` for `base`, or removes it when empty. `done(note)`: note is empty when the
  // keyring has it, else it says the key is kept for this run only and why.
  void Write(const QString& base, const QString& key, std::function<void(const QString&)> done);

  // Forgets the keys kept or known for this run.
  static void ForgetRunKeys();
};

}  // namespace veltrane::model
