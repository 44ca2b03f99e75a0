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
      {{"--bogus"}, TCommand::Misuse, "неизвестный параметр «--bogus»"},
      {{"--"}, TCommand::Misuse, "неизвестный параметр «--»"},
      {{"plan.tarvosk", "--verbose"}, TCommand::Misuse, "неизвестный параметр «--verbose»"},
      {{"/plans/My", "--drafts.tarvosk"}, TCommand::Misuse, "неизвестный параметр «--drafts.tarvosk»"},
      {{"--export", "a.png", "d.tarvosk", "--quality", "9"}, TCommand::Misuse, "«--quality»"},
      {{"--size", "900x600"}, TCommand::Misuse, "--size бывает только при --export"},
      {{"--landscape", "plan.tarvosk"}, TCommand::Misuse, "--landscape бывает только при --export"},
      {{"--scale", "1:50"}, TCommand::Misuse, "--scale бывает только при --export"},
      {{"--paper", "A4"}, TCommand::Misuse, "--paper бывает только при --export"},
      {{"--thumbnail", "d.tarvosk", "t.png"}, TCommand::Misuse, "ровно ДОКУМЕНТ"},
      {{"--thumbnail", "d.tarvosk", "t.png", "256", "x"}, TCommand::Misuse, "ровно ДОКУМЕНТ"},
      {{"--thumbnail", "d.tarvosk", "t.png", "7"}, TCommand::Misuse, "от 8 до 1024, а не «7»"},
      {{"--thumbnail", "d.tarvosk", "t.png", "1025"}, TCommand::Misuse, "а не «1025»"},
      {{"--thumbnail", "d.tarvosk", "t.png", "12px"}, TCommand::Misuse, "а не «12px»"},
      {{"--thumbnail", "d.tarvosk", "t.png", "-5"}, TCommand::Misuse, "а не «-5»"},
      {{"--thumbnail", "d.tarvosk", "--size", "256"}, TCommand::Misuse, "не знает параметра «--size»"},
      {{"--thumbnail", "d.tarvosk", "t.png", "256", "--thumbnail"}, TCommand::Misuse, "ровно"},
      {{"--export", "a.png", "--thumbnail", "d", "t.png", "9"}, TCommand::Misuse, "нельзя давать вместе"},
      // the checks, and --strict where it belongs
      {{"--check", "d.tarvosk"}, TCommand::Check, ""},
      {{"--check", "d.tarvosk", "--json", "--strict"}, TCommand::Check, ""},
      {{"--export", "a.png", "d.tarvosk", "--strict"}, TCommand::Export, ""},
      {{"--thumbnail", "d.tarvosk", "--strict", "t.png", "256"}, TCommand::Thumbnail, ""},
      {{"--check"}, TCommand::Misuse, "ровно один ДОКУМЕНТ"},
      {{"--check", "a.tarvosk", "b.tarvosk"}, TCommand::Misuse, "ровно один ДОКУМЕНТ"},
      {{"--check", "d.tarvosk", "--csv"}, TCommand::Misuse, "не знает параметра «--csv»"},
      {{"--check", "d.tarvosk", "--size", "900x600"}, TCommand::Misuse, "«--size»"},
      {{"--check", "d.tarvosk", "--export", "a.png"}, TCommand::Misuse, "нельзя давать вместе"},
      {{"--check", "d.tarvosk", "--thumbnail", "t.png", "9"}, TCommand::Misuse, "нельзя давать вместе"},
      {{"--json", "d.tarvosk"}, TCommand::Misuse, "--json бывает только при --check"},
      {{"--strict", "d.tarvosk"}, TCommand::Misuse, "--strict бывает только при"},
      {{"--export", "a.png", "d.tarvosk", "--json"}, TCommand::Misuse, "«--json»"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.arguments.join(u' ').toStdString());
    const TCommandLine line = ParseCommandLine(r.arguments, IsFile);
    EXPECT_EQ(line.Command, r.command);
    EXPECT_TRUE(line.Error.contains(QString::fromUtf8(r.error))) << line.Error.toStdString();
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

TEST(CommandLine, TheCheckJobTakesTheDocumentAndItsOptions) {
  struct Row {
    QStringList arguments;
    const char* document;
    bool json;
    bool strict;
  };
  const Row rows[] = {
      {{"--check", "/a b/d.tarvosk"}, "/a b/d.tarvosk", false, false},
      {{"--json", "--check", "d.tarvosk"}, "d.tarvosk", true, false},
      {{"--check", "--strict", "d.tarvosk"}, "d.tarvosk", false, true},
      {{"--check", "d.tarvosk", "--strict", "--json"}, "d.tarvosk", true, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.arguments.join(u' ').toStdString());
    const TCommandLine line = ParseCommandLine(r.arguments, IsFile);
    ASSERT_EQ(line.Command, TCommand::Check) << line.Error.toStdString();
    EXPECT_EQ(line.Check.Document, QString::fromUtf8(r.document));
    EXPECT_EQ(line.Check.Json, r.json);
    EXPECT_EQ(line.Check.Strict, r.strict);
  }
  // --strict is taken out of a thumbnail's arguments wherever it stands
  const TCommandLine thumbnail = ParseCommandLine(
      {QStringLiteral("--strict"), QStringLiteral("--thumbnail"), QStringLiteral("d.tarvosk"),
       QStringLiteral("t.png"), QStringLiteral("64")},
      IsFile);
  ASSERT_EQ(thumbnail.Command, TCommand::Thumbnail);
  EXPECT_TRUE(thumbnail.Thumbnail.Strict);
  EXPECT_EQ(thumbnail.Thumbnail.Size, 64);
}

TEST(CommandLine, HelpNamesEveryOptionTheParserKnows) {
  const QString help = UsageText();
  for (const char* option : {"-ns", "--export", "--size", "--scale", "--paper", "--landscape",
                             "--thumbnail", "--check", "--json", "--strict", "--version", "--help",
                             "-h"}) {
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    // and every option the help names is one the parser knows
    const QStringList arguments = {QLatin1String(option)};
    EXPECT_FALSE(ParseCommandLine(arguments, IsFile).Error.contains(QStringLiteral("неизвестный"))) << option;
  }
}

TEST(CommandLine, VersionIsTheProgramsNameAndVersion) {
  EXPECT_TRUE(VersionText().startsWith(QLatin1String("tarvosk ")));
  EXPECT_TRUE(VersionText().endsWith(u'\n'));
  EXPECT_EQ(VersionText().count(u'\n'), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^tarvosk \\d+\\.\\d+\\.\\d+\n$")).match(VersionText()).hasMatch());
}

}  // namespace
