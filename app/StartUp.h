#pragma once
// The program's windows as start-up makes them: the hosted controls
// registered, the application titled and given its icon, the main window
// made from its description (the first window made is the main one; its
// start-up notice shows while it is made), then the programme window made
// hidden.
void CreateWindows();
