#pragma once
// One offscreen QApplication for the benchmarks that need widgets, made on first use.

#include <QApplication>

namespace quoxa::bench {

inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "quoxa_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

}  // namespace quoxa::bench
