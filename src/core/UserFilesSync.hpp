#pragma once

// Called after every file the game writes. On the desktop the write itself is durable; where
// the user's files live in storage that must be told (a browser's), this hands them over and
// waits: false when that storage refused them (full, or private browsing).
#ifdef __EMSCRIPTEN__
bool PersistUserFiles();
#else
inline bool PersistUserFiles() { return true; }
#endif
