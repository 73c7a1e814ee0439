#include "shellimagelist.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace foldertree {

namespace {

constexpr int kSizes[] = {16, 32};

QIcon Themed(const QString &name, QStyle::StandardPixmap fallback) {
  QIcon icon = QIcon::fromTheme(name);
  if (icon.isNull()) icon = QApplication::style()->standardIcon(fallback);
  return icon;
}

QIcon TypeIcon(const QMimeType &type) {
  for (const QString &name : {type.iconName(), type.genericIconName()}) {
    QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull()) return icon;
  }
  return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

// Emblems are painted rather than themed: a theme's emblem is often as large as the icon
// and would hide it at 16 pixels.
void PaintOverlay(QPainter &p, int size, int overlay) {
  const int s = size / 2;
  const QRect box(0, size - s, s, s);
  p.setRenderHint(QPainter::Antialiasing);
  if (overlay == ovLink) {
    p.fillRect(box, Qt::white);
    p.setPen(QPen(Qt::black, size / 16.0));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    QPen arrow(QColor(0, 0, 160), size / 10.0);
    p.setPen(arrow);
    const QPointF from(box.left() + s * 0.25, box.bottom() - s * 0.25);
    const QPointF to(box.right() - s * 0.2, box.top() + s * 0.2);
    p.drawLine(from, to);
    p.drawLine(to, to + QPointF(-s * 0.4, 0));
    p.drawLine(to, to + QPointF(0, s * 0.4));
  } else if (overlay == ovShared) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 200));
    p.drawEllipse(box.adjusted(1, 1, -1, -1));
  }
}

QPixmap Composed(const QIcon &base, int size, int overlay) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  base.paint(&p, QRect(0, 0, size, size));
  if (overlay >= 0) PaintOverlay(p, size, overlay);
  return pm;
}

}  // namespace

TShellImageList &TShellImageList::Instance() {
  static TShellImageList list;
  return list;
}

QIcon TShellImageList::Icon(int index) const {
  return index >= 0 && index < Count() ? icons_[static_cast<size_t>(index)] : QIcon();
}

int TShellImageList::ForKey(const QString &key, const std::function<QIcon()> &make) {
  if (auto it = byKey_.constFind(key); it != byKey_.constEnd()) return *it;
  icons_.push_back(make());
  const int index = Count() - 1;
  byKey_.insert(key, index);
  return index;
}

int TShellImageList::ForFileName(const QString &name) {
  const int dot = name.lastIndexOf(QLatin1Char('.'));
  const QString ext = dot < 0 ? QString() : name.mid(dot).toLower();
  if (auto it = byExtension_.constFind(ext); it != byExtension_.constEnd()) return *it;
  static const QMimeDatabase db;
  const QMimeType type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
  const int index = ForKey(QStringLiteral("mime:") + type.name(), [&] { return TypeIcon(type); });
  byExtension_.insert(ext, index);
  return index;
}

int TShellImageList::IndexOf(const ShellItem &item, bool open) {
  switch (item.virtualFolder) {
    case VirtualFolder::MyComputer:
      return ForKey(QStringLiteral("computer"), [] { return Themed("computer", QStyle::SP_ComputerIcon); });
    case VirtualFolder::Bitbucket:
      return ForKey(QStringLiteral("trash"), [] { return Themed("user-trash", QStyle::SP_TrashIcon); });
    case VirtualFolder::Controls:
      return ForKey(QStringLiteral("controls"), [] { return Themed("preferences-system", QStyle::SP_ComputerIcon); });
    case VirtualFolder::Printers:
      return ForKey(QStringLiteral("printers"), [] { return Themed("printer", QStyle::SP_ComputerIcon); });
    case VirtualFolder::None:
      break;
  }
  if (item.path.size() == 3 && item.path.endsWith(QLatin1String(":\\"))) {
    if (item.Is(saRemovable))
      return ForKey(QStringLiteral("drive-removable"),
                    [] { return Themed("drive-removable-media", QStyle::SP_DriveFDIcon); });
    return ForKey(QStringLiteral("drive"), [] { return Themed("drive-harddisk", QStyle::SP_DriveHDIcon); });
  }
  if (item.IsFolder()) {
    if (open)
      return ForKey(QStringLiteral("folder-open"), [] { return Themed("folder-open", QStyle::SP_DirOpenIcon); });
    return ForKey(QStringLiteral("folder"), [] { return Themed("folder", QStyle::SP_DirIcon); });
  }
  return ForFileName(item.id);
}

int TShellImageList::FileIconIndex(const QString &windowsPath, bool open) {
  if (auto item = Parse(windowsPath)) return IndexOf(*item, open);
  ShellItem file;
  file.id = windowsPath.mid(windowsPath.lastIndexOf(QLatin1Char('\\')) + 1);
  return IndexOf(file, open);
}

QIcon TShellImageList::NodeIcon(int image, int selectedImage, int overlay) {
  if (overlay < 0 && image == selectedImage) return Icon(image);
  // Indexes stay far below 2^20: one number names the combination.
  const quint64 key = (quint64(image + 1) << 40) | (quint64(selectedImage + 1) << 20) | quint64(overlay + 1);
  if (auto it = composed_.constFind(key); it != composed_.constEnd()) return *it;
  QIcon icon;
  for (int size : kSizes) {
    icon.addPixmap(Composed(Icon(image), size, overlay), QIcon::Normal);
    icon.addPixmap(Composed(Icon(selectedImage), size, overlay), QIcon::Selected);
  }
  composed_.insert(key, icon);
  return icon;
}

}  // namespace foldertree
