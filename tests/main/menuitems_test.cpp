#include "menuitems.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMenu>
#include <QProxyStyle>

namespace {
// Leaves every menu item one pixel high, so that whatever height an item ends with comes from
// the item-height rule alone.
class TFlatStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                         const QWidget *widget) const override {
    if (type == CT_MenuItem) return {size.width(), 1};
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
};
}  // namespace

TEST(MenuItems, TheHeightRuleSkipsOnlyTheItemsMarkedSo) {
  menuitems::TMenuMeasureStyle style(new TFlatStyle);
  QMenu menu;
  menu.setStyle(&style);
  QAction *measured = menu.addAction(QString::fromUtf8("削除(&D)"));
  QAction *unmeasured = menu.addAction(QString::fromUtf8("名前の変更(&R)"));
  menuitems::SetMeasured(unmeasured, false);
  QAction *withShortcut = menu.addAction(QString::fromUtf8("ファイルにジャンプ(&J)"));
  withShortcut->setShortcut(Qt::Key_F4);
  menu.addSeparator();
  QAction *last = menu.addAction(QString::fromUtf8("詳細説明を編集(&E)"));
  menuitems::SetMeasured(last, false);
  const int raised = QFontMetrics(menu.font()).boundingRect(QStringLiteral("|")).height() + 2;
  const std::pair<QAction *, int> cases[] = {{measured, raised}, {unmeasured, 1}, {withShortcut, raised}, {last, 1}};
  for (const auto &[item, height] : cases)
    EXPECT_EQ(menu.actionGeometry(item).height(), height) << item->text().toStdString();
}
