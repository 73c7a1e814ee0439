// TFormDocument: the read-only viewer for the text files packed with the music. One instance,
// owned by the main window, is created on the first Open and reused; Esc or the close box
// hides it and the next Open shows it again where it was.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

class TFormDocument : public QWidget {
  Q_OBJECT
 public:
  explicit TFormDocument(QWidget *owner);

  // The document: caption (its archive-entry path) and text (lines ended by LF).
  void ShowText(const QString &caption, const QString &text);

  QPlainTextEdit *MemoDocument = nullptr;

  // Esc released while the viewer is active hides it.
  void FormKeyUp(int key);

 protected:
  void showEvent(QShowEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  int Scale(int designed) const;
  bool placed_ = false;
};
