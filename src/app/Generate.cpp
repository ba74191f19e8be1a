#include "app/Generate.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "content/Failure.h"
#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "model/Address.h"
#include "model/KeyStore.h"
#include "model/ModelClient.h"
#include "model/ModelSettings.h"
#include "prompt/Batch.h"

namespace veltrane::cli {
namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "veltrane: %s\n", message.toUtf8().constData());
  return 1;
}

void Print(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
}

}  // namespace

int Generate(const Options& options, const ContentRoots& roots, const char* programName) {
  const int niche = options.niche.value();
  const int subniche = options.subniche.value();
  const std::vector<ProblemEntry> problems =
      ListProblems(roots, std::to_string(niche), std::to_string(subniche));
  const auto found = std::find_if(problems.begin(), problems.end(), [&](const ProblemEntry& p) {
    return p.name == options.problem.value();
  });
  if (found == problems.end()) {
    return Fail(QStringLiteral("there is no problem \"%1\" in that subniche; \"veltrane --list\" "
                               "shows the names.")
                    .arg(QString::fromStdString(*options.problem)));
  }
  QString prompt;
  try {
    prompt =
        QString::fromStdString(ProblemPrompt(roots, niche, subniche, *found, options.includeFree));
  } catch (const Failure& failure) {
    return Fail(QString::fromUtf8(failure.what()));
  }

  int argc = 1;
  char* argv[] = {const_cast<char*>(programName), nullptr};
  QCoreApplication app(argc, argv);
  const model::LoadedSettings saved = model::SettingsFile().Load();
  if (saved.problem && (!options.base || !options.model)) {
    std::fprintf(stderr, "veltrane: %s\n", saved.problem->toUtf8().constData());
  }
  const QString baseText =
      options.base ? QString::fromStdString(*options.base) : saved.settings.base;
  const QString modelName =
      options.model ? QString::fromStdString(*options.model) : saved.settings.model;
  if (baseText.isEmpty() || modelName.isEmpty()) {
    return Fail(
        QStringLiteral("no model is set: give --base and --model, or choose them in the "
                       "window's Model Settings."));
  }
  const model::ParsedBase base = model::ParseBase(baseText);
  if (!base.problem.isEmpty()) return Fail(base.problem);

  int status = 1;
  std::unique_ptr<model::ChatStream> stream;
  model::ModelClient client;
  bool printed = false;
  bool endsInNewline = true;
  const auto send = [&](const QString& key) {
    if (!key.isEmpty()) {
      if (const auto refusal = model::KeyRefusal(base.url)) {
        Fail(*refusal);
        // May come before the event loop runs, where exit() alone would be lost.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
        return;
      }
    }
    stream.reset(client.Chat({base.url, modelName, key}, prompt));
    QObject::connect(stream.get(), &model::ChatStream::Arrived, [&](const QString& piece) {
      Print(piece);
      printed = true;
      endsInNewline = piece.endsWith(QLatin1Char('\n'));
    });
    QObject::connect(stream.get(), &model::ChatStream::Done,
                     [&](bool complete, const QString& reason) {
                       if (printed && !endsInNewline) Print(QStringLiteral("\n"));
                       if (complete) {
                         QCoreApplication::exit(0);
                       } else if (printed) {
                         QCoreApplication::exit(
                             Fail(QStringLiteral("the article is incomplete: %1").arg(reason)));
                       } else {
                         QCoreApplication::exit(Fail(reason));
                       }
                     });
  };
  const QByteArray fromEnvironment = qgetenv("VELTRANE_API_KEY");
  model::KeyStore keys;
  if (!fromEnvironment.isEmpty()) {
    send(QString::fromUtf8(fromEnvironment));
  } else {
    keys.Read(model::BaseText(base.url), [&](const QString& key, const QString&) { send(key); });
  }
  status = QCoreApplication::exec();
  return status;
}

}  // namespace veltrane::cli
