#include <QApplication>
#include <QFileInfo>

#include "app/application_setup.h"
#include "app/command_line.h"
#include "app/console.h"
#include "app/headless_check.h"
#include "app/headless_export.h"
#include "app/splash.h"
#include "app/thumbnail.h"
#include "app/tfm_main.h"
#include "platform/canvas.h"
#include "platform/resource_picture.h"

namespace {

int Failed(const QString& message, int status) {
  PrintError(QStringLiteral("tarvosk: %1\n").arg(message));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const QStringList early = ProgramArguments(argc, argv);
  const TCommandLine line =
      ParseCommandLine(early, [](const QString& path) { return QFileInfo(path).isFile(); });
  if (line.Command != TCommand::Edit) AttachParentConsole();
  switch (line.Command) {
    case TCommand::Help:
      PrintOut(UsageText());
      return 0;
    case TCommand::Version:
      PrintOut(VersionText());
      return 0;
    case TCommand::Misuse:
      PrintError(QStringLiteral("tarvosk: %1\nСправка: tarvosk --help\n").arg(line.Error));
      return kMisuseExitCode;
    case TCommand::Export:
    case TCommand::Thumbnail:
    case TCommand::Check:
      // No window, no display needed; standard error holds the program's own lines only.
      // Windows' offscreen platform has no fonts: the minimal one asks the system for them as
      // the windowed platform does.
      DropQtMessages();
#if defined(Q_OS_WIN)
      qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
      qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
      break;
    case TCommand::Edit:
      break;
  }

  if (line.Command == TCommand::Thumbnail || line.Command == TCommand::Export ||
      line.Command == TCommand::Check) {
    // Drawn off screen from the document alone: no widget, so no widget application either.
    QGuiApplication app(argc, argv);
    SetUpApplication(app);
    RegisterPlanFonts();
    QString error;
    if (line.Command == TCommand::Check) {
      const int status = RunHeadlessCheck(line.Check, &error);
      return error.isEmpty() ? status : Failed(error, status);
    }
    if (line.Command == TCommand::Thumbnail) {
      error = RunThumbnail(line.Thumbnail);
    } else {
      const std::optional<THeadlessExport> job = ParseHeadlessExport(early, &error);
      if (error.isEmpty() && job) error = RunHeadlessExport(*job);
    }
    return error.isEmpty() ? 0 : Failed(error, 1);
  }

  QApplication app(argc, argv);
  SetUpApplication(app);

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
