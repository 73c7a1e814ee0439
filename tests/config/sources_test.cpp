#include "sources.h"

#include <gtest/gtest.h>

#include "storeworld.h"

namespace {
testsupport::FakePrefixOptions ThirdDawn() {
  testsupport::FakePrefixOptions o;
  o.thirdDawn = true;
  return o;
}
}  // namespace

TEST(Source, NamesTheFileForEachClient) {
  StoreWorld w{ThirdDawn()};
  const struct {
    const char *source;
    const char *first;  // nullptr: the backup folder + the name
    bool bare;
  } cases[] = {
      {"britain1.mid", nullptr, true},
      {"C:\\MIDI\\town.mid", "C:\\MIDI\\town.mid", false},
      {"C:\\MIDI\\a.lzh|dir/town.mid", "C:\\MIDI\\a.lzh", false},
      {"C:\\ソ.lzh|表/ポ.mid", "C:\\ソ.lzh", false},
      {"C:town.mid", "C:town.mid", false},
  };
  for (const auto &c : cases) {
    const QString source = QString::fromUtf8(c.source);
    const QString first = TSource::Parse(source).Resolve(TClient::First, w.folders);
    const QString td = TSource::Parse(source).Resolve(TClient::ThirdDawn, w.folders);
    if (c.bare) {
      EXPECT_EQ(first, w.folders.DefaultDir + "\\britain1.mid");
      EXPECT_EQ(td, w.folders.DefaultDirTD + "\\britain1.mid");
    } else {
      EXPECT_EQ(first, QString::fromUtf8(c.first));
      EXPECT_EQ(td, QString::fromUtf8(c.first));
    }
  }
}

TEST(Source, ShowsTheFilesOwnName) {
  const std::pair<const char *, const char *> cases[] = {
      {"C:\\MIDI\\town.mid", "town.mid"}, {"C:\\a.lzh|dir/sub/town.mid", "town.mid"},
      {"C:\\a.lzh|town.mid", "town.mid"}, {"yew.mid", "yew.mid"},
      {"C:\\ソ.lzh|表/ポ.mid", "ポ.mid"}, {"C:town.mid", "town.mid"},
      {"C:\\a|b.lzh|c/d.mid", "d.mid"},  // only the first "|" separates
  };
  for (const auto &[s, name] : cases)
    EXPECT_EQ(TSource::Parse(QString::fromUtf8(s)).DisplayName(), QString::fromUtf8(name)) << s;
}

// Stored files keep their text: whatever a configuration or a package holds is written back
// unchanged, and the first "|" alone separates the archive from the entry.
TEST(Source, ParsingAndFormattingGiveBackTheStoredText) {
  const struct {
    const char *text;
    bool entry;
    const char *path;
    const char *entryPath;
  } cases[] = {
      {"", false, "", ""},
      {"britain1.mid", false, "britain1.mid", ""},
      {"C:\\MIDI\\town.mid", false, "C:\\MIDI\\town.mid", ""},
      {" C:\\a b\\t.mid ", false, " C:\\a b\\t.mid ", ""},
      {"C:\\a.lzh|dir/town.mid", true, "C:\\a.lzh", "dir/town.mid"},
      {"C:\\a.lzh|dir\\town.mid", true, "C:\\a.lzh", "dir\\town.mid"},
      {"C:\\a|b.lzh|c/d.mid", true, "C:\\a", "b.lzh|c/d.mid"},
      {"C:\\ソ.lzh|表/ポ.mid", true, "C:\\ソ.lzh", "表/ポ.mid"},
      {"|", true, "", ""},
      {"a.lzh|", true, "a.lzh", ""},
      {"|x.mid", true, "", "x.mid"},
      {"000\\set.lzh|../x.mid", true, "000\\set.lzh", "../x.mid"},
  };
  for (const auto &c : cases) {
    const QString text = QString::fromUtf8(c.text);
    const TSource source = TSource::Parse(text);
    EXPECT_EQ(source.Text(), text) << c.text;
    EXPECT_EQ(source.IsEntry(), c.entry) << c.text;
    EXPECT_EQ(source.Path(), QString::fromUtf8(c.path)) << c.text;
    EXPECT_EQ(source.EntryPath(), QString::fromUtf8(c.entryPath)) << c.text;
    EXPECT_EQ(source.IsEmpty(), text.isEmpty()) << c.text;
    // Built from its parts, a Source is the one parsed from its text.
    const TSource built = c.entry ? TSource::Entry(source.Path(), source.EntryPath()) : TSource::File(source.Path());
    EXPECT_EQ(built, source) << c.text;
    EXPECT_EQ(built.Text(), text) << c.text;
  }
}

// Moving a Source to another folder (a package's, the shown form of a path) keeps its entry.
TEST(Source, AnotherPathKeepsTheEntry) {
  const struct {
    const char *text;
    const char *path;
    const char *moved;
  } cases[] = {
      {"000\\set.lzh|cave/deep.mid", "C:\\imp\\000\\set.lzh", "C:\\imp\\000\\set.lzh|cave/deep.mid"},
      {"town.mid", "C:\\imp\\town.mid", "C:\\imp\\town.mid"},
      {"a.lzh|b|c.mid", "Z:\\a.lzh", "Z:\\a.lzh|b|c.mid"},
      {"a.lzh|", "b.lzh", "b.lzh|"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(TSource::Parse(QString::fromUtf8(c.text)).WithPath(QString::fromUtf8(c.path)).Text(),
              QString::fromUtf8(c.moved))
        << c.text;
}

// An entry is extracted below its archive's folder: its name must not lead out of it.
TEST(Source, EntryNamesThatStayInsideTheirFolder) {
  const std::pair<const char *, bool> cases[] = {
      {"town.mid", true},
      {"music/town.mid", true},
      {"music\\town.mid", true},
      {"a..b/c.mid", true},
      {"...mid", true},
      {"表/ポ.mid", true},
      {"", false},
      {"..", false},
      {"../x.mid", false},
      {"a/../../x.mid", false},
      {"a\\..\\x.mid", false},
      {"/x.mid", false},
      {"\\x.mid", false},
      {"C:x.mid", false},
      {"Z:\\x.mid", false},
      {"a/..", false},
  };
  for (const auto &[entry, safe] : cases) {
    EXPECT_EQ(TSource::IsSafeEntryPath(QString::fromUtf8(entry)), safe) << entry;
    EXPECT_EQ(TSource::Entry("C:\\a.lzh", QString::fromUtf8(entry)).HasSafeEntry(), safe) << entry;
  }
  // A file has no entry to be safe.
  EXPECT_FALSE(TSource::File("C:\\town.mid").HasSafeEntry());
}
