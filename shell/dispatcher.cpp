// The menu dispatcher: selects the command group of a menu command number
// and hands the number over. The one thing done before a command is the
// closed-window guard: a command that acts on the current window is refused
// while that window is closed. Nothing is done after a command; every
// command runs its own redraws and menu updates.
#include <algorithm>
#include <iterator>

#include "core/model.h"
#include "shell/commands.h"
#include "shell/messages.h"

namespace sorvan {
namespace {

constexpr int kFileCommands[] = {1110, 1111, 1120, 1130, 1140, 1150, 1160, 1170, 1180, 1181,
                                 1182, 1183, 1184, 1185, 9700, 1700, 1800, 11100, 1200, 1300,
                                 1320, 1330, 1340, 1341, 1400, 1900, 5570, 11000};
constexpr int kProcessingCommands[] = {2210, 2220, 21200, 2110, 2120, 2130, 2140, 2150,
                                       2100, 2800, 2200, 21100, 2300, 2400, 2600, 2700,
                                       2910, 2920, 2930, 21010, 21020, 21030, 21040};
constexpr int kFitCommands[] = {3110, 3111, 3112, 3113, 3114, 3115, 3120, 3121, 3130};
constexpr int kSeriesCommands[] = {8100,  3116,  3117,  3118,  1500,  31119,
                                   31120, 31121, 31122, 31123, 31124, 31125};
constexpr int kInformationCommands[] = {4000, 4100, 4200, 5100, 5200, 5300, 5400, 5500, 5530,
                                        5540, 5550, 5560, 5561, 5562, 6000, 6010, 6020, 6030,
                                        6040, 6050, 9400, 9500, 9600, 9800, 9900};
constexpr int kOptionCommands[] = {8010, 8020, 8111, 8112, 8113, 8114, 8115, 8116, 8121, 8122,
                                   8123, 8131, 8132, 8133, 8134, 8135, 8136, 8144, 8145, 8200,
                                   8310, 8320, 8410, 8420, 8510, 8511, 8700, 8701, 8710, 8730,
                                   8731, 5510, 5520, 9100, 9200, 9300, 10000};

// The commands that act on the current window (a series uses it as its
// template). After the current window has been closed its number stays
// current and the menu may still offer these items, but the window's state
// has been reset and its platform window is gone.
constexpr int kCurrentWindowCommands[] = {
    1200,  1320,  1400,  1900,                                               // file
    2210,  21200, 2110,  2120,  2130,  2140,  2150,  2100,  2800,  2200,     // processing
    21100, 2300,  2400,  2700,  2910,  2920,  2930,  21010, 21020, 21030, 21040,
    3110,  3111,  3112,  3113,  3114,  3115,  3120,  3121,  3130,  3116,     // fit, series
    5100,  5200,  5300,  5400,  5500,  5530,  5560,                          // information
    6000,  6010,  6020,  6030,  6040,  6050,                                 // window texts
    9400,  9500,  9600,  9800};                                              // transmission

template <size_t N>
bool In(const int (&list)[N], int command) {
  return std::find(std::begin(list), std::end(list), command) != std::end(list);
}

}  // namespace

CommandGroup GroupOfCommand(int command) {
  if (In(kFileCommands, command)) return CommandGroup::File;
  if (In(kProcessingCommands, command)) return CommandGroup::Processing;
  if (In(kFitCommands, command)) return CommandGroup::Fit;
  if (In(kSeriesCommands, command)) return CommandGroup::Series;
  if (In(kInformationCommands, command)) return CommandGroup::Information;
  if (In(kOptionCommands, command)) return CommandGroup::Options;
  return CommandGroup::None;
}

bool ActsOnCurrentWindow(int command) { return In(kCurrentWindowCommands, command); }

bool RefusedForClosedWindow(int command) {
  return ActsOnCurrentWindow(command) && !CurrentWindowIsOpen();
}

void Form_MenuEvent(int& /*formIndex*/, int& command) {
  if (RefusedForClosedWindow(command)) return;
  switch (GroupOfCommand(command)) {
    case CommandGroup::File: RunFileCommand(command); break;
    case CommandGroup::Processing: RunProcessingCommand(command); break;
    case CommandGroup::Fit: RunFitCommand(command); break;
    case CommandGroup::Series: RunSeriesCommand(command); break;
    case CommandGroup::Information: RunInformationCommand(command); break;
    case CommandGroup::Options: RunOptionCommand(command); break;
    case CommandGroup::None: break;
  }
}

bool CurrentWindowIsOpen() {
  return IsSpectrumWindow(G.CurrentWindow) && Win[G.CurrentWindow].WindowOpen;
}

int LowestFreeWindow() {
  int w = 1;
  while (Win[w].WindowOpen && w < kMaxWindows) ++w;
  if (Win[kMaxWindows].WindowOpen && w == kMaxWindows) w = kMaxWindows + 1;
  return w;
}

bool RefuseWhenNoFreeWindow(int w) {
  if (w < kMainWindowNumber) return false;
  G.CommandId = 1;
  ShowMessage(G.CommandId, w);
  return true;
}

}  // namespace sorvan
