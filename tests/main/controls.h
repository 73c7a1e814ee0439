// The window's controls, found by the names the window's design gives them.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

template <class T>
T *Control(const QObject &form, const char *name) {
  T *found = form.findChild<T *>(QString::fromLatin1(name));
  if (!found) ADD_FAILURE() << "no control named " << name;
  return found;
}
