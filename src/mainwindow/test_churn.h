#pragma once

#include <QtGlobal>

class BA1;

// For crash tests only, when TAMSA_TEST_CHURN holds a seed: changes the lists, downloads games
// and writes settings at random, back to back, so that a test can kill the process in the
// middle of any of these writes. Each change goes through the handler a player's click reaches:
//   a game link in the portal pane    Web1 navigate → link dispatch → AddRecord date_n
//   the favourites and download tools c_z_click(3), c_z_click(5) → shoucang, xiazai → dl
//   a delete link in a list page      lc_Click, Web3 navigate "delk://n" → RemoveRecord
//   the clear label, answered yes     shan_name_Click → Clear (and flash/*.swf for downloads)
//   the settings dialog's Apply       settingsDialog(), its Check1 boxes and cmdApply clicked
//   a border resize's saved size      saveWindowSize
//   the close question, "to the tray" npc_Click(2), then the window is shown again
// Games come from the test portal that config.ini names (its /test/slow route), with ids
// 1 to 40 and a size that follows from the id (see gameSizeForId).
void startTestChurn(BA1 *window, quint32 seed);

// The size of the churn's game with this id, so that a test can check a downloaded file whole.
inline qint64 gameSizeForId(int id) { return 20000 + 1000 * qint64(id); }
