#include "media/association.h"

#include <gio/gio.h>

#include <cstring>
#include <memory>

namespace platform {
namespace {

struct GFree {
  void operator()(void *p) const { g_free(p); }
};
struct Unref {
  void operator()(void *p) const { g_object_unref(p); }
};

}  // namespace

std::string ExecToTemplate(std::string_view exec) {
  std::string out;
  bool fileGiven = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    if (exec[i] != '%' || i + 1 >= exec.size()) {
      out += exec[i];
      continue;
    }
    const char code = exec[i + 1];
    if (std::strchr("fFuU", code) != nullptr) {
      if (!fileGiven) out += "\"%1\"";
      fileGiven = true;
      ++i;
    } else if (std::strchr("ickdDnNvm", code) != nullptr) {
      ++i;
    } else {
      out += '%';
      out += code;
      ++i;
    }
  }
  return out;
}

std::string AssociatedCommand(const std::string &ext) {
  if (ext.size() < 2 || ext[0] != '.') return {};
  const std::string name = "file" + ext;
  gboolean uncertain = FALSE;
  std::unique_ptr<gchar, GFree> type(g_content_type_guess(name.c_str(), nullptr, 0, &uncertain));
  if (!type || g_content_type_is_unknown(type.get())) return {};
  std::unique_ptr<GAppInfo, Unref> app(g_app_info_get_default_for_type(type.get(), FALSE));
  if (!app) return {};
  const char *commandLine = g_app_info_get_commandline(app.get());
  return commandLine != nullptr ? ExecToTemplate(commandLine) : std::string();
}

}  // namespace platform
