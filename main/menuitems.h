// Menu items as the window uses them: hints ("short|long"), tags, check and radio marks drawn
// with the image list instead of the platform's own marks, and the item-height rule.
#pragma once

#include <QAction>
#include <QMenu>
#include <QProxyStyle>

#include "imagelist.h"

namespace menuitems {

// "short|long": the short part becomes the tooltip, the long part the status-bar text.
void SetHint(QAction *action, const QString &hint);
void SetHint(QWidget *widget, const QString &hint);
QString LongHint(const QString &hint);
QString ShortHint(const QString &hint);
// The status text of the nearest widget (itself or an ancestor) that has a hint; empty if none.
QString StatusHintOf(const QWidget *widget);

int Tag(const QAction *action);
void SetTag(QAction *action, int tag);
void SetImage(QAction *action, const TImageList &images, int index);  // -1: none

// Check items: the flag and image 8 (or no image).
bool Checked(const QAction *action);
void SetChecked(QAction *action, bool checked, const TImageList &images);
// The flag alone; the image stays as it is.
void SetCheckedFlag(QAction *action, bool checked);

// Radio items: GroupIndex > 0. Choosing one checks it and unchecks the others of its group in
// the same menu; each shows image 9 when checked and no image otherwise.
void SetGroup(QAction *action, int group);
void ChooseRadio(QAction *action, const TImageList &images);
// Whether the item uses the item-height rule (all do unless told otherwise).
void SetMeasured(QAction *action, bool measured);

// The default item of a pop-up menu is shown in bold.
void SetDefault(QMenu *menu, QAction *action);

// Raises a menu item's height to the height of "|" in the menu's font plus 2 pixels when it is
// smaller; never lowers it and never changes the width.
class TMenuMeasureStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                         const QWidget *widget) const override;
};

}  // namespace menuitems
