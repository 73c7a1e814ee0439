#include "packageindex.h"

#include <gtest/gtest.h>

TEST(PackageIndex, ValuesMustStayInsideThePackageAndTheirArchive) {
  const QString outside = QString::fromUtf8("パッケージの外を指しています");
  const QString entry = QString::fromUtf8("書庫の外を指しています");
  const struct {
    const char *value;
    QString reason;
  } cases[] = {
      {"town.mid", {}},
      {"000\\fight.mid", {}},
      {"000/fight.mid", {}},
      {"set.lzh|cave/deep.mid", {}},
      {"a..b.mid", {}},  // dots inside a name are a name
      {"曲\\町.mid", {}},
      {"..\\x.mid", outside},
      {"000\\..\\..\\x.mid", outside},
      {"a/../../x.mid", outside},
      {".. \\x.mid", outside},  // Windows drops trailing blanks of a component
      {"\\x.mid", outside},
      {"/etc/passwd", outside},
      {"\\\\server\\share\\x.mid", outside},
      {"C:\\x.mid", outside},
      {"C:x.mid", outside},
      {"|a.mid", outside},
      {"..\\set.lzh|a.mid", outside},
      {"set.lzh|../x.mid", entry},
      {"set.lzh|a/../../x.mid", entry},
      {"set.lzh|/x.mid", entry},
      {"set.lzh|C:x.mid", entry},
      {"set.lzh|", entry},
  };
  for (const auto &c : cases) EXPECT_EQ(UnsafeIndexValueReason(QString::fromUtf8(c.value)), c.reason) << c.value;
}
