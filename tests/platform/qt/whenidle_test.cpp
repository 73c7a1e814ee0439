// Work from outside waits while a dialog of the window is open, and runs once it is closed.
#include "qt/whenidle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QWidget>

namespace {

void Spin(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

TEST(RunWhenNoDialog, WaitsForAnOpenDialogOfEitherModality) {
  for (const Qt::WindowModality modality : {Qt::WindowModal, Qt::ApplicationModal}) {
    QWidget window;
    window.show();
    int runs = 0;
    platform::RunWhenNoDialog(
        &window, [&] { ++runs; }, 20);
    EXPECT_EQ(runs, 1);  // nothing open: at once

    auto *dialog = new QProgressDialog(&window);
    dialog->setWindowModality(modality);
    dialog->show();
    platform::RunWhenNoDialog(
        &window, [&] { ++runs; }, 20);
    Spin(100);
    EXPECT_EQ(runs, 1) << modality;
    delete dialog;
    Spin(100);
    EXPECT_EQ(runs, 2) << modality;
  }
}

TEST(RunWhenNoDialog, NeverRunsAfterItsContextIsGone) {
  QWidget owner;
  QProgressDialog dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  int runs = 0;
  {
    QObject context;
    platform::RunWhenNoDialog(
        &context, [&] { ++runs; }, 20);
  }
  dialog.hide();
  Spin(100);
  EXPECT_EQ(runs, 0);
}
