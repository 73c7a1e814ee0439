#include "imagelist.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void MusicDocument(QPainter &p, int left) {
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  QPolygon page{{left, 1}, {left + 8, 1}, {left + 11, 4}, {left + 11, 14}, {left, 14}};
  p.drawPolygon(page);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 160));
  p.drawEllipse(QRect(left + 2, 9, 4, 3));
  p.fillRect(QRect(left + 5, 4, 1, 7), QColor(0, 0, 160));
  p.fillRect(QRect(left + 5, 4, 4, 1), QColor(0, 0, 160));
}

QPixmap Draw(int index) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  switch (index) {
    case imgPlay:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(QPolygon{{4, 2}, {12, 8}, {4, 14}});
      break;
    case imgStop:
      p.fillRect(QRect(4, 4, 8, 8), Qt::black);
      break;
    case imgApply:
      MusicDocument(p, 2);
      break;
    case imgExit:
      p.setPen(QColor(80, 40, 0));
      p.setBrush(QColor(160, 96, 32));
      p.drawRect(QRect(3, 1, 9, 14));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 208, 0));
      p.drawEllipse(QRect(9, 8, 2, 2));
      break;
    case imgFileJump:
      MusicDocument(p, 5);
      p.setPen(QPen(QColor(0, 128, 0), 2));
      p.drawLine(0, 8, 4, 8);
      p.drawLine(2, 6, 4, 8);
      p.drawLine(2, 10, 4, 8);
      break;
    case imgDelete:
      p.setPen(QColor(64, 64, 64));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRect(4, 4, 8, 11));
      p.drawLine(3, 3, 12, 3);
      p.drawLine(6, 1, 9, 1);
      p.drawLine(6, 6, 6, 12);
      p.drawLine(9, 6, 9, 12);
      break;
    case imgNew:
      p.setPen(QColor(64, 64, 64));
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygon{{2, 3}, {8, 3}, {11, 6}, {11, 15}, {2, 15}});
      p.setPen(QColor(255, 192, 0));
      p.drawLine(13, 0, 13, 4);
      p.drawLine(11, 2, 15, 2);
      p.drawLine(12, 1, 14, 3);
      break;
    case imgHelp:
      p.setPen(QColor(0, 0, 96));
      p.setBrush(QColor(32, 64, 192));
      p.drawRect(QRect(3, 1, 10, 14));
      p.setPen(Qt::white);
      p.drawText(QRect(3, 1, 10, 14), Qt::AlignCenter, "?");
      break;
    case imgCheck:
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setPen(QPen(Qt::black, 2));
      p.drawPolyline(QPolygon{{3, 8}, {6, 11}, {12, 4}});
      break;
    case imgRadio:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(QPolygon{{6, 5}, {10, 8}, {6, 11}});
      break;
  }
  return pm;
}

}  // namespace

TImageList::TImageList() {
  for (int i = 0; i < kImageCount; ++i) icons_[static_cast<size_t>(i)] = QIcon(Draw(i));
}
