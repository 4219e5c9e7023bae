#pragma once
// The images are compiled into the program's library; a window that uses
// them calls this first so the linker keeps them.
void InitImageResources();
