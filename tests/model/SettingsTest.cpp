#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <fstream>

#include "model/KeyStore.h"
#include "model/ModelSettings.h"
#include "support/TempDir.h"

namespace veltrane::test {
namespace {
using model::ModelSettings;
using model::SettingsFile;

QString PathOf(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ModelSettings, DamagedOrUnreadableFilesGiveTheDefaultsAndSaySo) {
  const struct {
    const char* contents;  // nullptr: no file; "/": a folder in its place
    ModelSettings expected;
    const char* says;  // "" when nothing is wrong
  } cases[] = {
      {nullptr, {}, ""},
      {"[model]\nbase=http://localhost:11434/v1\nmodel=llama3.2\n"
       "confirmed=http://localhost:11434/v1, https://api.example.com/v1\n",
       {"http://localhost:11434/v1",
        "llama3.2",
        {"http://localhost:11434/v1", "https://api.example.com/v1"}},
       ""},
      {"[other]\nbase=x\n", {}, ""},
      {"[model\nbase=http://evil.example/v1\n", {}, "is damaged"},
      {"/", {}, "could not be read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents ? c.contents : "(none)");
    TempDir dir;
    const std::filesystem::path path = dir.path() / "veltrane.conf";
    if (c.contents && std::string_view(c.contents) == "/") {
      std::filesystem::create_directory(path);
    } else if (c.contents) {
      dir.Write("veltrane.conf", c.contents);
    }
    const model::LoadedSettings loaded = SettingsFile(PathOf(path)).Load();
    EXPECT_EQ(loaded.settings, c.expected);
    EXPECT_EQ(loaded.problem.value_or("").contains(QString::fromUtf8(c.says)), true)
        << loaded.problem.value_or("").toStdString();
    EXPECT_EQ(loaded.problem.has_value(), *c.says != '\0');
  }
}

TEST(ModelSettings, WritesOnlyWhatChanged) {
  TempDir dir;
  const QString path = PathOf(dir.path() / "veltrane" / "veltrane.conf");
  const SettingsFile file(path);
  // Nothing chosen yet: no file is made.
  EXPECT_EQ(file.Save({}), std::nullopt);
  EXPECT_FALSE(QFileInfo::exists(path));

  const ModelSettings chosen{"http://localhost:8080/v1", "qwen", {"http://localhost:8080/v1"}};
  EXPECT_EQ(file.Save(chosen), std::nullopt);
  EXPECT_EQ(file.Load().settings, chosen);
  EXPECT_TRUE(Contents(path).startsWith("[model]\n"));
  // The same again leaves the file as it is, other groups and comments of the writer's too.
  dir.Write("veltrane/veltrane.conf", Contents(path).toStdString() + "[window]\nsize=3\n");
  const QByteArray before = Contents(path);
  EXPECT_EQ(file.Save(chosen), std::nullopt);
  EXPECT_EQ(Contents(path), before);
}

// The key of a base address, through the keyring when the test runs with one
// (VELTRANE_TEST_KEYRING=secret-service, see with-keyring.sh), through the fallback otherwise.
TEST(KeyStore, KeepsKeysPerAddressAndNeverInTheSettingsFile) {
  const bool keyring = qgetenv("VELTRANE_TEST_KEYRING") == "secret-service";
  model::KeyStore store;
  const auto write = [&store](const QString& base, const QString& key) {
    QString note = QStringLiteral("(not answered)");
    bool answered = false;
    store.Write(base, key, [&](const QString& said) { note = said, answered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 20'000));
    return note;
  };
  const auto read = [&store](const QString& base) {
    std::pair<QString, QString> got{QStringLiteral("(not answered)"), QString()};
    bool answered = false;
    store.Read(base, [&](const QString& key, const QString& note) {
      got = {key, note}, answered = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 20'000));
    return got;
  };
  const QString local = QStringLiteral("http://localhost:11434/v1");
  const QString hosted = QStringLiteral("https://api.example.com/v1");
  const QString key = QStringLiteral("sk-never-in-a-file-3f9a");

  const QString note = write(hosted, key);
  EXPECT_EQ(note.isEmpty(), keyring) << note.toStdString();
  if (!keyring) {
    EXPECT_TRUE(note.contains(QStringLiteral("kept only until Veltrane closes")));
  }
  EXPECT_EQ(read(hosted).first, key);
  if (keyring) {  // asked once a run: then given before Read returns
    QString given;
    store.Read(hosted, [&given](const QString& known, const QString&) { given = known; });
    EXPECT_EQ(given, key);
  }
  EXPECT_EQ(read(local).first, QString());  // a key belongs to its own address

  TempDir dir;
  const QString settings = PathOf(dir.path() / "veltrane.conf");
  ASSERT_EQ(SettingsFile(settings).Save({hosted, "gpt-4o-mini", {hosted}}), std::nullopt);
  EXPECT_FALSE(Contents(settings).contains(key.toUtf8()));
  EXPECT_TRUE(Contents(settings).contains("gpt-4o-mini"));

  // Only the keyring keeps it past the run.
  model::KeyStore::ForgetRunKeys();
  EXPECT_EQ(read(hosted).first, keyring ? key : QString());

  EXPECT_EQ(write(hosted, {}), QString());
  EXPECT_EQ(read(hosted).first, QString());
}

}  // namespace
}  // namespace veltrane::test
