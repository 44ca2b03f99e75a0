#include <QApplication>
#include <cstdio>

#include "app/application_setup.h"
#include "app/headless_export.h"
#include "app/splash.h"
#include "app/tfm_main.h"

namespace {

QStringList RawArguments(int argc, char** argv) {
  QStringList list;
  for (int i = 1; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  const QStringList early = RawArguments(argc, argv);
  if (WantsHelp(early)) {
    std::fputs(qPrintable(UsageText()), stdout);
    return 0;
  }
  QString exportError;
  const std::optional<THeadlessExport> job = ParseHeadlessExport(early, &exportError);
  if (job) qputenv("QT_QPA_PLATFORM", "offscreen");  // no window, no display needed

  QApplication app(argc, argv);
  SetUpApplication(app);

  if (job) {
    if (exportError.isEmpty()) exportError = RunHeadlessExport(*job);
    if (!exportError.isEmpty()) {
      std::fprintf(stderr, "tarvosk: %s\n", qPrintable(exportError));
      return 1;
    }
    return 0;
  }

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  RunSplash(arguments, QApplication::applicationFilePath());
  TStartOptions options;
  options.Arguments = arguments;
  options.KeepsUserState = true;
  // For scripted sessions that cannot wait half a minute for the autosave.
  bool delayOk = false;
  const int delay = qEnvironmentVariableIntValue("TARVOSK_AUTOSAVE_DELAY_MS", &delayOk);
  if (delayOk && delay >= 0) options.AutosaveDelayMs = delay;
  TfmMain window(options);
  window.show();
  return app.exec();
}
