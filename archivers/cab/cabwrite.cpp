#include "cabwrite.h"

#include <libgcab.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "errors.h"
#include "gptr.h"
#include "session.h"

namespace cab {

namespace {

// The attribute that marks a CAB name as UTF-8; without it readers take the name in their
// own code page.
constexpr guint32 kNameIsUtf8 = 0x80;

std::string TempBeside(const std::string &target) {
  static std::mt19937_64 rng{std::random_device{}()};
  const size_t slash = target.find_last_of('/');
  return target.substr(0, slash + 1) + ".mdk-" + std::to_string(rng() % 1000000000) + ".cab.part";
}

bool IsAscii(const std::string &s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

int WriteCabinet(const std::string &target, const std::vector<arc::ScanItem> &items, ARC_HWND progress,
                 arc::Output &out) {
  GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
  GPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
  for (const auto &item : items) {
    if (item.isFolder) continue;  // a cabinet has no folder entries: paths carry them
    arc::EntryFacts facts;
    facts.name = item.storedName;
    facts.originalSize = item.size;
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, facts.name, 0)) return arc::kErrUserCancel;
    std::string name = item.storedName;
    std::replace(name.begin(), name.end(), '/', '\\');
    GPtr<GFile> source(g_file_new_for_path(item.linuxPath.c_str()));
    GPtr<GCabFile> file(gcab_file_new_with_file(name.c_str(), source.get()));
    guint32 attributes = (item.attributes & 0x27) | arc::kAttrArchive;
    if (!IsAscii(name)) attributes |= kNameIsUtf8;
    gcab_file_set_attributes(file.get(), attributes);
    // A cabinet keeps MS-DOS date and time, which are local time.
    GDateTime *time = g_date_time_new_from_unix_local(item.mtime);
    if (time) {
      gcab_file_set_date_time(file.get(), time);
      g_date_time_unref(time);
    }
    GError *error = nullptr;
    if (!gcab_folder_add_file(folder.get(), file.get(), FALSE, nullptr, &error)) {
      out.Line(std::string("cannot add: ") + item.storedName + ": " + (error ? error->message : ""));
      g_clear_error(&error);
      return arc::kErrCannotRead;
    }
  }
  GError *error = nullptr;
  if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &error)) {
    g_clear_error(&error);
    return arc::kErrCannotWrite;
  }
  const std::string temp = TempBeside(target);
  GPtr<GFile> tempFile(g_file_new_for_path(temp.c_str()));
  GFileOutputStream *raw = g_file_create(tempFile.get(), G_FILE_CREATE_PRIVATE, nullptr, &error);
  if (!raw) {
    g_clear_error(&error);
    return arc::kErrTmpOpen;
  }
  GPtr<GFileOutputStream> stream(raw);
  const bool written =
      gcab_cabinet_write_simple(cabinet.get(), G_OUTPUT_STREAM(raw), nullptr, nullptr, nullptr, &error) &&
      g_output_stream_close(G_OUTPUT_STREAM(raw), nullptr, &error);
  if (!written) {
    out.Line(std::string("cannot write the cabinet: ") + (error ? error->message : ""));
    g_clear_error(&error);
    unlink(temp.c_str());
    return arc::kErrCannotWrite;
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return arc::kErrCannotWrite;
  }
  for (const auto &item : items) {
    arc::EntryFacts facts;
    facts.name = item.storedName;
    if (arc::Report(progress, ARC_ARCEXTRACT_END, facts, facts.name, item.size)) break;  // already written
  }
  return arc::kOk;
}

}  // namespace cab
