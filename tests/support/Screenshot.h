#pragma once
// Widget tests save what they show as PNG files when QUOXA_SHOT_DIR names a folder,
// so a person can look at the windows.

#include <QDir>
#include <QString>
#include <QWidget>

namespace quoxa::test {

inline void SaveShot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("QUOXA_SHOT_DIR");
  if (folder.isEmpty() || widget == nullptr) return;
  QDir().mkpath(folder);
  widget->grab().save(folder + "/" + name + ".png");
}

}  // namespace quoxa::test
