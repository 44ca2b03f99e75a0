#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

const QString kSplitDocument = QStringLiteral("/plans/My --draft.tarvosk");

bool IsFile(const QString& path) { return path == kSplitDocument; }

TEST(CommandLine, EachFormIsRecognised) {
  struct Row {
    QStringList arguments;
    TCommand command;
    const char* error;  // a part of the message for Misuse
  };
  const Row rows[] = {
      {{}, TCommand::Edit, ""},
      {{"plan.tarvosk"}, TCommand::Edit, ""},
      {{"My", "plan.tarvosk"}, TCommand::Edit, ""},
      {{"-ns"}, TCommand::Edit, ""},
      {{"/ns"}, TCommand::Edit, ""},
      {{"-x"}, TCommand::Edit, ""},  // a single dash belongs to a path
      {{"/plans/My", "--draft.tarvosk"}, TCommand::Edit, ""},  // an existing path, split
      {{"--help"}, TCommand::Help, ""},
      {{"-h"}, TCommand::Help, ""},
      {{"--bogus", "--help"}, TCommand::Help, ""},
      {{"--version"}, TCommand::Version, ""},
      {{"--export", "a.png", "d.tarvosk"}, TCommand::Export, ""},
      {{"--export", "a.png", "d.tarvosk", "--size", "900x600"}, TCommand::Export, ""},
      {{"--export", "a.pdf", "d.tarvosk", "--scale", "1:50", "--paper", "A3", "--landscape"},
       TCommand::Export, ""},
      {{"--thumbnail", "d.tarvosk", "t.png", "256"}, TCommand::Thumbnail, ""},
      {{"--thumbnail", "d.tarvosk", "t.png", "8"}, TCommand::Thumbnail, ""},
      {{"--thumbnail", "d.tarvosk", "t.png", "1024"}, TCommand::Thumbnail, ""},
      {{"--bogus"}, TCommand::Misuse, "unknown option '--bogus'"},
      {{"--"}, TCommand::Misuse, "unknown option '--'"},
      {{"plan.tarvosk", "--verbose"}, TCommand::Misuse, "unknown option '--verbose'"},
      {{"/plans/My", "--drafts.tarvosk"}, TCommand::Misuse, "unknown option '--drafts.tarvosk'"},
      {{"--export", "a.png", "d.tarvosk", "--quality", "9"}, TCommand::Misuse, "'--quality'"},
      {{"--size", "900x600"}, TCommand::Misuse, "--size belongs to --export"},
      {{"--landscape", "plan.tarvosk"}, TCommand::Misuse, "--landscape belongs to --export"},
      {{"--scale", "1:50"}, TCommand::Misuse, "--scale belongs to --export"},
      {{"--paper", "A4"}, TCommand::Misuse, "--paper belongs to --export"},
      {{"--thumbnail", "d.tarvosk", "t.png"}, TCommand::Misuse, "exactly a DOCUMENT"},
      {{"--thumbnail", "d.tarvosk", "t.png", "256", "x"}, TCommand::Misuse, "exactly a DOCUMENT"},
      {{"--thumbnail", "d.tarvosk", "t.png", "7"}, TCommand::Misuse, "from 8 to 1024, not '7'"},
      {{"--thumbnail", "d.tarvosk", "t.png", "1025"}, TCommand::Misuse, "not '1025'"},
      {{"--thumbnail", "d.tarvosk", "t.png", "12px"}, TCommand::Misuse, "not '12px'"},
      {{"--thumbnail", "d.tarvosk", "t.png", "-5"}, TCommand::Misuse, "not '-5'"},
      {{"--thumbnail", "d.tarvosk", "--size", "256"}, TCommand::Misuse, "no option such as '--size'"},
      {{"--thumbnail", "d.tarvosk", "t.png", "256", "--thumbnail"}, TCommand::Misuse, "exactly"},
      {{"--export", "a.png", "--thumbnail", "d", "t.png", "9"}, TCommand::Misuse, "cannot be combined"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.arguments.join(u' ').toStdString());
    const TCommandLine line = ParseCommandLine(r.arguments, IsFile);
    EXPECT_EQ(line.Command, r.command);
    EXPECT_TRUE(line.Error.contains(QLatin1String(r.error))) << line.Error.toStdString();
    EXPECT_EQ(line.Error.isEmpty(), r.command != TCommand::Misuse);
  }
}

TEST(CommandLine, TheThumbnailJobTakesItsArgumentsInOrder) {
  const TCommandLine line = ParseCommandLine(
      {QStringLiteral("--thumbnail"), QStringLiteral("/a b/d.tarvosk"), QStringLiteral("/tmp/t.png"),
       QStringLiteral("0128")},
      IsFile);
  ASSERT_EQ(line.Command, TCommand::Thumbnail);
  EXPECT_EQ(line.Thumbnail.Document, QStringLiteral("/a b/d.tarvosk"));
  EXPECT_EQ(line.Thumbnail.Picture, QStringLiteral("/tmp/t.png"));
  EXPECT_EQ(line.Thumbnail.Size, 128);
}

TEST(CommandLine, HelpNamesEveryOptionTheParserKnows) {
  const QString help = UsageText();
  for (const char* option : {"-ns", "--export", "--size", "--scale", "--paper", "--landscape",
                             "--thumbnail", "--version", "--help", "-h"}) {
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    // and every option the help names is one the parser knows
    const QStringList arguments = {QLatin1String(option)};
    EXPECT_FALSE(ParseCommandLine(arguments, IsFile).Error.contains(QLatin1String("unknown"))) << option;
  }
}

TEST(CommandLine, VersionIsTheProgramsNameAndVersion) {
  EXPECT_TRUE(VersionText().startsWith(QLatin1String("tarvosk ")));
  EXPECT_TRUE(VersionText().endsWith(u'\n'));
  EXPECT_EQ(VersionText().count(u'\n'), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^tarvosk \\d+\\.\\d+\\.\\d+\n$")).match(VersionText()).hasMatch());
}

}  // namespace
