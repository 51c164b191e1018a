#include "tools/StatisticsCommands.h"

#include <QPointer>
#include <QTimer>

#include "core/DocState.h"
#include "tools/FormEntropyMap.h"
#include "tools/FormStatistics.h"

namespace quoxa {

namespace {

QPointer<TFormStatistics> statistics;
QPointer<TFormEntropyMap> entropyMap;

void Present(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
  // Opened from a menu, the request can come while the menu still holds the focus: once more
  // after it has gone.
  QTimer::singleShot(0, window, [window] {
    window->raise();
    window->activateWindow();
  });
}

}  // namespace

const TDocument& StatisticsDocument() { return Doc(); }

bool RunStatisticsCommand(QWidget* owner, Cmd cmd) {
  switch (cmd) {
    case Cmd::Statistics:
      if (!Doc().ViewReady) return true;
      if (statistics) {
        statistics->Refresh();
      } else {
        statistics = new TFormStatistics(owner);
      }
      Present(statistics);
      return true;
    case Cmd::EntropyMap:
      if (!Doc().ViewReady) return true;
      if (entropyMap) {
        entropyMap->Refresh();
      } else {
        entropyMap = new TFormEntropyMap(owner);
      }
      Present(entropyMap);
      return true;
    default: return false;
  }
}

void StatisticsFollowView() {
  if (entropyMap) entropyMap->FollowView();
}

TFormStatistics* StatisticsWindow() { return statistics; }
TFormEntropyMap* EntropyMapWindow() { return entropyMap; }

}  // namespace quoxa
