#pragma once
// Tools > Statistics and View > Entropy map: windows that stay open beside the editor.

#include "core/Commands.h"

class QWidget;

namespace quoxa {

class TDocument;
class TFormEntropyMap;
class TFormStatistics;

// The document the statistics windows count and map: the active one.
const TDocument& StatisticsDocument();

// Opens (or brings to the front) the window of Statistics or Entropy map with owner as its
// parent; false for any other command.
bool RunStatisticsCommand(QWidget* owner, Cmd cmd);

// The main window's page moved: the entropy map marks it anew.
void StatisticsFollowView();

// The open windows, nullptr when closed.
TFormStatistics* StatisticsWindow();
TFormEntropyMap* EntropyMapWindow();

}  // namespace quoxa
