#pragma once
// Makes the skin's classes known to window descriptions: their names,
// published properties (with storage defaults) and events. The program
// calls this once before it reads its windows.
void RegisterSkinClasses();
