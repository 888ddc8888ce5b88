#include "replay.h"

TEST(FuzzReplay, PanelDescription) { fuzz::replayInputs("panel_description", fuzz::panel_description); }
TEST(FuzzReplay, Picture) { fuzz::replayInputs("picture", fuzz::picture); }
