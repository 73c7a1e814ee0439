#include "x11/windows.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace platform {
namespace {

// Replies and errors are malloc'd by xcb and owned by the caller.
struct FreeDeleter {
  void operator()(void *p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// Waits for the reply to cookie. A window can vanish between two requests; its error only
// means "no reply" here.
template <class R, class Cookie>
Reply<R> Get(xcb_connection_t *c, Cookie cookie, R *(*reply)(xcb_connection_t *, Cookie, xcb_generic_error_t **)) {
  xcb_generic_error_t *error = nullptr;
  Reply<R> r(reply(c, cookie, &error));
  std::free(error);
  return r;
}

// Property values are read whole up to this many 32-bit units (256 KiB): no title or client
// list comes near it.
constexpr uint32_t kMaxLongs = 1u << 16;

class Display {
 public:
  Display() {
    const char *name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return;  // xcb would try ":0" by itself
    int screen = 0;
    c_ = xcb_connect(name, &screen);
    if (xcb_connection_has_error(c_)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screen && it.rem > 0; ++i) xcb_screen_next(&it);
    if (it.rem > 0) root_ = it.data->root;
  }
  ~Display() {
    if (c_ != nullptr) xcb_disconnect(c_);  // a failed connection must be released as well
  }
  Display(const Display &) = delete;
  Display &operator=(const Display &) = delete;

  explicit operator bool() const { return root_ != XCB_NONE; }
  xcb_connection_t *conn() const { return c_; }
  xcb_window_t root() const { return root_; }

  Reply<xcb_get_property_reply_t> Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    return Get(c_, AskProperty(window, property, type), xcb_get_property_reply);
  }
  xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    return xcb_get_property(c_, 0, window, property, type, 0, kMaxLongs);
  }

