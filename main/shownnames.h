// Names of configurations as the window shows them. The game's own music keeps its stored name
// "標準" in the settings and in every lookup; shown in another language it says what it is.
#pragma once

#include <QIdentityProxyModel>
#include <QString>

// The name shown for the configuration stored under stored.
QString ShownConfigName(const QString &stored);

// A caption "Melodeck - <stored name>" with the name as shown; any other caption as it is.
QString ShownCaption(const QString &caption);

// The configuration list with the names as shown; every other role, and the rows, as stored.
class TShownConfigList : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex &index, int role) const override;
};
