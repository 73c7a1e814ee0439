#include "x11/windows.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

extern char **environ;

namespace {

// fake_game_window as a child process; its window exists once the constructor returns.
class FakeWindow {
 public:
  explicit FakeWindow(const std::vector<std::string> &options) {
    std::vector<std::string> args{FAKE_GAME_WINDOW};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string line;
    char ch;
    while (read(out[0], &ch, 1) == 1 && ch != '\n') line += ch;
    close(out[0]);
    id_ = static_cast<uint32_t>(std::strtoul(line.c_str(), nullptr, 10));
  }
  // Returns once the server has destroyed the window too, so that the next test on the same
  // display doesn't find it.
  ~FakeWindow() {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const uint32_t mask[] = {XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_generic_error_t *error =
        xcb_request_check(c, xcb_change_window_attributes_checked(c, id_, XCB_CW_EVENT_MASK, mask));
    bool gone = error != nullptr;
    std::free(error);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      Wait();
    }
    while (!gone) {
      xcb_generic_event_t *event = xcb_wait_for_event(c);
      if (event == nullptr) break;
      gone = (event->response_type & 0x7F) == XCB_DESTROY_NOTIFY &&
             reinterpret_cast<xcb_destroy_notify_event_t *>(event)->window == id_;
      std::free(event);
    }
    xcb_disconnect(c);
  }
  uint32_t id() const { return id_; }
  pid_t pid() const { return pid_; }
  // Blocks until the child ends; its exit code.
  int Wait() {
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  uint32_t id_ = 0;
};

// Round trip: every request sent so far has been carried out when it returns.
void Sync(xcb_connection_t *c) { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

// Plays the part of an EWMH window manager through root properties: alive (its check window
// names itself) or dead (the check window is gone, the properties stay behind).
class FakeWindowManager {
 public:
  explicit FakeWindowManager(bool alive) {
    c_ = xcb_connect(nullptr, nullptr);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    xcb_window_t check = NewWindow();
    Set(check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
    Set(root_, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {check});
    Set(root_, "_NET_SUPPORTED", XCB_ATOM_ATOM, {Atom("_NET_CLOSE_WINDOW")});
    if (!alive) xcb_destroy_window(c_, check);
    const uint32_t mask[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, mask);
    Sync(c_);
  }
  ~FakeWindowManager() {
    for (const char *name : {"_NET_SUPPORTING_WM_CHECK", "_NET_CLIENT_LIST", "_NET_SUPPORTED"})
      xcb_delete_property(c_, root_, Atom(name));
    Sync(c_);
    xcb_disconnect(c_);
  }
  void List(const std::vector<uint32_t> &clients) {
    Set(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, clients);
    Sync(c_);
  }
  void SetIconic(uint32_t window) {
    Set(window, "WM_STATE", Atom("WM_STATE"), {3, XCB_NONE});
    Sync(c_);
  }
  // The id of a window that existed and is gone.
  uint32_t VanishedWindow() {
    xcb_window_t w = NewWindow();
    xcb_destroy_window(c_, w);
    Sync(c_);
    return w;
  }
  // The client messages sent to the root window so far. Whatever another client sent before
  // this round trip has been queued on our connection by the time the reply is in.
  std::vector<xcb_client_message_event_t> RootMessages() {
    Sync(c_);
    std::vector<xcb_client_message_event_t> messages;
    while (xcb_generic_event_t *event = xcb_poll_for_event(c_)) {
      if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
        messages.emplace_back();
        std::memcpy(&messages.back(), event, sizeof messages.back());
      }
      std::free(event);
    }
    return messages;
  }
  xcb_atom_t Atom(const char *name) {
    auto *r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
    xcb_atom_t atom = r->atom;
    std::free(r);
    return atom;
  }

 private:
  xcb_window_t NewWindow() {
    xcb_window_t w = xcb_generate_id(c_);
    xcb_create_window(c_, 0, w, root_, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    return w;
  }
  void Set(xcb_window_t w, const char *name, xcb_atom_t type, const std::vector<uint32_t> &v) {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, Atom(name), type, 32, v.size(), v.data());
  }
  xcb_connection_t *c_;
  xcb_window_t root_;
};

enum class Wm {
  kNone,
  kListsIt,
  kListsItIconic,  // and has minimised it
  kListsNothing,
  kDeadListsVanished,  // a dead manager's list names a window that is gone
  kDeadListsIt,
};

std::unique_ptr<FakeWindowManager> Arrange(Wm wm, uint32_t window) {
  if (wm == Wm::kNone) return nullptr;
  bool dead = wm == Wm::kDeadListsVanished || wm == Wm::kDeadListsIt;
  auto m = std::make_unique<FakeWindowManager>(!dead);
  if (wm == Wm::kListsNothing) m->List({});
  if (wm == Wm::kDeadListsVanished) m->List({m->VanishedWindow()});
  if (wm == Wm::kListsIt || wm == Wm::kListsItIconic || wm == Wm::kDeadListsIt) m->List({window});
  if (wm == Wm::kListsItIconic) m->SetIconic(window);
  return m;
}

std::optional<platform::TopWindow> Find(uint32_t id) {
  for (const platform::TopWindow &w : platform::EnumTopWindows())
    if (w.id == id) return w;
  return std::nullopt;
}

template <class Case>
std::string CaseName(const testing::TestParamInfo<Case> &info) {
  return info.param.name;
}

// --- Is the game running? ----------------------------------------------------------------

struct GameCase {
  const char *name;
  std::vector<std::string> window;  // fake_game_window's options; empty: no window at all
  std::vector<std::string> exeNames;
  Wm wm;
  bool running;
};

class GameRunning : public testing::TestWithParam<GameCase> {};

TEST_P(GameRunning, Answers) {
  const GameCase &c = GetParam();
  std::optional<FakeWindow> window;
  if (!c.window.empty()) {
    window.emplace(c.window);
    ASSERT_NE(window->id(), 0u);  // else a "not running" would hold for the wrong reason
  }
  auto wm = Arrange(c.wm, window ? window->id() : 0);
  EXPECT_EQ(platform::IsGameRunning(c.exeNames), c.running);
}

const std::vector<std::string> kUo{"--class", "Ultima Online"};

INSTANTIATE_TEST_SUITE_P(
    Cases, GameRunning,
    testing::Values(
        GameCase{"GameClass", kUo, {}, Wm::kNone, true},
        GameCase{"ThirdDawnClass", {"--class", "Ultima Online Third Dawn"}, {}, Wm::kNone, true},
        GameCase{"GameClassInOtherCase", {"--class", "ultima online"}, {}, Wm::kNone, false},
        GameCase{"OwnedWindow", {"--class", "Ultima Online", "--owned"}, {}, Wm::kNone, false},
        GameCase{"HiddenWindow", {"--class", "Ultima Online", "--hidden"}, {}, Wm::kNone, false},
        GameCase{"GameNameOnlyInTitle",
                 {"--class", "Notepad", "--title", "Ultima Online", "--wm-name", "Ultima Online"},
                 {},
                 Wm::kNone,
                 false},
        GameCase{"ExeClassInOtherCase", {"--class", "CLIENT.EXE"}, {"uo.exe", "client.exe"}, Wm::kNone, true},
        GameCase{"ExeAsInstanceOnly", {"--instance", "client.exe", "--class", "Wine"}, {"client.exe"}, Wm::kNone, true},
        GameCase{"OtherExe", {"--class", "client.exe"}, {"uo.exe"}, Wm::kNone, false},
        GameCase{"EmptyExeNameAndClasslessWindow", {"--title", "x"}, {""}, Wm::kNone, false},
        GameCase{"NoWindows", {}, {"client.exe"}, Wm::kNone, false},
        GameCase{"ManagedAndShown", kUo, {}, Wm::kListsIt, true},
        GameCase{"ManagedButWithdrawn", {"--class", "Ultima Online", "--hidden"}, {}, Wm::kListsIt, false},
        GameCase{"MinimisedByWindowManager", {"--class", "Ultima Online", "--hidden"}, {}, Wm::kListsItIconic, true},
        GameCase{"UnlistedWhileManagerLives", kUo, {}, Wm::kListsNothing, false},
        GameCase{"ListOfDeadManagerIgnored", kUo, {}, Wm::kDeadListsVanished, true}),
    CaseName<GameCase>);

// --- What a window reports -----------------------------------------------------------------

struct EnumCase {
  const char *name;
  std::vector<std::string> window;
  platform::TopWindow expected;  // id and pid aside
  bool pidKnown;
};

class TopWindows : public testing::TestWithParam<EnumCase> {};

TEST_P(TopWindows, Report) {
  const EnumCase &c = GetParam();
  FakeWindow window(c.window);
  std::optional<platform::TopWindow> w = Find(window.id());
  ASSERT_TRUE(w.has_value());
  EXPECT_EQ(w->owned, c.expected.owned);
  EXPECT_EQ(w->visible, c.expected.visible);
  EXPECT_EQ(w->instanceName, c.expected.instanceName);
  EXPECT_EQ(w->className, c.expected.className);
  EXPECT_EQ(w->title, c.expected.title);
  EXPECT_EQ(w->pid, c.pidKnown ? window.pid() : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TopWindows,
    testing::Values(EnumCase{"WineWindow",
                             {"--instance", "client.exe", "--class", "Wine", "--title", "ウルティマ", "--pid"},
                             {0, false, true, "client.exe", "Wine", "ウルティマ", 0},
                             true},
                    EnumCase{"Latin1LegacyTitle",
                             {"--class", "A", "--wm-name", "Café"},
                             {0, false, true, "A", "A", "Café", 0},
                             false},
                    EnumCase{"NetWmNameBeforeLegacyName",
                             {"--title", "Über", "--wm-name", "Other"},
                             {0, false, true, "", "", "Über", 0},
                             false},
                    EnumCase{"Owned", {"--class", "B", "--owned"}, {0, true, true, "B", "B", "", 0}, false},
                    EnumCase{"Hidden", {"--class", "C", "--hidden"}, {0, false, false, "C", "C", "", 0}, false}),
    CaseName<EnumCase>);

// --- Closing -------------------------------------------------------------------------------

enum class Closer { kNone, kWindowManager, kWindowItself };

struct CloseCase {
  const char *name;
  std::vector<std::string> window;
  Wm wm;
  bool asked;
  Closer closer;
};

class Close : public testing::TestWithParam<CloseCase> {};

TEST_P(Close, AsksTheRightParty) {
  const CloseCase &c = GetParam();
  FakeWindow window(c.window);
  ASSERT_NE(window.id(), 0u);
  auto wm = Arrange(c.wm, window.id());
  EXPECT_EQ(platform::CloseWindow(window.id()), c.asked);
  if (wm) {
    std::vector<xcb_client_message_event_t> messages = wm->RootMessages();
    if (c.closer == Closer::kWindowManager) {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].window, window.id());
      EXPECT_EQ(messages[0].type, wm->Atom("_NET_CLOSE_WINDOW"));
    } else {
      ASSERT_TRUE(messages.empty());  // else the window, never asked, would be waited for
    }
  }
  if (c.closer == Closer::kWindowItself) EXPECT_EQ(window.Wait(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Close,
    testing::Values(CloseCase{"DeleteWindowProtocol", {"--delete"}, Wm::kNone, true, Closer::kWindowItself},
                    CloseCase{"NoProtocolNoManager", {}, Wm::kNone, false, Closer::kNone},
                    CloseCase{"ManagerCloses", {}, Wm::kListsIt, true, Closer::kWindowManager},
                    CloseCase{"ManagerBeforeProtocol", {"--delete"}, Wm::kListsIt, true, Closer::kWindowManager},
                    CloseCase{
                        "UnmanagedWindowAskedItself", {"--delete"}, Wm::kListsNothing, true, Closer::kWindowItself},
                    CloseCase{"DeadManagerBypassed", {"--delete"}, Wm::kDeadListsIt, true, Closer::kWindowItself}),
    CaseName<CloseCase>);

TEST(Close, DestroyedWindowIsNotAsked) {
  xcb_connection_t *c = xcb_connect(nullptr, nullptr);
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_window_t w = xcb_generate_id(c);
  xcb_create_window(c, 0, w, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_destroy_window(c, w);
  Sync(c);
  EXPECT_FALSE(platform::CloseWindow(w));
  xcb_disconnect(c);
}

// --- Without a display -----------------------------------------------------------------------

struct NoDisplayCase {
  const char *name;
  const char *display;  // nullptr: unset
};

class NoDisplay : public testing::TestWithParam<NoDisplayCase> {};

TEST_P(NoDisplay, AnswersEmpty) {
  // The game's window is there, on the display the test was given.
  FakeWindow window({"--class", "Ultima Online", "--delete"});
  ASSERT_NE(window.id(), 0u);
  std::string display = std::getenv("DISPLAY");
  if (GetParam().display == nullptr) {
    unsetenv("DISPLAY");
  } else {
    setenv("DISPLAY", GetParam().display, 1);
  }
  EXPECT_TRUE(platform::EnumTopWindows().empty());
  EXPECT_FALSE(platform::IsGameRunning({}));
  EXPECT_FALSE(platform::CloseWindow(window.id()));
  setenv("DISPLAY", display.c_str(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, NoDisplay,
                         testing::Values(NoDisplayCase{"Unset", nullptr}, NoDisplayCase{"Empty", ""},
                                         NoDisplayCase{"NoServer", ":4747"}),
                         CaseName<NoDisplayCase>);

}  // namespace