 private:
  xcb_connection_t *c_ = nullptr;
  xcb_window_t root_ = XCB_NONE;
};

enum AtomId {
  kNetClientList,
  kNetSupportingWmCheck,
  kNetSupported,
  kNetCloseWindow,
  kNetWmName,
  kNetWmPid,
  kUtf8String,
  kWmState,
  kWmProtocols,
  kWmDeleteWindow,
  kAtomCount
};
constexpr std::array<const char *, kAtomCount> kAtomNames = {"_NET_CLIENT_LIST", "_NET_SUPPORTING_WM_CHECK",
                                                             "_NET_SUPPORTED",   "_NET_CLOSE_WINDOW",
                                                             "_NET_WM_NAME",     "_NET_WM_PID",
                                                             "UTF8_STRING",      "WM_STATE",
                                                             "WM_PROTOCOLS",     "WM_DELETE_WINDOW"};
using Atoms = std::array<xcb_atom_t, kAtomCount>;

// All names are asked for before the first reply is awaited: one round trip, not ten.
Atoms InternAtoms(xcb_connection_t *c) {
  std::array<xcb_intern_atom_cookie_t, kAtomCount> cookies;
  for (size_t i = 0; i < kAtomCount; ++i) cookies[i] = xcb_intern_atom(c, 0, std::strlen(kAtomNames[i]), kAtomNames[i]);
  Atoms atoms{};
  for (size_t i = 0; i < kAtomCount; ++i) {
    if (auto r = Get(c, cookies[i], xcb_intern_atom_reply)) atoms[i] = r->atom;
  }
  return atoms;
}

// The 32-bit items of a WINDOW, ATOM or CARDINAL property; empty when it's missing or of
// another type than asked for.
std::vector<uint32_t> Words(const xcb_get_property_reply_t *r) {
  if (r == nullptr || r->format != 32) return {};
  const auto *p = static_cast<const uint32_t *>(xcb_get_property_value(r));
  return std::vector<uint32_t>(p, p + xcb_get_property_value_length(r) / 4);
}

std::string Bytes(const xcb_get_property_reply_t *r) {
  if (r == nullptr || r->format != 8) return {};
  return std::string(static_cast<const char *>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
}

std::string Latin1ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char ch : s) {
    if (ch < 0x80) {
      out += static_cast<char>(ch);
    } else {
      out += static_cast<char>(0xC0 | (ch >> 6));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return out;
}

// EWMH's test for a running window manager: the root names a window that names itself. A
// manager that died leaves its root properties behind, and the id of its check window may
// since belong to someone else; then its client list is stale and can't be trusted.
bool LiveWindowManager(const Display &d, const Atoms &atoms) {
  std::vector<uint32_t> check = Words(d.Property(d.root(), atoms[kNetSupportingWmCheck], XCB_ATOM_WINDOW).get());
  if (check.empty() || check[0] == XCB_NONE) return false;
  std::vector<uint32_t> self = Words(d.Property(check[0], atoms[kNetSupportingWmCheck], XCB_ATOM_WINDOW).get());
  return !self.empty() && self[0] == check[0];
}

std::vector<xcb_window_t> ClientList(const Display &d, const Atoms &atoms) {
  return Words(d.Property(d.root(), atoms[kNetClientList], XCB_ATOM_WINDOW).get());
}

std::vector<xcb_window_t> RootChildren(const Display &d) {
  auto tree = Get(d.conn(), xcb_query_tree(d.conn(), d.root()), xcb_query_tree_reply);
  if (!tree) return {};
  const xcb_window_t *children = xcb_query_tree_children(tree.get());
  return std::vector<xcb_window_t>(children, children + xcb_query_tree_children_length(tree.get()));
}

constexpr uint32_t kNormalState = 1;
constexpr uint32_t kIconicState = 3;

std::vector<TopWindow> Enumerate(const Display &d) {
  xcb_connection_t *c = d.conn();
  const Atoms atoms = InternAtoms(c);
  const bool managed = LiveWindowManager(d, atoms);
  const std::vector<xcb_window_t> ids = managed ? ClientList(d, atoms) : RootChildren(d);

  // Every question about every window goes out before the first answer is read.
  struct Questions {
    xcb_get_window_attributes_cookie_t attributes;
    xcb_get_property_cookie_t transientFor, wmClass, netWmName, wmName, pid, wmState;
  };
  std::vector<Questions> asked;
  asked.reserve(ids.size());
  for (xcb_window_t id : ids) {
    asked.push_back({xcb_get_window_attributes(c, id), d.AskProperty(id, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW),
                     d.AskProperty(id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING),
                     d.AskProperty(id, atoms[kNetWmName], atoms[kUtf8String]),
                     d.AskProperty(id, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY),
                     d.AskProperty(id, atoms[kNetWmPid], XCB_ATOM_CARDINAL),
                     d.AskProperty(id, atoms[kWmState], atoms[kWmState])});
  }

  std::vector<TopWindow> windows;
  windows.reserve(ids.size());
  for (size_t i = 0; i < ids.size(); ++i) {
    const Questions &q = asked[i];
    // Every reply is taken, even for a window that is gone, so that none is left queued.
    auto attributes = Get(c, q.attributes, xcb_get_window_attributes_reply);
    auto transientFor = Get(c, q.transientFor, xcb_get_property_reply);
    auto wmClass = Get(c, q.wmClass, xcb_get_property_reply);
    auto netWmName = Get(c, q.netWmName, xcb_get_property_reply);
    auto wmName = Get(c, q.wmName, xcb_get_property_reply);
    auto pid = Get(c, q.pid, xcb_get_property_reply);
    auto wmState = Get(c, q.wmState, xcb_get_property_reply);
    if (!attributes) continue;  // destroyed meanwhile

    TopWindow w;
    w.id = ids[i];
    std::vector<uint32_t> owner = Words(transientFor.get());
    w.owned = !owner.empty() && owner[0] != XCB_NONE;

    // A window its program has shown is viewable. A window manager unmaps the windows it
    // minimises or keeps on another desktop (or unmaps their frames, leaving them unviewable);
    // their WM_STATE still says Normal or Iconic. Those count as shown, as a minimised window
    // does on Windows.
    w.visible = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    if (managed && !w.visible) {
      std::vector<uint32_t> state = Words(wmState.get());
      w.visible = !state.empty() && (state[0] == kNormalState || state[0] == kIconicState);
    }

    // WM_CLASS is "instance\0class\0"; a sloppy program may leave out the last NUL.
    std::string cls = Bytes(wmClass.get());
    size_t nul = cls.find('\0');
    w.instanceName = cls.substr(0, nul);
    if (nul != std::string::npos) {
      std::string rest = cls.substr(nul + 1);
      w.className = rest.substr(0, rest.find('\0'));
    }

    if (netWmName && netWmName->type == atoms[kUtf8String]) {
      w.title = Bytes(netWmName.get());
    } else if (wmName && wmName->type == XCB_ATOM_STRING) {
      w.title = Latin1ToUtf8(Bytes(wmName.get()));
    } else {
      w.title = Bytes(wmName.get());  // UTF8_STRING, or COMPOUND_TEXT whose ASCII reads as is
    }

    std::vector<uint32_t> pids = Words(pid.get());
    if (!pids.empty() && pids[0] > 0 && pids[0] <= INT32_MAX) w.pid = static_cast<int32_t>(pids[0]);

    windows.push_back(std::move(w));
  }
  return windows;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](unsigned char ch) { return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool IsGameClass(std::string_view name, const std::vector<std::string> &exeNames) {
  // A window without WM_CLASS has empty names; an empty exe name must not match it.
  if (name.empty()) return false;
  if (name == "Ultima Online" || name == "Ultima Online Third Dawn") return true;
  return std::any_of(exeNames.begin(), exeNames.end(),
                     [&](const std::string &exe) { return SameIgnoringCase(name, exe); });
}

// Sends event and waits until the server has dealt with it: the connection is closed right
// after, and a window that vanished meanwhile must answer false.
bool Send(xcb_connection_t *c, xcb_window_t destination, uint32_t mask, const xcb_client_message_event_t &event) {
  xcb_generic_error_t *error =
      xcb_request_check(c, xcb_send_event_checked(c, 0, destination, mask, reinterpret_cast<const char *>(&event)));
  std::free(error);
  return error == nullptr;
}

xcb_client_message_event_t ClientMessage(xcb_window_t window, xcb_atom_t type, uint32_t d0, uint32_t d1) {
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof event);  // all 32 bytes go over the wire
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = type;
  event.data.data32[0] = d0;
  event.data.data32[1] = d1;
  return event;
}

bool Contains(const std::vector<uint32_t> &list, uint32_t item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// CloseWindow on an open display.
bool AskToClose(const Display &d, uint32_t id) {
  if (id == XCB_NONE) return false;
  xcb_connection_t *c = d.conn();
  const Atoms atoms = InternAtoms(c);

  // A window manager closes a window it manages as its own close button would: it knows the
  // window's protocols, and can offer to end a program that no longer answers.
  if (LiveWindowManager(d, atoms) &&
      Contains(Words(d.Property(d.root(), atoms[kNetSupported], XCB_ATOM_ATOM).get()), atoms[kNetCloseWindow]) &&
      Contains(ClientList(d, atoms), id)) {
    constexpr uint32_t kSourceUser = 2;  // on the user's behalf, as a pager or taskbar asks
    return Send(c, d.root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                ClientMessage(id, atoms[kNetCloseWindow], XCB_CURRENT_TIME, kSourceUser));
  }

  // Otherwise the window's own program is asked, if it has said it would listen.
  if (Contains(Words(d.Property(id, atoms[kWmProtocols], XCB_ATOM_ATOM).get()), atoms[kWmDeleteWindow])) {
    return Send(c, id, XCB_EVENT_MASK_NO_EVENT,
                ClientMessage(id, atoms[kWmProtocols], atoms[kWmDeleteWindow], XCB_CURRENT_TIME));
  }
  return false;
}

}  // namespace

std::vector<TopWindow> EnumTopWindows() {
  Display d;
  if (!d) return {};
  return Enumerate(d);
}

bool IsGameRunning(const std::vector<std::string> &exeNames) {
  Display d;
  if (!d) return false;
  for (const TopWindow &w : Enumerate(d)) {
    if (!w.owned && w.visible && (IsGameClass(w.className, exeNames) || IsGameClass(w.instanceName, exeNames)))
      return true;
  }
  return false;
}

bool CloseWindow(uint32_t id) {
  Display d;
  return d && AskToClose(d, id);
}

bool CloseProcessWindow(int32_t pid) {
  Display d;
  if (!d || pid <= 0) return false;
  for (const TopWindow &w : Enumerate(d)) {
    if (!w.owned && w.visible && w.pid == pid) {
      AskToClose(d, w.id);
      return true;
    }
  }
  return false;
}

}  // namespace platform
