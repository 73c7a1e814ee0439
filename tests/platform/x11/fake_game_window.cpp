// A stand-in for the game client's window under Wine, for the window tests: a plain X client
// with one top-level window whose class, title, owner, visibility, pid and close protocol are
// set from the command line.
//
//   fake_game_window [--class C] [--instance I] [--title UTF8] [--wm-name TEXT]
//                    [--owned] [--hidden] [--pid] [--delete] [--record FILE] [--] [ARG...]
//
// --class alone sets both WM_CLASS strings, as Wine does; with neither, there is no WM_CLASS.
// --title sets _NET_WM_NAME; --wm-name sets the legacy WM_NAME, stored as Latin-1.
// Prints the window's id once the server has mapped it (or set it up, with --hidden), then
// waits; exits with 0 when asked to close by WM_DELETE_WINDOW, with 1 when the display goes away.
// --record: as a player started with files, it then writes each ARG and a line break to FILE
// (whole, through a rename), so FILE appears once the window is there.
#include <getopt.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t Intern(xcb_connection_t *c, const char *name) {
  xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
  xcb_atom_t atom = r != nullptr ? r->atom : XCB_NONE;
  std::free(r);
  return atom;
}

// Two-byte UTF-8 sequences are the Latin-1 range; the tests use nothing else.
std::string Utf8ToLatin1(const std::string &s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char ch = s[i];
    if ((ch & 0xE0) == 0xC0 && i + 1 < s.size()) {
      out += static_cast<char>(((ch & 0x1F) << 6) | (s[++i] & 0x3F));
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out;
}

void SetText(xcb_connection_t *c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type, const std::string &text) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 8, text.size(), text.data());
}

}  // namespace

int main(int argc, char **argv) {
  std::string cls, instance, title, wmName, record;
  bool hasClass = false, hasInstance = false, hasTitle = false, hasWmName = false;
  bool owned = false, hidden = false, pid = false, takesDelete = false;
  const option options[] = {{"class", required_argument, nullptr, 'c'},  {"instance", required_argument, nullptr, 'i'},
                            {"title", required_argument, nullptr, 't'},  {"wm-name", required_argument, nullptr, 'n'},
                            {"owned", no_argument, nullptr, 'o'},        {"hidden", no_argument, nullptr, 'h'},
                            {"pid", no_argument, nullptr, 'p'},          {"delete", no_argument, nullptr, 'd'},
                            {"record", required_argument, nullptr, 'r'}, {nullptr, 0, nullptr, 0}};
  for (int opt; (opt = getopt_long(argc, argv, "", options, nullptr)) != -1;) {
    switch (opt) {
      case 'c':
        cls = optarg;
        hasClass = true;
        break;
      case 'i':
        instance = optarg;
        hasInstance = true;
        break;
      case 't':
        title = optarg;
        hasTitle = true;
        break;
      case 'n':
        wmName = optarg;
        hasWmName = true;
        break;
      case 'o':
        owned = true;
        break;
      case 'h':
        hidden = true;
        break;
      case 'p':
        pid = true;
        break;
      case 'd':
        takesDelete = true;
        break;
      case 'r':
        record = optarg;
        break;
      default:
        return 2;
    }
  }

  xcb_connection_t *c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "fake_game_window: no display\n");
    xcb_disconnect(c);
    return 1;
  }
  xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  auto create = [&] {
    xcb_window_t w = xcb_generate_id(c);
    const uint32_t mask[] = {XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, 320, 240, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_EVENT_MASK, mask);
    return w;
  };
  xcb_window_t window = create();

  if (hasClass || hasInstance) {
    // WM_CLASS is "instance\0class\0".
    std::string value = (hasInstance ? instance : cls) + '\0' + (hasClass ? cls : instance) + '\0';
    SetText(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, value);
  }
  if (hasTitle) SetText(c, window, Intern(c, "_NET_WM_NAME"), Intern(c, "UTF8_STRING"), title);
  if (hasWmName) SetText(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, Utf8ToLatin1(wmName));
  if (owned) {
    // The owner is another window of ours, never shown and without a class.
    xcb_window_t owner = create();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &owner);
  }
  if (pid) {
    uint32_t value = getpid();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Intern(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &value);
  }
  const xcb_atom_t protocols = Intern(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = Intern(c, "WM_DELETE_WINDOW");
  if (takesDelete) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1, &deleteWindow);
  }

  if (hidden) {
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // round trip
  } else {
    xcb_map_window(c, window);
    xcb_flush(c);
    for (;;) {
      xcb_generic_event_t *event = xcb_wait_for_event(c);
      if (event == nullptr) break;
      bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
      std::free(event);
      if (mapped) break;
    }
  }
  std::printf("%u\n", window);
  std::fflush(stdout);
  if (!record.empty()) {
    const std::string partial = record + ".partial";
    if (FILE *f = std::fopen(partial.c_str(), "w")) {
      for (int i = optind; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
      if (std::fclose(f) == 0) std::rename(partial.c_str(), record.c_str());
    }
  }

  int status = 1;
  while (xcb_generic_event_t *event = xcb_wait_for_event(c)) {
    if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
      auto *message = reinterpret_cast<xcb_client_message_event_t *>(event);
      if (message->type == protocols && message->data.data32[0] == deleteWindow) status = 0;
    }
    std::free(event);
    if (status == 0) break;
  }
  xcb_disconnect(c);
  return status;
}
