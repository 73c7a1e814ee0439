// The system folders of the root values. Linux has a desktop and a trash; the start-menu family
// lives in the Wine prefix's user profile, which Wine lays out the way Windows Vista does (older
// prefixes the way Windows XP did), so both layouts are tried.
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "core/winpath.h"
#include "qtcore/qstr.h"
#include "shellnamespace.h"

namespace foldertree {

namespace {

QStringList ProfileCandidates(TRootFolder root) {
  const QString roaming = QStringLiteral("AppData\\Roaming");
  const QString windows = roaming + QStringLiteral("\\Microsoft\\Windows");
  switch (root) {
    case rfFavorites:
      return {QStringLiteral("Favorites")};
    case rfPrograms:
      return {windows + "\\Start Menu\\Programs", QStringLiteral("Start Menu\\Programs")};
    case rfRecent:
      return {windows + "\\Recent", QStringLiteral("Recent")};
    case rfSendTo:
      return {windows + "\\SendTo", QStringLiteral("SendTo")};
    case rfStartMenu:
      return {windows + "\\Start Menu", QStringLiteral("Start Menu")};
    case rfStartup:
      return {windows + "\\Start Menu\\Programs\\Startup", QStringLiteral("Start Menu\\Programs\\Startup")};
    case rfAppdata:
      return {roaming, QStringLiteral("Application Data")};
    case rfTemplates:
      return {windows + "\\Templates", QStringLiteral("Templates")};
    default:
      return {};
  }
}

std::optional<ShellItem> ProfileFolder(TRootFolder root) {
  // Wine names the profile after the Linux user.
  const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
  for (const QString &relative : ProfileCandidates(root))
    if (auto item = Parse(QStringLiteral("C:\\users\\") + user + QLatin1Char('\\') + relative)) return item;
  return std::nullopt;
}

std::optional<ShellItem> TrashFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) return std::nullopt;
  ShellItem item;
  item.id = QStringLiteral("ごみ箱");  // notr: the folder's id; its name is translated
  item.name = QCoreApplication::translate("Folders", "ごみ箱");
  item.linuxPath = data + QStringLiteral("/Trash/files");
  item.virtualFolder = VirtualFolder::Bitbucket;
  item.attributes = saFolder;
  return item;
}

// id: the folder's name as written, whatever the language; name: as shown.
ShellItem EmptyVirtualFolder(VirtualFolder kind, const QString &id, const QString &name) {
  ShellItem item;
  item.id = id;
  item.name = name;
  item.virtualFolder = kind;
  item.attributes = saFolder;
  return item;
}

}  // namespace

std::optional<ShellItem> SystemFolder(TRootFolder root) {
  switch (root) {
    case rfManual:
    case rfDrives:
      return MyComputer();
    case rfDesktop: {
      const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
      if (desktop.isEmpty()) return std::nullopt;
      return Parse(platform::QS(platform::ToWindows(platform::SS(desktop))));
    }
    case rf_Controls:
      return EmptyVirtualFolder(VirtualFolder::Controls, QStringLiteral("コントロール パネル"),  // notr: the id
                                QCoreApplication::translate("Folders", "コントロール パネル"));
    case rf_Printers:
      return EmptyVirtualFolder(VirtualFolder::Printers, QStringLiteral("プリンタ"),  // notr: the id
                                QCoreApplication::translate("Folders", "プリンタ"));
    case rf_Bitbucket:
      return TrashFolder();
    default:
      return ProfileFolder(root);
  }
}

}  // namespace foldertree
