// The window's progress dialog while an apply converts tunes to MP3: the track being converted,
// how many are done, and a Cancel button that stops the apply before any game file is touched.
#pragma once

#include <QString>
#include <memory>

#include "applyconvert.h"

class QProgressDialog;
class QWidget;

class TConvertDialog : public TConvertProgress {
 public:
  explicit TConvertDialog(QWidget *parent);
  ~TConvertDialog() override;

  bool Tick(int done, int total, const QString &converting) override;
  void Finished(const TTuneToConvert &tune, const TConvertedTune &result, int done, int total) override;

 private:
  QWidget *parent_;
  std::unique_ptr<QProgressDialog> dialog_;
};

// What the window says after the user cancelled an apply while tunes were converted.
QString ApplyCancelledText();
