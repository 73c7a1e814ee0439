#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "media/playercommand.h"
#include "media/playerprocess.h"
#include "testworld.h"

extern char **environ;

namespace {

using testsupport::TestWorld;
using Args = std::vector<std::string>;

std::string Replace(std::string s, const std::string &from, const std::string &to) {
  for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
  return s;
}

Args Lines(const std::string &text) {
  Args lines;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

int WaitForExit(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// --- From the template to the started player ----------------------------------------------

struct TemplateCase {
  const char *name;
  const char *commandTemplate;  // @R: the recording player, @O: its output file
  const char *path;
  std::optional<std::string> command;  // nullopt: refused
  const char *error;                   // when refused
  Args recorded;                       // the arguments the player got after @O
};

class Template : public testing::TestWithParam<TemplateCase> {};

TEST_P(Template, FormatsAndStarts) {
  const TemplateCase &c = GetParam();
  TestWorld world;
  const std::string out = world.Linux("args.txt");
  auto fill = [&](const std::string &s) { return Replace(Replace(s, "@R", RECORD_ARGS), "@O", out); };
  const std::string commandTemplate = fill(c.commandTemplate);

  platform::FormattedCommand formatted =
      platform::FormatCommand(platform::PrepareCommandTemplate(commandTemplate), c.path);
  if (!c.command) {
    EXPECT_FALSE(formatted.command.has_value());
    EXPECT_EQ(formatted.error, "関連づけられたコマンド \"" + platform::PrepareCommandTemplate(commandTemplate) +
                                   "\" の書式が正しくありません" + c.error);
    return;
  }
  ASSERT_TRUE(formatted.command.has_value()) << formatted.error;
  EXPECT_EQ(*formatted.command, fill(*c.command));
  platform::StartedProcess started = platform::StartDetached(*formatted.command);
  ASSERT_GT(started.pid, 0) << started.error;
  ASSERT_EQ(WaitForExit(started.pid), 0);
  EXPECT_EQ(Lines(TestWorld::ReadFile(out)), c.recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Template,
    testing::Values(
        TemplateCase{"QuotedProgramAndPlaceholder",
                     "\"@R\" \"@O\" \"%1\"",
                     "/m/My Music/a b.mid",
                     "\"@R\" \"@O\" \"/m/My Music/a b.mid\"",
                     "",
                     {"/m/My Music/a b.mid"}},
        TemplateCase{"TrailingL", "@R @O %L", "/m/a.mid", "@R @O /m/a.mid", "", {"/m/a.mid"}},
        TemplateCase{"UnquotedPlaceholderKeepsBlanksInOneArgument",
                     "@R @O %l",
                     "/m/a b.mid",
                     "@R @O \"/m/a b.mid\"",
                     "",
                     {"/m/a b.mid"}},
        TemplateCase{"QuoteInPathCantAddArguments",
                     "\"@R\" \"@O\" \"%1\"",
                     "/m/x\" --evil \"\\.mid",
                     "\"@R\" \"@O\" \"/m/x\\\" --evil \\\"\\\\.mid\"",
                     "",
                     {"/m/x\" --evil \"\\.mid"}},
        TemplateCase{"PercentAfterPlaceholder",
                     "@R @O \"%1\" 100%%",
                     "/m/a.mid",
                     "@R @O \"/m/a.mid\" 100%",
                     "",
                     {"/m/a.mid", "100%"}},
        TemplateCase{"NoPlaceholderStartsWithoutFile", "@R @O", "/m/a.mid", "@R @O", "", {}},
        TemplateCase{"StarAlone", "@R @O %*", "/m/a.mid", std::nullopt, " (%* は使えません)", {}},
        TemplateCase{"SecondPlaceholder", "@R @O \"%1\" %2", "/m/a.mid", std::nullopt, " (%2 は使えません)", {}},
        TemplateCase{
            "OnlyTheFirstPercentIsPrepared", "@R @O %1 %1", "/m/a.mid", std::nullopt, " (%1 は使えません)", {}},
        TemplateCase{"TwoConversions", "@R @O %s %s", "/m/a.mid", std::nullopt, " (%s が二つ以上あります)", {}},
        TemplateCase{"WidthIsRefused", "@R @O \"%1\" %-5s", "/m/a.mid", std::nullopt, " (%- は使えません)", {}},
        TemplateCase{"PercentAtTheEnd", "@R @O \"%1\" %", "/m/a.mid", std::nullopt, " (末尾の %)", {}}),
    [](const testing::TestParamInfo<TemplateCase> &info) { return std::string(info.param.name); });

TEST(PrepareCommandTemplate, LooksAtTheFirstPercentOnly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"p \"%1\"", "p \"%s\""}, {"p %L", "p %s"}, {"p %l x", "p %s x"}, {"p %2 %1", "p %2 %1"},
      {"p %", "p %"},           {"p", "p"},       {"p %%1", "p %%1"},   {"", ""}};
  for (const auto &[in, out] : cases) EXPECT_EQ(platform::PrepareCommandTemplate(in), out) << in;
}

// --- Command lines --------------------------------------------------------------------------

TEST(SplitCommandLine, QuotingRules) {
  const std::vector<std::pair<std::string, Args>> cases = {
      {"a  b\tc\n", {"a", "b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {R"("a \"q\" \\ \$ \` \x")", {R"(a "q" \ $ ` \x)"}},
      {R"(C:\dir\x.exe 'a b')", {R"(C:\dir\x.exe)", "'a", "b'"}},
      {"a\"b c\"d", {"ab cd"}},
      {"p \"\"", {"p", ""}},
      {"\"open end", {"open end"}},
      {"   ", {}},
  };
  for (const auto &[line, args] : cases) EXPECT_EQ(platform::SplitCommandLine(line), args) << line;
}

TEST(StartDetached, FailuresStartNothing) {
  platform::StartedProcess none = platform::StartDetached("  ");
  EXPECT_EQ(none.pid, 0);
  EXPECT_EQ(none.error, "起動するプログラムがコマンドにありません");
  platform::StartedProcess missing = platform::StartDetached("\"/no/such player\" x");
  EXPECT_EQ(missing.pid, 0);
  EXPECT_EQ(missing.error.rfind("/no/such player を起動できません (", 0), 0u) << missing.error;
}

TEST(StartDetached, SearchesPathAndKeepsTheCurrentFolder) {
  TestWorld world;
  const std::string out = world.Linux("pwd.txt");
  ASSERT_EQ(chdir(world.Root().c_str()), 0);
  platform::StartedProcess started = platform::StartDetached("sh -c \"pwd > pwd.txt\"");
  ASSERT_GT(started.pid, 0) << started.error;
  ASSERT_EQ(WaitForExit(started.pid), 0);
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  EXPECT_EQ(TestWorld::ReadFile(out), std::string(here) + "\n");
  ASSERT_EQ(chdir("/"), 0);
}

// --- Ending a player ------------------------------------------------------------------------

TEST(TerminateStartedPlayer, OnlyARunningPlayerOfOurs) {
  platform::StartedProcess player = platform::StartDetached("sleep 60");
  ASSERT_GT(player.pid, 0);
  EXPECT_TRUE(platform::TerminateStartedPlayer(player.pid));
  EXPECT_EQ(WaitForExit(player.pid), 128 + SIGTERM);
  EXPECT_FALSE(platform::TerminateStartedPlayer(player.pid));  // collected: its pid is free

  // A player that ended by itself, not yet collected, is not signalled; it is collected.
  platform::StartedProcess ended = platform::StartDetached("true");
  ASSERT_GT(ended.pid, 0);
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, ended.pid, &info, WEXITED | WNOWAIT), 0);
  EXPECT_FALSE(platform::TerminateStartedPlayer(ended.pid));
  EXPECT_EQ(waitpid(ended.pid, nullptr, WNOHANG), -1);

  // A child that someone else started, and processes that aren't children at all.
  pid_t other = 0;
  char sleep[] = "sleep", sixty[] = "60";
  char *argv[] = {sleep, sixty, nullptr};
  ASSERT_EQ(posix_spawnp(&other, "sleep", nullptr, nullptr, argv, environ), 0);
  EXPECT_FALSE(platform::TerminateStartedPlayer(other));
  EXPECT_EQ(kill(other, 0), 0);
  kill(other, SIGKILL);
  WaitForExit(other);
  EXPECT_FALSE(platform::TerminateStartedPlayer(getpid()));
  EXPECT_FALSE(platform::TerminateStartedPlayer(0));
  EXPECT_FALSE(platform::TerminateStartedPlayer(-1));
}

}  // namespace

// --- Collecting ended players ---------------------------------------------------------------

namespace {
// The state letter of /proc/<pid>/stat: 'Z' for a zombie; 0 when there is no such process.
char ProcessState(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  if (!TestWorld::Exists(path)) return 0;
  const std::string stat = TestWorld::ReadFile(path);
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() ? stat[close + 2] : 0;
}
}  // namespace

TEST(CollectEndedPlayers, EndedPlayersOfOursOnly) {
  platform::StartedProcess running = platform::StartDetached("sleep 60");
  platform::StartedProcess ended = platform::StartDetached("true");
  ASSERT_GT(running.pid, 0);
  ASSERT_GT(ended.pid, 0);
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, ended.pid, &info, WEXITED | WNOWAIT), 0);
  ASSERT_EQ(ProcessState(ended.pid), 'Z');
  // A child that someone else started, ended and not yet waited for.
  pid_t other = 0;
  char tru[] = "true";
  char *argv[] = {tru, nullptr};
  ASSERT_EQ(posix_spawnp(&other, "true", nullptr, nullptr, argv, environ), 0);
  ASSERT_EQ(waitid(P_PID, other, &info, WEXITED | WNOWAIT), 0);

  EXPECT_EQ(platform::CollectEndedPlayers(), 1u);
  EXPECT_EQ(ProcessState(ended.pid), 0) << "an ended player is collected";
  EXPECT_FALSE(platform::IsStartedPlayer(ended.pid));
  EXPECT_TRUE(platform::IsStartedPlayer(running.pid));
  EXPECT_NE(ProcessState(running.pid), 'Z');
  EXPECT_EQ(waitpid(other, nullptr, WNOHANG), other) << "someone else's child is left to them";

  EXPECT_TRUE(platform::TerminateStartedPlayer(running.pid));
  EXPECT_EQ(WaitForExit(running.pid), 128 + SIGTERM);
}
