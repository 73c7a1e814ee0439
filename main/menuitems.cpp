#include "menuitems.h"

#include <QFontMetrics>
#include <QStyleOptionMenuItem>

namespace menuitems {

namespace {
constexpr char kChecked[] = "melodeckChecked";
constexpr char kGroup[] = "melodeckGroup";
constexpr char kTag[] = "melodeckTag";
constexpr char kHint[] = "melodeckHint";
constexpr char kMeasured[] = "melodeckMeasured";
}  // namespace

QString ShortHint(const QString &hint) {
  const qsizetype bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString &hint) {
  const qsizetype bar = hint.indexOf('|');
  return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QAction *action, const QString &hint) {
  action->setProperty(kHint, hint);
  action->setToolTip(ShortHint(hint));
  action->setStatusTip(LongHint(hint));
}

void SetHint(QWidget *widget, const QString &hint) {
  widget->setProperty(kHint, hint);
  widget->setToolTip(ShortHint(hint));
}

QString StatusHintOf(const QWidget *widget) {
  for (const QWidget *w = widget; w; w = w->parentWidget()) {
    const QVariant hint = w->property(kHint);
    if (hint.isValid() && !hint.toString().isEmpty()) return LongHint(hint.toString());
    if (w->isWindow()) break;
  }
  return {};
}

int Tag(const QAction *action) { return action->property(kTag).toInt(); }
void SetTag(QAction *action, int tag) { action->setProperty(kTag, tag); }

void SetImage(QAction *action, const TImageList &images, int index) {
  action->setIcon(index < 0 ? QIcon() : images.Icon(index));
}

bool Checked(const QAction *action) { return action->property(kChecked).toBool(); }

void SetChecked(QAction *action, bool checked, const TImageList &images) {
  action->setProperty(kChecked, checked);
  SetImage(action, images, checked ? imgCheck : -1);
}

void SetCheckedFlag(QAction *action, bool checked) { action->setProperty(kChecked, checked); }

void SetGroup(QAction *action, int group) { action->setProperty(kGroup, group); }

void ChooseRadio(QAction *action, const TImageList &images) {
  const int group = action->property(kGroup).toInt();
  action->setProperty(kChecked, true);
  auto *menu = qobject_cast<QWidget *>(action->parent());
  const QList<QAction *> siblings = menu ? menu->actions() : QList<QAction *>{action};
  for (QAction *other : siblings) {
    if (other->property(kGroup).toInt() != group) continue;
    if (other != action) other->setProperty(kChecked, false);
    SetImage(other, images, Checked(other) ? imgRadio : -1);
  }
}

void SetMeasured(QAction *action, bool measured) { action->setProperty(kMeasured, measured); }

void SetDefault(QMenu *menu, QAction *action) {
  for (QAction *a : menu->actions()) {
    QFont f = a->font();
    f.setBold(a == action);
    a->setFont(f);
  }
  menu->setDefaultAction(action);
}

QSize TMenuMeasureStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                          const QWidget *widget) const {
  QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
  const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
  if (type != CT_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) return s;
  if (const auto *menu = qobject_cast<const QMenu *>(widget)) {
    // The option carries no action and its rectangle is the whole menu's; the item is known by
    // its caption (the shortcut follows a tab), which is unique within each of our menus.
    const QString caption = item->text.section(QLatin1Char('\t'), 0, 0);
    for (const QAction *action : menu->actions()) {
      if (action->isSeparator() || action->text() != caption) continue;
      if (action->property(kMeasured).isValid() && !action->property(kMeasured).toBool()) return s;
      break;
    }
  }
  const int wanted = QFontMetrics(item->font).boundingRect(QStringLiteral("|")).height() + 2;
  if (s.height() < wanted) s.setHeight(wanted);
  return s;
}

}  // namespace menuitems
