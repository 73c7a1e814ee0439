// TFormAbout: the About box (name, version, copyright) that doubles as the start-up splash.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

// The maker's copyright line, shown in the About box and in the main window's status bar.
inline const QString kMelodeckCopyright = QStringLiteral("Copyright (C) 2026 The Melodeck developers");

class TFormAbout : public QDialog {
  Q_OBJECT
 public:
  // owner: the main window; the box is centred over it.
  explicit TFormAbout(QWidget *owner);
  // The splash: no title-bar buttons, caption "Melodeck", centred on the screen, no button,
  // "起動中です..." as information; shown and painted at once.
  static TFormAbout *CreateSplash(QWidget *owner);
  // After a text or font changed: the box grows until every text shows whole.
  void FitToFonts();

  QFrame *Bevel2 = nullptr;
  QLabel *Image = nullptr;
  QLabel *LabelMelodeck = nullptr;
  QLabel *LabelVersion = nullptr;
  QFrame *Bevel = nullptr;
  QLabel *LabelCopyright = nullptr;
  QLabel *LabelInfo = nullptr;
  QPushButton *ButtonOk = nullptr;

 private:
  int Scale(int designed) const;
  QRect Designed(int left, int top, int width, int height) const;
  QWidget *owner_;
};
