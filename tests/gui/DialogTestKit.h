#pragma once
// Small helpers shared by the dialog tests.

#include <QString>
#include <QWidget>
#include <QtTest>
#include <string>

#include "ScopedEnv.h"
#include "TempDir.h"

namespace quoxa::test {

// The named child control; a missing one ends the test run with its name.
template <typename T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no control %s", name);
  return child;
}

inline void ShowActive(QWidget& w) {
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
}

// A settings file of its own (QUOXA_INI) for as long as it lives.
class OwnSettingsFile {
 public:
  OwnSettingsFile() : path_(dir_.File("quoxa.ini")), env_("QUOXA_INI", path_) {}
  const std::string& Path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
  ScopedEnv env_;
};

}  // namespace quoxa::test
