#include "shownnames.h"

#include <QCoreApplication>

#include "configstore.h"

QString ShownConfigName(const QString &stored) {
  if (stored != kStandardConfig) return stored;
  return QCoreApplication::translate("Configurations", "標準");
}

QString ShownCaption(const QString &caption) {
  static const QString prefix = QStringLiteral("Melodeck - ");
  if (!caption.startsWith(prefix)) return caption;
  return prefix + ShownConfigName(caption.mid(prefix.size()));
}

QVariant TShownConfigList::data(const QModelIndex &index, int role) const {
  const QVariant value = QIdentityProxyModel::data(index, role);
  if (role != Qt::DisplayRole) return value;
  return ShownConfigName(value.toString());
}
