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

TEST(ResolveSource, NamesTheFileForEachClient) {
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
    const QString first = ResolveSource(source, TClient::First, w.folders);
    const QString td = ResolveSource(source, TClient::ThirdDawn, w.folders);
    if (c.bare) {
      EXPECT_EQ(first, w.folders.DefaultDir + "\\britain1.mid");
      EXPECT_EQ(td, w.folders.DefaultDirTD + "\\britain1.mid");
    } else {
      EXPECT_EQ(first, QString::fromUtf8(c.first));
      EXPECT_EQ(td, QString::fromUtf8(c.first));
    }
  }
}

TEST(SourceDisplayName, ShowsTheFilesOwnName) {
  const std::pair<const char *, const char *> cases[] = {
      {"C:\\MIDI\\town.mid", "town.mid"}, {"C:\\a.lzh|dir/sub/town.mid", "town.mid"},
      {"C:\\a.lzh|town.mid", "town.mid"}, {"yew.mid", "yew.mid"},
      {"C:\\ソ.lzh|表/ポ.mid", "ポ.mid"}, {"C:town.mid", "town.mid"},
      {"C:\\a|b.lzh|c/d.mid", "d.mid"},  // only the first "|" separates
  };
  for (const auto &[s, name] : cases) EXPECT_EQ(SourceDisplayName(QString::fromUtf8(s)), QString::fromUtf8(name)) << s;
}
