#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "app/application_setup.h"
#include "app/command_line.h"
#include "app/headless_export.h"
#include "app/splash.h"
#include "app/thumbnail.h"
#include "app/tfm_main.h"
#include "platform/resource_picture.h"

namespace {

QStringList RawArguments(int argc, char** argv) {
  QStringList list;
  for (int i = 1; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
}

int Failed(const QString& message, int status) {
  std::fprintf(stderr, "tarvosk: %s\n", qPrintable(message));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const QStringList early = RawArguments(argc, argv);
  const TCommandLine line =
      ParseCommandLine(early, [](const QString& path) { return QFileInfo(path).isFile(); });
  switch (line.Command) {
    case TCommand::Help:
      std::fputs(qPrintable(UsageText()), stdout);
      return 0;
    case TCommand::Version:
      std::fputs(qPrintable(VersionText()), stdout);
      return 0;
    case TCommand::Misuse:
      std::fprintf(stderr, "tarvosk: %s\nTry 'tarvosk --help'.\n", qPrintable(line.Error));
      return kMisuseExitCode;
    case TCommand::Export:
    case TCommand::Thumbnail:
      qputenv("QT_QPA_PLATFORM", "offscreen");  // no window, no display needed
      break;
    case TCommand::Edit:
      break;
  }

  QApplication app(argc, argv);
  SetUpApplication(app);

  if (line.Command == TCommand::Thumbnail) {
    const QString error = RunThumbnail(line.Thumbnail);
    return error.isEmpty() ? 0 : Failed(error, 1);
  }
  if (line.Command == TCommand::Export) {
    QString error;
    const std::optional<THeadlessExport> job = ParseHeadlessExport(early, &error);
    if (error.isEmpty() && job) error = RunHeadlessExport(*job);
    return error.isEmpty() ? 0 : Failed(error, 1);
  }

  // Read on the second core while this one loads the fonts.
  PrefetchResourcePictures(TfmMain::StartUpPictures());
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  RunSplash(arguments, QApplication::applicationFilePath());
  TStartOptions options;
  options.Arguments = arguments;
  options.KeepsUserState = true;
  options.DefersObjectPages = true;
  // For scripted sessions that cannot wait half a minute for the autosave.
  bool delayOk = false;
  const int delay = qEnvironmentVariableIntValue("TARVOSK_AUTOSAVE_DELAY_MS", &delayOk);
  if (delayOk && delay >= 0) options.AutosaveDelayMs = delay;
  TfmMain window(options);
  window.show();
  return app.exec();
}
